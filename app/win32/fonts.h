// The window's two fonts. The wanted Song face is missing on many systems (wine, non-Chinese
// Windows without the supplemental fonts), and a face the system has to substitute may lack
// the Chinese glyphs or be wider than the labels allow, so a face is chosen that is really
// installed: the wanted one, then its same-metric stand-in, then any face with GB2312 glyphs.
#pragma once

#include <windows.h>

#include <string>

#include "app/layout.h"

namespace kalvet::win32 {

// The installed face to use for `font`, or font.face itself when no candidate is installed.
std::wstring InstalledFace(const FontChoice& font);

// The font `font` describes, in `face` (the one InstalledFace chose), `pixels` high, asking
// for `charset` (normally font.charset). The caller owns it.
HFONT CreateLayoutFont(const FontChoice& font, const std::wstring& face, int pixels, int charset);

}  // namespace kalvet::win32
