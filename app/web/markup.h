// The page as it is written at build time: the window's whole markup, its style sheet for the
// desktop and for the hand, and the page around them. Made by write_page from the layout tables
// and the lists Form_Load fills, so that the browser shows the window while it parses and the
// program only takes hold of what is there. Plain C++: nothing here needs a browser.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/layout.h"

namespace kalvet::web {

// The window's ground, under a light and under a dark colour scheme, as the page's style sheet
// draws it and its theme colours name it; the web app manifest names the same.
inline constexpr std::string_view kLightMedia = "(prefers-color-scheme: light)";
inline constexpr std::string_view kDarkMedia = "(prefers-color-scheme: dark)";
inline constexpr std::string_view kGround = "#f0f0f0";
inline constexpr std::string_view kDarkGround = "#202020";

// A browser collapses repeated blanks in an option but shows no-break spaces as they stand: a
// list entry's blanks are written as this (U+00A0), and read back as blanks.
inline constexpr std::string_view kOptionBlank = "\xC2\xA0";

// The CSS font list for one of the layout's fonts: its face under the Latin name browsers know
// it by, the Song faces of other systems, the layout's stand-in, then any serif face.
std::string FontCss(const FontChoice& font, int pixels);

// Each list's entries and shown entry, by ControlId, as Form_Load leaves them.
struct ListContents {
    std::array<std::vector<std::string>, kControlCount> entries;
    std::array<int, kControlCount> selected{};
};

// The whole page but the program's scripts: the loader, which starts compiling the WebAssembly
// while the browser reads the window, goes where kLoaderMark stands in the head, and the
// program where kProgramMark stands after the window. The page's security policy allows inline
// scripts only by the hashes that replace kScriptHashesMark once they are known.
inline constexpr std::string_view kLoaderMark = "<!--kalvet-loader-->";
inline constexpr std::string_view kProgramMark = "<!--kalvet-program-->";
inline constexpr std::string_view kScriptHashesMark = "'kalvet-script-hashes'";
std::string PageHtml(const ListContents& lists);

}  // namespace kalvet::web
