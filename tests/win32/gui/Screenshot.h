// A screenshot of a window, read back from the screen's device context, with the pixel
// look-up the checks need and a PNG writer for keeping it as test output.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vp::gui {

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, rows top to bottom

    // 0xFFFFFFFF outside the picture.
    std::uint32_t at(int x, int y) const;
    bool writePng(const std::wstring& path) const;
};

// The screen's pixels under the window's rectangle.
Screenshot screenshotOf(HWND window);

std::string hexColour(std::uint32_t rgb);

} // namespace vp::gui
