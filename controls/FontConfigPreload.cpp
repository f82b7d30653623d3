#include "controls/FontConfigPreload.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace controls {

TFontConfigPreload::TFontConfigPreload() {
    try {
        reader_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to spare: Qt loads the configuration itself when it needs the first font.
    }
}

TFontConfigPreload::~TFontConfigPreload() {
    WaitForFontConfig();
}

void TFontConfigPreload::WaitForFontConfig() {
    if (reader_.joinable())
        reader_.join();
}

} // namespace controls
