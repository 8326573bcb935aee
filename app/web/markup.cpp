#include "app/web/markup.h"

namespace kalvet::web {

namespace {

std::size_t Index(ControlId id) { return static_cast<std::size_t>(id); }

// Text sizes in the arrangement for the hand, in CSS pixels: under 16 px a phone zooms into a
// box it focuses.
constexpr int kTouchTextPixels = 16;
constexpr int kTouchCaptionPixels = 18;
// The least height and width of a box, list or button a fingertip has to meet.
constexpr int kTouchTargetPixels = 44;

std::string Px(int pixels) { return std::to_string(pixels) + "px"; }

void AppendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
}

// The window's look on the desktop: classic flat controls, an etched group-box line through
// the middle of its caption, labels beneath everything else and deaf to the pointer (a label
// that runs under a box must not take the box's click).
constexpr std::string_view kDesktopSheet = R"css(
html,body{margin:0;padding:0;background:#f0f0f0;overflow-x:hidden}
#Form1{position:relative;background:#f0f0f0;color:#000}
#Form1 *{box-sizing:border-box;margin:0}
fieldset{position:absolute;border:0;padding:0;min-inline-size:0}
fieldset::before{content:"";position:absolute;left:0;right:0;bottom:0;top:7px;border:2px groove #fff;border-color:#a0a0a0 #fff #fff #a0a0a0;pointer-events:none}
legend{position:absolute;left:6px;top:0;padding:0 2px;line-height:14px;background:#f0f0f0;white-space:pre;z-index:0}
.label{position:absolute;white-space:pre;line-height:normal;z-index:0;pointer-events:none;user-select:none}
input,select,button{position:absolute;z-index:1;font:inherit;color:#000}
input{padding:0 2px;border:1px solid #7a7a7a;background:#fff}
select{padding:0 1px;border:1px solid #7a7a7a;background:#fff}
button{padding:0;white-space:pre;border:1px solid #707070;background:#e1e1e1;touch-action:manipulation}
button:active{background:#cce4f7}
)css";

// The same controls for the hand: the group boxes one under another, or in as many columns as
// fit, each reading down; inside a group, rows of label, control and unit. Selectors name the
// client area so that they outweigh the desktop places; sizes are important so that they
// outweigh a caption shrunk to fit the desktop window.
constexpr std::string_view kTouchSheet = R"css(
#Form1{position:static;width:auto;height:auto;padding:8px;column-width:300px;column-gap:12px}
#Form1 fieldset{position:relative;left:auto;top:auto;width:auto;height:auto;display:grid;grid-template-columns:minmax(2em,max-content) minmax(0,1fr) minmax(3em,max-content);align-items:center;gap:8px;padding:34px 12px 12px;margin:0 0 12px;break-inside:avoid}
#Form1 fieldset::before{top:11px}
#Form1 legend{left:10px;line-height:22px;padding:0 4px}
#Form1 .label{position:static;width:auto;height:auto;line-height:1.25}
#Form1 input,#Form1 select,#Form1 button{position:static;width:auto;height:auto;min-width:TARGETpx;min-height:TARGETpx}
#Form1 input,#Form1 select{padding:0 8px}
)css";

// A list entry as an option element; its blanks become no-break spaces, which the browser shows
// as they stand instead of collapsing repeated ones.
std::string OptionHtml(std::string_view entry, bool selected) {
    std::string out = selected ? "<option selected>" : "<option>";
    for (const char c : entry) {
        if (c == ' ') {
            out += "&nbsp;";
        } else {
            AppendEscaped(out, std::string_view(&c, 1));
        }
    }
    return out + "</option>";
}

std::string PlaceCss(const TwipsRect& r) {
    return "left:" + Px(TwipsToPixels(r.left)) + ";top:" + Px(TwipsToPixels(r.top)) +
           ";width:" + Px(TwipsToPixels(r.width)) + ";height:" + Px(TwipsToPixels(r.height));
}

std::string Replaced(std::string_view text, std::string_view mark, std::string_view by) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(mark, from)) != std::string_view::npos; from = at + mark.size()) {
        out.append(text.substr(from, at - from)).append(by);
    }
    return out.append(text.substr(from));
}

std::string StyleSheet() {
    const WindowLayout& layout = Window1Layout();
    const int pixels = FontPixels(layout.font);
    std::string css(kDesktopSheet);
    css += "#Form1{width:" + Px(TwipsToPixels(layout.clientWidthTwips)) +
           ";height:" + Px(TwipsToPixels(layout.clientHeightTwips)) +
           ";font:" + FontCss(layout.font, pixels) + "}\n";
    css += "legend{font:" + FontCss(layout.frameFont, pixels) + "}\n";
    for (const ControlItem& c : Controls()) {
        css.append("#").append(c.name).append("{").append(PlaceCss(c.rect)).append("}\n");
    }

    css.append("@media ").append(TouchMedia()).append("{");
    css += Replaced(kTouchSheet, "TARGET", std::to_string(kTouchTargetPixels));
    css += "#Form1 legend{font-size:" + Px(kTouchCaptionPixels) + "!important}\n";
    // The group box's own size too: the rows' columns are measured in it.
    css += "#Form1 fieldset,#Form1 .label,#Form1 input,#Form1 select,#Form1 button{font-size:" +
           Px(kTouchTextPixels) + "!important}\n";
    for (const ControlItem& c : Controls()) {
        if (c.kind == ControlKind::Frame) continue;
        const RowCell cell = RowCellOf(c.id);
        css.append("#").append(c.name).append("{grid-area:").append(std::to_string(cell.row));
        css.append("/").append(std::to_string(static_cast<int>(cell.column))).append("}\n");
    }
    return css + "}\n";
}

std::string ControlsHtml(const ListContents& lists) {
    std::array<int, kControlCount> tabIndex{};
    const auto order = TabOrder();
    for (std::size_t i = 0; i < order.size(); ++i) {
        tabIndex[Index(order[i])] = static_cast<int>(i) + 1;
    }
    const auto named = [&](std::string& out, const ControlItem& c) {
        out.append(" id=\"").append(c.name).append("\" aria-label=\"");
        AppendEscaped(out, AccessibleName(c.id));
        out.append("\" tabindex=\"").append(std::to_string(tabIndex[Index(c.id)])).append("\"");
    };

    // Each group box's inside, then the group boxes in order around them.
    std::array<std::string, kControlCount> inside;
    for (const ControlItem& c : Controls()) {
        if (c.kind == ControlKind::Frame) continue;
        std::string& out = inside[Index(c.frame)];
        switch (c.kind) {
            case ControlKind::Label:
                out.append("<span class=\"label\" id=\"").append(c.name).append("\">");
                AppendEscaped(out, c.text);
                out.append("</span>");
                break;
            case ControlKind::TextBox: {
                out.append("<input type=\"text\" inputmode=\"decimal\" autocomplete=\"off\" "
                           "spellcheck=\"false\"");
                named(out, c);
                // The action key of a phone's keyboard: on to the next box the group's button
                // reads, or, from the last, compute.
                const ControlId next = ActionKeyTarget(c.id);
                if (next != ControlId::None) {
                    out.append(ControlLayout(next).kind == ControlKind::Button
                                   ? " enterkeyhint=\"go\""
                                   : " enterkeyhint=\"next\"");
                }
                out.append(" value=\"");
                AppendEscaped(out, c.text);
                out.append("\">");
                break;
            }
            case ControlKind::ComboBox: {
                out.append("<select");
                named(out, c);
                out.append(">");
                const auto& entries = lists.entries[Index(c.id)];
                for (std::size_t i = 0; i < entries.size(); ++i) {
                    out += OptionHtml(entries[i], static_cast<int>(i) == lists.selected[Index(c.id)]);
                }
                out.append("</select>");
                break;
            }
            case ControlKind::Button:
                out.append("<button type=\"button\"");
                named(out, c);
                out.append(">");
                AppendEscaped(out, c.text);
                out.append("</button>");
                break;
            case ControlKind::Frame:
                break;
        }
    }
    std::string html;
    for (const ControlItem& c : Controls()) {
        if (c.kind != ControlKind::Frame) continue;
        html.append("<fieldset id=\"").append(c.name).append("\"><legend>");
        AppendEscaped(html, c.text);
        html.append("</legend>").append(inside[Index(c.id)]).append("</fieldset>");
    }
    return html;
}

}  // namespace

std::string TouchMedia() {
    // Just under the window's width rather than one pixel less: zoomed, a viewport can be a
    // fraction of a pixel narrower than the window and must not show it cut.
    const int width = TwipsToPixels(Window1Layout().clientWidthTwips);
    return "(max-width:" + std::to_string(width - 1) + ".98px),(pointer:coarse)";
}

std::string FontCss(const FontChoice& font, int pixels) {
    // "宋体" is SimSun's own name; every browser also knows it as SimSun.
    std::string css = font.bold ? "bold " : "";
    css += std::to_string(pixels) + "px SimSun,\"Songti SC\",STSong,\"";
    css.append(font.fallbackFace).append("\",serif");
    return css;
}


std::string PageHtml(const ListContents& lists) {
    const WindowLayout& layout = Window1Layout();
    std::string html = "<!doctype html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n";
    // Nothing but the page itself: its scripts by their hashes, the WebAssembly they compile,
    // its style sheet and, when it is served, its own manifest, icons and service worker.
    html.append("<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
                "script-src ").append(kScriptHashesMark).append(" 'wasm-unsafe-eval'; "
                "style-src 'unsafe-inline'; img-src 'self'; manifest-src 'self'; "
                "worker-src 'self'; base-uri 'none'; form-action 'none'\">\n");
    // The keyboard of a phone shrinks the page rather than covering it, so that what is
    // scrolled into view is not behind the keyboard. Zooming stays allowed.
    html += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1, "
            "interactive-widget=resizes-content\">\n<title>";
    AppendEscaped(html, layout.caption);
    html += "</title>\n<style>" + StyleSheet() + "</style>\n";
    html.append(kLoaderMark).append("\n</head>\n<body>\n<div id=\"Form1\">");
    html += ControlsHtml(lists);
    html += "</div>\n";
    html.append(kProgramMark).append("\n</body>\n</html>\n");
    return html;
}

}  // namespace kalvet::web
