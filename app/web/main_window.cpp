#include "app/web/main_window.h"

#include <cmath>

namespace kalvet::web {

namespace {

std::size_t Index(ControlId id) { return static_cast<std::size_t>(id); }

PixelRect ToPixels(const TwipsRect& r) {
    return {TwipsToPixels(r.left), TwipsToPixels(r.top), TwipsToPixels(r.width),
            TwipsToPixels(r.height)};
}

// Where a group box's caption starts, and the blank kept on either side of it.
constexpr int kCaptionIndent = 6;
constexpr int kCaptionGap = 2;
// A button's border takes a pixel on each side of its caption's room.
constexpr int kButtonBorder = 1;

}  // namespace

std::string FontCss(const FontChoice& font, int pixels) {
    // "宋体" is SimSun's own name; every browser also knows it as SimSun.
    std::string css = font.bold ? "bold " : "";
    css += std::to_string(pixels) + "px SimSun,\"Songti SC\",STSong,\"";
    css.append(font.fallbackFace).append("\",serif");
    return css;
}

MainWindow::MainWindow() {
    Build();
    form_.Form_Load();
    Focus(elements_[Index(TabOrder().front())]);
    AnnounceReady();
}

void MainWindow::Build() {
    const WindowLayout& layout = Window1Layout();
    const int width = TwipsToPixels(layout.clientWidthTwips);
    const int height = TwipsToPixels(layout.clientHeightTwips);
    const int pixels = TwipsToPixels(layout.font.tenthsOfPoint * 2);  // a point is 20 twips
    Element area = CreateClientArea(width, height, FontCss(layout.font, pixels));
    SetPageTitle(layout.caption);

    std::array<int, kControlCount> tabIndex{};
    const auto order = TabOrder();
    for (std::size_t i = 0; i < order.size(); ++i) tabIndex[Index(order[i])] = static_cast<int>(i) + 1;

    elements_.reserve(kControlCount);
    for (const ControlItem& c : Controls()) {
        const PixelRect r = ToPixels(c.rect);
        Element parent = c.frame == ControlId::None ? area : elements_[Index(c.frame)];
        Element e = area;  // replaced below by the control made for this row
        routes_[Index(c.id)] = {this, c.id};
        void* route = &routes_[Index(c.id)];
        switch (c.kind) {
            case ControlKind::Frame: {
                e = CreateGroupBox(parent, c.name, c.text, r,
                                   FontCss(layout.frameFont, pixels));
                Element caption = GroupBoxCaption(e);
                FitCaption(caption, c.text, layout.frameFont,
                           r.width - 2 * (kCaptionIndent + kCaptionGap));
                break;
            }
            case ControlKind::Label:
                e = CreateLabel(parent, c.name, c.text, r);
                FitCaption(e, c.text, layout.font, r.width);
                break;
            case ControlKind::TextBox:
                e = CreateTextBox(parent, c.name, c.text, r, AccessibleName(c.id),
                                  tabIndex[Index(c.id)]);
                ListenForPointerDown(c.name, [](void* p) {
                    auto* to = static_cast<Route*>(p);
                    to->window->form_.TextBoxClicked(to->id);
                }, route);
                break;
            case ControlKind::ComboBox:
                e = CreateList(parent, c.name, r, AccessibleName(c.id), tabIndex[Index(c.id)]);
                break;
            case ControlKind::Button:
                e = CreateButton(parent, c.name, c.text, r, AccessibleName(c.id),
                                 tabIndex[Index(c.id)]);
                FitCaption(e, c.text, layout.font, r.width - 2 * kButtonBorder);
                ListenForPress(c.name, [](void* p) {
                    auto* to = static_cast<Route*>(p);
                    to->window->form_.ButtonClicked(to->id);
                }, route);
                break;
        }
        elements_.push_back(e);
    }
    FitToViewportWidth(area, width, height);
}

void MainWindow::FitCaption(Element& caption, std::string_view text, const FontChoice& font,
                            int room) {
    const int wanted = TwipsToPixels(font.tenthsOfPoint * 2);
    const int size = FittedPixelSize(wanted, room, [&](int px) {
        return static_cast<int>(std::ceil(TextAdvance(text, FontCss(font, px))));
    });
    if (size != wanted) SetCaptionPixelSize(caption, size);
}

std::string MainWindow::Text(ControlId textBox) const {
    return BoxText(elements_[Index(textBox)]);
}

void MainWindow::SetText(ControlId textBox, std::string_view text) {
    SetBoxText(elements_[Index(textBox)], text);
}

void MainWindow::AddListEntry(ControlId list, std::string_view entry) {
    entries_[Index(list)].emplace_back(entry);
    AppendListEntry(elements_[Index(list)], entry);
}

void MainWindow::SelectListEntry(ControlId list, int index) {
    SelectListIndex(elements_[Index(list)], index);
}

std::string MainWindow::ShownEntry(ControlId list) const {
    const int i = SelectedListIndex(elements_[Index(list)]);
    const auto& entries = entries_[Index(list)];
    if (i < 0 || static_cast<std::size_t>(i) >= entries.size()) return {};
    return entries[static_cast<std::size_t>(i)];
}

}  // namespace kalvet::web
