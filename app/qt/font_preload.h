// Loads the system's font configuration on a second thread while Qt starts up.
//
// On Linux, Qt's font database begins by having fontconfig read its configuration files and
// font caches, a large part of starting any Qt program, and Qt does it only when the first
// widget asks for a font, after the connection to the display is made. None of it needs the
// display, so it can run while Qt connects. Elsewhere (macOS, or a build without fontconfig)
// this does nothing.
#pragma once

#include <thread>

namespace kalvet::qt {

class FontConfigPreload {
public:
    FontConfigPreload();   // starts the loading
    ~FontConfigPreload();  // waits for it, if Wait() has not
    FontConfigPreload(const FontConfigPreload&) = delete;
    FontConfigPreload& operator=(const FontConfigPreload&) = delete;

    // Returns once the configuration is loaded. Call it before the first widget is made:
    // fontconfig would load a second copy for Qt if asked before the first is in place.
    void Wait();

private:
    std::thread loader_;
};

}  // namespace kalvet::qt
