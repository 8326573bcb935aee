#include "app/web/markup.h"

#include <algorithm>
#include <utility>

#include "app/captions.h"
#include "app/web/hand.h"
#include "app/web/page.h"

namespace kalvet::web {

namespace {

std::size_t Index(ControlId id) { return static_cast<std::size_t>(id); }

// The tallest line the Song faces give the window's 14-pixel text, in CSS pixels: SimSun's is
// the text's own height, AR PL UMing's 15 or 16 as the engine rounds it.
constexpr int kWindowLinePixels = 16;

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
// that runs under a box must not take the box's click). A line taller than the window's, as a
// reader's own style sheet makes it (WCAG's text spacing asks 1.5 times the text), spreads its
// extra height above a label's or caption's text as much as below it: the text stays on its
// row, clear of the button or box just under it, where growing only downwards it would run into
// them. Lines no taller than the window's stand at the top of their place, as on the desktop.
constexpr std::string_view kDesktopSheet = R"css(
html,body{margin:0;padding:0;background:GROUND;overflow-x:hidden}
.title{position:absolute;width:1px;height:1px;margin:0;overflow:hidden;clip-path:inset(50%);white-space:nowrap}
#notice{display:none;box-sizing:border-box;margin:0;padding:8px 12px;border-bottom:1px solid #a0a0a0;background:#fff4ce;color:#000}
html[FAILED] #notice{display:block}
#Form1{position:relative;background:GROUND;color:#000}
#Form1 *{box-sizing:border-box;margin:0}
fieldset{position:absolute;border:0;padding:0;min-inline-size:0}
fieldset::before{content:"";position:absolute;left:0;right:0;bottom:0;top:7px;border:2px groove #fff;border-color:#a0a0a0 #fff #fff #a0a0a0;pointer-events:none}
legend{position:absolute;left:INDENTpx;top:0;padding:0 GAPpx;line-height:14px;background:GROUND;white-space:pre;z-index:0}
.label{position:absolute;white-space:pre;line-height:normal;z-index:0;pointer-events:none;user-select:none}
input,select,button{position:absolute;z-index:1;font:inherit;color:#000}
input{padding:0 2px;border:1px solid #7a7a7a;background:#fff}
select{padding:0 1px;border:1px solid #7a7a7a;background:#fff}
button{padding:0;white-space:pre;border:1px solid #707070;background:#e1e1e1;touch-action:manipulation}
button:active{background:#cce4f7}
button:disabled{color:#a0a0a0}
#Form1 .label,#Form1 legend{margin-top:min(0px,(LINEpx - 1lh)/2)}
)css";

// The same controls for the hand: the group boxes one under another, or in as many columns as
// fit, each reading down; inside a group, rows of label, control and unit. Selectors name the
// client area so that they outweigh the desktop places; sizes are important so that they
// outweigh a caption shrunk to fit the desktop window.
constexpr std::string_view kTouchSheet = R"css(
#Form1{position:static;width:auto;height:auto;padding:8px;column-width:300px;column-gap:12px}
#notice{max-width:none}
#Form1 fieldset{position:relative;left:auto;top:auto;width:auto;height:auto;display:grid;grid-template-columns:minmax(2em,max-content) minmax(0,1fr) minmax(3em,max-content);align-items:center;gap:8px;padding:34px 12px 12px;margin:0 0 12px;break-inside:avoid}
#Form1 fieldset::before{top:11px}
#Form1 legend{left:10px;line-height:22px;padding:0 4px;margin-top:0}
#Form1 .label{position:static;width:auto;height:auto;line-height:1.25;margin-top:0}
#Form1 input,#Form1 select,#Form1 button{position:static;width:auto;height:auto;min-width:TARGETpx;min-height:TARGETpx}
#Form1 input,#Form1 select{padding:0 8px}
)css";

// The window for a system set to dark, in the same parts: a dark ground under the window, the
// group-box captions and the notice, light text, and edges that stand out from the ground. Text
// has at least 4.5 times the contrast of its ground, box edges, group-box lines and the focus
// mark at least 3 times (WCAG 1.4.3, 1.4.11); a browser's own parts (lists' arrows, scroll bars)
// follow the scheme. Forced colours (a Windows contrast theme) replace these as they do the
// light ones.
constexpr std::string_view kDarkSheet = R"css(
:root{color-scheme:dark}
html,body,#Form1,legend{background:GROUND}
#Form1,input,select,button{color:#e6e6e6}
#notice{border-bottom-color:#8a8a8a;background:#3d3300;color:#fff}
fieldset::before{border-color:#8a8a8a}
input,select{border-color:#8a8a8a;background:#2b2b2b}
button{border-color:#8a8a8a;background:#3a3a3a}
button:active{background:#1f4e73}
button:disabled{color:#8a8a8a}
:focus-visible{outline:2px solid #4cc2ff}
)css";

std::string OptionHtml(std::string_view entry, bool selected) {
    std::string out = selected ? "<option selected>" : "<option>";
    for (const char c : entry) {
        if (c == ' ') {
            out += kOptionBlank;
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
    std::string css = Replaced(kDesktopSheet, "FAILED", kFailedAttribute);
    css = Replaced(css, "INDENT", std::to_string(TwipsToPixels(kCaptionIndentTwips)));
    css = Replaced(css, "GAP", std::to_string(TwipsToPixels(kCaptionGapTwips)));
    css = Replaced(css, "LINE", std::to_string(kWindowLinePixels));
    css = Replaced(css, "GROUND", kGround);
    css += "#Form1{width:" + Px(TwipsToPixels(layout.clientWidthTwips)) +
           ";height:" + Px(TwipsToPixels(layout.clientHeightTwips)) +
           ";font:" + FontCss(layout.font, pixels) + "}\n";
    css += "legend{font:" + FontCss(layout.frameFont, pixels) + "}\n";
    // The notice stands above the window, as wide as it, in text a phone need not zoom into.
    css += "#notice{max-width:" + Px(TwipsToPixels(layout.clientWidthTwips)) +
           ";font:" + FontCss(layout.font, kTouchTextPixels) + ";line-height:1.5}\n";
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
    css += "}\n@media " + std::string(kDarkMedia) + "{" + Replaced(kDarkSheet, "GROUND", kDarkGround);
    return css + "}\n";
}

// One control's element, named by its id and, where it takes the focus, by its accessible name.
std::string ControlHtml(const ControlItem& c, const ListContents& lists) {
    std::string out;
    const auto named = [&] {
        out.append(" id=\"").append(c.name).append("\" aria-label=\"");
        AppendEscaped(out, AccessibleName(c.id));
        out.append("\"");
    };
    switch (c.kind) {
        case ControlKind::Label:
            out.append("<span class=\"label\" id=\"").append(c.name).append("\">");
            AppendEscaped(out, c.text);
            out.append("</span>");
            break;
        case ControlKind::TextBox: {
            out.append("<input type=\"text\" inputmode=\"decimal\" autocomplete=\"off\" "
                       "spellcheck=\"false\"");
            named();
            // The action key of a phone's keyboard: on to the next box the group's button
            // reads, or, from the last, compute.
            const ControlId next = ActionKeyTarget(c.id);
            if (next != ControlId::None) {
                out.append(ControlLayout(next).kind == ControlKind::Button ? " enterkeyhint=\"go\""
                                                                          : " enterkeyhint=\"next\"");
            }
            out.append(" value=\"");
            AppendEscaped(out, c.text);
            out.append("\">");
            break;
        }
        case ControlKind::ComboBox: {
            out.append("<select");
            named();
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
            named();
            out.append(">");
            AppendEscaped(out, c.text);
            out.append("</button>");
            break;
        case ControlKind::Frame:
            break;
    }
    return out;
}

// The controls in the window's Tab order, which is the order the browser's Tab key follows
// and a screen reader reads: group by group, and in each group every box, list and button
// with the labels of its row, the row label before it and the unit after. Their places come
// from the style sheet alone.
std::string ControlsHtml(const ListContents& lists) {
    std::array<std::string, kControlCount> inside;  // each group box's inside
    std::array<bool, kControlCount> written{};
    std::vector<ControlId> frames;
    const auto write = [&](const ControlItem& c) {
        if (written[Index(c.id)]) return;
        written[Index(c.id)] = true;
        if (std::find(frames.begin(), frames.end(), c.frame) == frames.end()) frames.push_back(c.frame);
        inside[Index(c.frame)] += ControlHtml(c, lists);
    };
    for (const ControlId id : TabOrder()) {
        const ControlItem& focused = ControlLayout(id);
        const int row = RowCellOf(id).row;
        for (const RowColumn column : {RowColumn::Label, RowColumn::Control, RowColumn::Unit}) {
            for (const ControlItem& c : Controls()) {
                const RowCell cell = RowCellOf(c.id);
                if (c.frame == focused.frame && cell.row == row && cell.column == column) write(c);
            }
        }
    }
    for (const ControlItem& c : Controls()) {
        if (c.kind != ControlKind::Frame) write(c);  // a label beside nothing: last in its group
    }
    std::string html;
    for (const ControlId frame : frames) {
        html.append("<fieldset id=\"").append(ControlLayout(frame).name).append("\"><legend>");
        AppendEscaped(html, ControlLayout(frame).text);
        html.append("</legend>").append(inside[Index(frame)]).append("</fieldset>");
    }
    return html;
}

}  // namespace

std::string FontCss(const FontChoice& font, int pixels) {
    // "宋体" is SimSun's own name; every browser also knows it as SimSun.
    std::string css = font.bold ? "bold " : "";
    css += std::to_string(pixels) + "px SimSun,\"Songti SC\",STSong,\"";
    css.append(font.fallbackFace).append("\",serif");
    return css;
}


// Shown above the window wherever the program cannot start: scripts turned off, WebAssembly
// missing (as in an iPhone's Lockdown Mode), refused (as Safari 15 refuses it under the page's
// policy) or failing.
constexpr std::string_view kCannotStart =
    "计算需要 JavaScript 和 WebAssembly，本浏览器未能启动它们。请开启 JavaScript，"
    "或使用 Safari 16、Chrome 97、Firefox 102 或更新的浏览器。";

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
            "interactive-widget=resizes-content\">\n";
    // The browser's bar, and a phone's status bar, in the colour of the window's ground.
    for (const auto& [media, ground] : {std::pair{kLightMedia, kGround}, std::pair{kDarkMedia, kDarkGround}}) {
        html.append("<meta name=\"theme-color\" media=\"").append(media).append("\" content=\"");
        html.append(ground).append("\">\n");
    }
    html += "<title>";
    AppendEscaped(html, layout.caption);
    html += "</title>\n<style>" + StyleSheet() + "</style>\n";
    // With scripts turned off nothing would answer a press: the notice says so, and the
    // compute buttons are out of the pointer's reach.
    html += "<noscript><style>#notice{display:block}#Form1 button{pointer-events:none}</style></noscript>\n";
    html.append(kLoaderMark).append("\n</head>\n<body>\n<main>\n<h1 class=\"title\">");
    // The browser's title shows the caption; the heading is there for screen readers.
    AppendEscaped(html, layout.caption);
    html += "</h1>\n<p id=\"notice\" role=\"alert\">";
    AppendEscaped(html, kCannotStart);
    html += "</p>\n<div id=\"Form1\">" + ControlsHtml(lists) + "</div>\n</main>\n";
    html.append(kProgramMark).append("\n</body>\n</html>\n");
    return html;
}

}  // namespace kalvet::web
