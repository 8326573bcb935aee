#include "app/win32/fonts.h"

#include <algorithm>

#include "app/win32/wide_text.h"

namespace kalvet::win32 {

namespace {

// The Song face's English name: systems that list it only that way must still find it.
constexpr wchar_t kSongEnglishName[] = L"SimSun";

void SetFaceName(LOGFONTW& font, const std::wstring& face) {
    const std::size_t length = std::min(face.size(), std::size_t{LF_FACESIZE - 1});
    std::copy_n(face.c_str(), length, font.lfFaceName);
    font.lfFaceName[length] = L'\0';
}

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

int CALLBACK TakeFirstHorizontal(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM face) {
    // "@" names the same face turned for vertical text.
    if (font->lfFaceName[0] == L'@') return 1;
    *reinterpret_cast<std::wstring*>(face) = font->lfFaceName;
    return 0;
}

bool HasFace(HDC dc, const std::wstring& face, BYTE charset) {
    if (face.empty()) return false;
    LOGFONTW query{};
    query.lfCharSet = charset;
    SetFaceName(query, face);
    bool found = false;
    EnumFontFamiliesExW(dc, &query, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

std::wstring InstalledFace(const FontChoice& font) {
    const std::wstring wanted = Widen(font.face);
    const HDC dc = GetDC(nullptr);
    if (dc == nullptr) return wanted;
    const auto charset = static_cast<BYTE>(font.charset);
    std::wstring chosen;
    for (const std::wstring& face : {wanted, std::wstring(kSongEnglishName), Widen(font.fallbackFace)}) {
        if (HasFace(dc, face, charset)) {
            chosen = face;
            break;
        }
    }
    if (chosen.empty()) {
        LOGFONTW query{};
        query.lfCharSet = charset;
        EnumFontFamiliesExW(dc, &query, TakeFirstHorizontal, reinterpret_cast<LPARAM>(&chosen), 0);
    }
    ReleaseDC(nullptr, dc);
    return chosen.empty() ? wanted : chosen;
}

HFONT CreateLayoutFont(const FontChoice& font, const std::wstring& face, int pixels, int charset) {
    LOGFONTW logical{};
    logical.lfHeight = -pixels;
    logical.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    logical.lfCharSet = static_cast<BYTE>(charset);
    logical.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logical.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logical.lfQuality = DEFAULT_QUALITY;
    logical.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    SetFaceName(logical, face);
    return CreateFontIndirectW(&logical);
}

}  // namespace kalvet::win32
