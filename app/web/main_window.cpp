#include "app/web/main_window.h"

#include <cmath>

namespace kalvet::web {

namespace {

std::size_t Index(ControlId id) { return static_cast<std::size_t>(id); }

MainWindow* g_window = nullptr;  // the page's one window, for the page's listeners

// Where a group box's caption starts, and the blank kept on either side of it.
constexpr int kCaptionIndent = 6;
constexpr int kCaptionGap = 2;
// A button's border takes a pixel on each side of its caption's room.
constexpr int kButtonBorder = 1;

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

std::string PlaceCss(const TwipsRect& r) {
    return "left:" + std::to_string(TwipsToPixels(r.left)) + "px;top:" +
           std::to_string(TwipsToPixels(r.top)) + "px;width:" +
           std::to_string(TwipsToPixels(r.width)) + "px;height:" +
           std::to_string(TwipsToPixels(r.height)) + "px";
}

// The room a control gives its caption, in pixels.
int CaptionRoom(const ControlItem& c) {
    const int width = TwipsToPixels(c.rect.width);
    switch (c.kind) {
        case ControlKind::Frame: return width - 2 * (kCaptionIndent + kCaptionGap);
        case ControlKind::Button: return width - 2 * kButtonBorder;
        default: return width;
    }
}

std::optional<ControlId> ControlNamed(std::string_view name) {
    for (const ControlItem& c : Controls()) {
        if (c.name == name) return c.id;
    }
    return std::nullopt;
}

}  // namespace

std::string FontCss(const FontChoice& font, int pixels) {
    // "宋体" is SimSun's own name; every browser also knows it as SimSun.
    std::string css = font.bold ? "bold " : "";
    css += std::to_string(pixels) + "px SimSun,\"Songti SC\",STSong,\"";
    css.append(font.fallbackFace).append("\",serif");
    return css;
}

std::string OptionHtml(std::string_view entry) {
    std::string out = "<option>";
    for (const char c : entry) {
        if (c == ' ') {
            out += "&nbsp;";
        } else {
            AppendEscaped(out, std::string_view(&c, 1));
        }
    }
    return out + "</option>";
}

std::string ControlsHtml(int pixels, const std::array<int, kControlCount>& captionPixels) {
    const WindowLayout& layout = Window1Layout();
    std::array<int, kControlCount> tabIndex{};
    const auto order = TabOrder();
    for (std::size_t i = 0; i < order.size(); ++i) {
        tabIndex[Index(order[i])] = static_cast<int>(i) + 1;
    }
    const auto fontSize = [&](ControlId id) {
        const int size = captionPixels[Index(id)];
        return size == pixels ? std::string() : ";font-size:" + std::to_string(size) + "px";
    };
    const auto named = [&](std::string& out, const ControlItem& c) {
        out.append(" aria-label=\"");
        AppendEscaped(out, AccessibleName(c.id));
        out.append("\" tabindex=\"").append(std::to_string(tabIndex[Index(c.id)])).append("\"");
    };

    // Each group box's inside, then the group boxes in order around them.
    std::array<std::string, kControlCount> inside;
    for (const ControlItem& c : Controls()) {
        if (c.kind == ControlKind::Frame) continue;
        std::string& out = inside[Index(c.frame)];
        const std::string place = PlaceCss(c.rect);
        switch (c.kind) {
            case ControlKind::Label:
                out.append("<span class=\"label\" id=\"").append(c.name).append("\" style=\"");
                out.append(place).append(fontSize(c.id)).append("\">");
                AppendEscaped(out, c.text);
                out.append("</span>");
                break;
            case ControlKind::TextBox:
                out.append("<input type=\"text\" inputmode=\"decimal\" autocomplete=\"off\" "
                           "spellcheck=\"false\" id=\"").append(c.name).append("\"");
                named(out, c);
                out.append(" style=\"").append(place).append("\" value=\"");
                AppendEscaped(out, c.text);
                out.append("\">");
                break;
            case ControlKind::ComboBox:
                out.append("<select id=\"").append(c.name).append("\"");
                named(out, c);
                out.append(" style=\"").append(place).append("\"></select>");
                break;
            case ControlKind::Button:
                out.append("<button type=\"button\" id=\"").append(c.name).append("\"");
                named(out, c);
                out.append(" style=\"").append(place).append(fontSize(c.id)).append("\">");
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
        html.append("<fieldset id=\"").append(c.name).append("\" style=\"");
        html.append(PlaceCss(c.rect)).append("\"><legend style=\"font:");
        AppendEscaped(html, FontCss(layout.frameFont, captionPixels[Index(c.id)]));
        html.append("\">");
        AppendEscaped(html, c.text);
        html.append("</legend>").append(inside[Index(c.id)]).append("</fieldset>");
    }
    return html;
}

MainWindow::MainWindow() {
    g_window = this;
    const WindowLayout& layout = Window1Layout();
    const int width = TwipsToPixels(layout.clientWidthTwips);
    const int height = TwipsToPixels(layout.clientHeightTwips);
    const int pixels = TwipsToPixels(layout.font.tenthsOfPoint * 2);  // a point is 20 twips

    // Captions that do not fit their room in the face the page uses are drawn smaller.
    std::array<int, kControlCount> captionPixels{};
    for (const ControlItem& c : Controls()) {
        captionPixels[Index(c.id)] = pixels;
        if (c.kind != ControlKind::Frame && c.kind != ControlKind::Label &&
            c.kind != ControlKind::Button) {
            continue;
        }
        const FontChoice& font = c.kind == ControlKind::Frame ? layout.frameFont : layout.font;
        const int wanted = TwipsToPixels(font.tenthsOfPoint * 2);
        captionPixels[Index(c.id)] = FittedPixelSize(wanted, CaptionRoom(c), [&](int px) {
            return static_cast<int>(std::ceil(TextAdvance(c.text, FontCss(font, px))));
        });
    }

    SetPageTitle(layout.caption);
    area_ = CreateClientArea(width, height, FontCss(layout.font, pixels),
                             ControlsHtml(pixels, captionPixels));
    ListenForControlEvents(*area_, &MainWindow::OnPress, &MainWindow::OnPointerDown);
    form_.Form_Load();
    // Filled lists go into the page, where the one layout of the whole window follows.
    for (const ControlItem& c : Controls()) {
        if (c.kind == ControlKind::ComboBox) List(c.id);
    }
    ShowClientArea(*area_, width, height);
    Focus(Control(TabOrder().front()));
    AnnounceReady();
}

void MainWindow::OnPress(std::string_view name) {
    const auto id = ControlNamed(name);
    if (id && ControlLayout(*id).kind == ControlKind::Button) g_window->form_.ButtonClicked(*id);
}

void MainWindow::OnPointerDown(std::string_view name) {
    const auto id = ControlNamed(name);
    if (id && ControlLayout(*id).kind == ControlKind::TextBox) {
        g_window->form_.TextBoxClicked(*id);
    }
}

Element& MainWindow::Control(ControlId id) const {
    auto& e = elements_[Index(id)];
    if (!e) e = FindControl(*area_, ControlLayout(id).name);
    return *e;
}

Element& MainWindow::List(ControlId id) const {
    Element& list = Control(id);
    if (optionsPending_[Index(id)]) {
        SetListOptions(list, optionsHtml_[Index(id)]);
        optionsPending_[Index(id)] = false;
    }
    return list;
}

std::string MainWindow::Text(ControlId textBox) const { return BoxText(Control(textBox)); }

void MainWindow::SetText(ControlId textBox, std::string_view text) {
    SetBoxText(Control(textBox), text);
}

void MainWindow::AddListEntry(ControlId list, std::string_view entry) {
    entries_[Index(list)].emplace_back(entry);
    optionsHtml_[Index(list)] += OptionHtml(entry);
    optionsPending_[Index(list)] = true;
}

void MainWindow::SelectListEntry(ControlId list, int index) { SelectListIndex(List(list), index); }

std::string MainWindow::ShownEntry(ControlId list) const {
    const int i = SelectedListIndex(List(list));
    const auto& entries = entries_[Index(list)];
    if (i < 0 || static_cast<std::size_t>(i) >= entries.size()) return {};
    return entries[static_cast<std::size_t>(i)];
}

}  // namespace kalvet::web
