#include "app/web/hand.h"

#include <algorithm>

namespace kalvet::web {

namespace {

bool HeadsARow(const ControlItem& c) {
    return c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox ||
           c.kind == ControlKind::Button;
}

}  // namespace

std::string TouchMedia() {
    // Just under the window's width rather than one pixel less: zoomed, a viewport can be a
    // fraction of a pixel narrower than the window and must not show it cut.
    const int width = TwipsToPixels(Window1Layout().clientWidthTwips);
    return "(max-width:" + std::to_string(width - 1) + ".98px),(pointer:coarse)";
}

RowCell RowCellOf(ControlId id) {
    const ControlItem& item = ControlLayout(id);
    // The control heading this one's row: itself, or the control it labels.
    const ControlItem* head = HeadsARow(item) ? &item : nullptr;
    for (const ControlItem& c : Controls()) {
        if (head == nullptr && (c.rowLabel == id || c.unitLabel == id)) head = &c;
    }
    if (head == nullptr) return {0, RowColumn::Control};
    int row = 1;
    for (const ControlItem& c : Controls()) {
        if (c.frame == item.frame && HeadsARow(c) && c.rect.top < head->rect.top) ++row;
    }
    const RowColumn column = head == &item           ? RowColumn::Control
                             : head->rowLabel == id ? RowColumn::Label
                                                    : RowColumn::Unit;
    return {row, column};
}

ControlId ActionKeyTarget(ControlId box) {
    if (box == ControlId::None) return ControlId::None;
    const GroupRoles& group = GroupOf(box);
    const auto read = BoxesRead(group);
    const auto at = std::find(read.begin(), read.end(), box);
    if (at == read.end()) return ControlId::None;
    return at + 1 == read.end() ? group.button : *(at + 1);
}

}  // namespace kalvet::web
