// How a caption is fitted to its control, once for every front end: the room a control gives
// its caption, the margins that take from it, and the smaller size a caption is drawn in where
// the face really used is too wide. A front end only measures text in its toolkit and applies
// the sizes this hands it.
#pragma once

#include "app/layout.h"

namespace kalvet {

// A group box's caption starts kCaptionIndentTwips from the box's left edge, with
// kCaptionGapTwips blank on either side of its text where the frame line stops; a push
// button's raised edge takes kButtonEdgeTwips on either side of its caption. In twips (6, 2
// and 3 pixels at 96 dpi), so that they grow with the resolution as the controls do.
inline constexpr int kCaptionIndentTwips = 90;
inline constexpr int kCaptionGapTwips = 30;
inline constexpr int kButtonEdgeTwips = 45;

// Labels, group boxes and buttons show a caption; text boxes and lists show none.
constexpr bool HasCaption(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::Frame || kind == ControlKind::Button;
}

// The font a control's caption is drawn in: a group box's own, else the window's.
const FontChoice& CaptionFont(const ControlItem& control);

// The room a control gives its caption at `dpi`, in pixels: what the text may be wide at most
// before it is cut. A label its whole width, a group box and a button their width less their
// margins on either side; 0 for a control without a caption. The width is the control's as it
// is placed, its edges converted (ControlPixelRect).
int CaptionRoom(const ControlItem& control, int dpi = 96);

// The smallest pixel size a caption is ever shrunk to; below it Chinese characters blur.
inline constexpr int kMinCaptionPixels = 9;

// The pixel size to draw a caption in: `wanted` when the caption fits its `room` (pixels)
// there, else the largest smaller size at which it fits, but never below kMinCaptionPixels (a
// caption that fits nowhere is drawn at that size and cut). `advance(size)` measures the
// caption at a pixel size in the face really used.
template <class Advance>
int FittedPixelSize(int wanted, int room, Advance advance) {
    int size = wanted;
    while (size > kMinCaptionPixels && advance(size) > room) --size;
    return size;
}

// Fits every caption of the window at `dpi` (96 where a toolkit lays out in pixels of its own
// that it scales itself): `advance(control, pixels)` is the width in pixels
// of the control's caption drawn at that size in the face really used; `apply(control,
// pixels)` is called for each control whose caption must be drawn smaller than its font's
// size, and for no other. With the Song face every caption fits, so only a wider face a
// system puts in its place shrinks anything.
template <class Advance, class Apply>
void FitCaptions(Advance advance, Apply apply, int dpi = 96) {
    for (const ControlItem& c : Controls()) {
        if (!HasCaption(c.kind)) continue;
        const int wanted = FontPixels(CaptionFont(c), dpi);
        const int fitted =
            FittedPixelSize(wanted, CaptionRoom(c, dpi), [&](int pixels) { return advance(c, pixels); });
        if (fitted != wanted) apply(c, fitted);
    }
}

}  // namespace kalvet
