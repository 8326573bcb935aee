#include "app/qt/font_preload.h"

#ifdef KALVET_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace kalvet::qt {

FontConfigPreload::FontConfigPreload() {
#ifdef KALVET_HAVE_FONTCONFIG
    // FcInit loads the default configuration once per process and publishes it atomically;
    // Qt's own FcInit later finds it in place and returns at once.
    loader_ = std::thread([] { FcInit(); });
#endif
}

FontConfigPreload::~FontConfigPreload() { Wait(); }

void FontConfigPreload::Wait() {
    if (loader_.joinable()) loader_.join();
}

}  // namespace kalvet::qt
