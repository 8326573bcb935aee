#include "app/captions.h"

namespace kalvet {

const FontChoice& CaptionFont(const ControlItem& control) {
    return control.kind == ControlKind::Frame ? Window1Layout().frameFont : Window1Layout().font;
}

int CaptionRoom(const ControlItem& control, int dpi) {
    const PixelRect place = ControlPixelRect(control, dpi);
    const int width = place.right - place.left;
    switch (control.kind) {
        case ControlKind::Label:
            return width;
        case ControlKind::Frame:
            return width - 2 * TwipsToPixels(kCaptionIndentTwips + kCaptionGapTwips, dpi);
        case ControlKind::Button:
            return width - 2 * TwipsToPixels(kButtonEdgeTwips, dpi);
        case ControlKind::TextBox:
        case ControlKind::ComboBox:
            break;
    }
    return 0;
}

}  // namespace kalvet
