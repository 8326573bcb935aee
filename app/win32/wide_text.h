// Inside, every text is UTF-8; the Win32 wide API wants UTF-16. These two are the only place
// the two meet.
#pragma once

#include <string>
#include <string_view>

namespace kalvet::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace kalvet::win32
