// Each style at 0, 50 and 100 %, drawn by the simulated raster, against the reviewed images in
// tests/data/progressbar (made by `vexoma-bar-gallery goldens`). A changed pixel fails with its
// position; the new drawing is written beside the test's temporary files for review.
#include "raster-png/BarRendering.h"
#include "raster-png/RasterPng.h"
#include "support/BarFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace vp::test {
namespace {

// Style, percentage, resolution: at 144 dpi the bar is 422 by 26 pixels, its geometry scaled.
class GoldenImageTest : public ::testing::TestWithParam<std::tuple<int, int, int>> {};

TEST_P(GoldenImageTest, MatchesTheReviewedImage) {
    const auto [scrolling, percent, dpi] = GetParam();
    const std::string name = "scrolling" + std::to_string(scrolling) + "-" +
                             std::to_string(percent) +
                             (dpi == 96 ? "" : "-" + std::to_string(dpi) + "dpi");
    const std::string path = std::string(VP_TEST_DATA_DIR) + "/progressbar/" + name + ".png";
    const sim::SimRaster expected = tools::ReadPng(path);
    const sim::SimRaster actual =
        tools::RenderBar({.scrolling = scrolling, .percent = percent, .dpi = dpi});
    ASSERT_EQ(actual.width(), expected.width());
    ASSERT_EQ(actual.height(), expected.height());
    int changed = 0;
    std::string first;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y) && changed++ == 0) {
                first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                        Hex(actual.pixel(x, y)) + ", was " + Hex(expected.pixel(x, y));
            }
        }
    }
    if (changed > 0) {
        const std::string drawn = ::testing::TempDir() + name + ".actual.png";
        tools::WritePng(drawn, actual);
        ADD_FAILURE() << changed << " pixels differ from " << path << "; first " << first
                      << "; drawn now: " << drawn;
    }
}

INSTANTIATE_TEST_SUITE_P(EachStyle, GoldenImageTest,
                         ::testing::Combine(::testing::Range(0, scrolling::Count),
                                            ::testing::Values(0, 50, 100),
                                            ::testing::Values(96, 144)),
                         [](const auto& param) {
                             return "Scrolling" + std::to_string(std::get<0>(param.param)) + "At" +
                                    std::to_string(std::get<1>(param.param)) + "Dpi" +
                                    std::to_string(std::get<2>(param.param));
                         });

} // namespace
} // namespace vp::test
