// Reads the desktop's font configuration on a second core while the program opens its display.
#pragma once

#include <thread>

namespace controls {

// fontconfig's configuration (dozens of XML files and the font caches) is the largest single cost of a
// Qt program's start, and the display connection the application object opens first does not need it.
// Started before the application object, joined before the first font is looked up; Qt's own font
// database then finds it loaded. Where no thread can be started, Qt reads it as before.
class TFontConfigPreload {
public:
    TFontConfigPreload();
    ~TFontConfigPreload();
    TFontConfigPreload(const TFontConfigPreload&) = delete;
    TFontConfigPreload& operator=(const TFontConfigPreload&) = delete;

    // Waits until the configuration is loaded. Call before any font is looked up: fontconfig loads the
    // configuration again in a thread that asks while another is loading it.
    void WaitForFontConfig();

private:
    std::thread reader_;
};

} // namespace controls
