// The picture the Picture style tiles in the images and the cross-check: an 8 by 8 two-tone
// check of 4-pixel squares with a one-pixel light rim on its top and left, so the tiling
// origin shows. Plain data, for the native tools and the Windows driver alike.
#pragma once

#include <cstdint>
#include <vector>

namespace vp::tools {

constexpr int SamplePictureSize = 8;

inline std::vector<std::uint32_t> SamplePicturePixels() {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < SamplePictureSize; ++y) {
        for (int x = 0; x < SamplePictureSize; ++x) {
            const bool dark = (x < 4) == (y < 4);
            const bool rim = x == 0 || y == 0;
            pixels.push_back(rim ? 0xFFF0E0 : (dark ? 0xA05020 : 0xF0C060));
        }
    }
    return pixels;
}

} // namespace vp::tools
