// A screenshot of part of the screen, read back from the screen's device context, with the
// pixel lookups the checks need and a PNG writer for keeping it as test output.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vp::gui {

class Screenshot {
public:
    // The screen's pixels under the window's rectangle.
    static Screenshot of(HWND window);

    int width() const { return width_; }
    int height() const { return height_; }
    // 0x00RRGGBB; 0xFFFFFFFF outside the picture.
    std::uint32_t at(int x, int y) const;
    bool writePng(const std::wstring& path) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_; // rows top to bottom
};

std::string hexColour(std::uint32_t rgb);

} // namespace vp::gui
