// Each style at 0, 50 and 100 %, drawn by the simulated raster, against the reviewed images in
// tests/data/progressbar (made by `vexoma-bar-gallery goldens`). A changed pixel fails with its
// position; the new drawing is written beside the test's temporary files for review.
#include "raster-png/BarRendering.h"
#include "raster-png/RasterPng.h"
#include "support/BarFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vp::test {
namespace {

struct Golden {
    int scrolling;
    int percent;
};

std::string Name(const Golden& golden) {
    return "scrolling" + std::to_string(golden.scrolling) + "-" + std::to_string(golden.percent);
}

class GoldenImageTest : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenImageTest, MatchesTheReviewedImage) {
    const Golden golden = GetParam();
    const std::string path =
        std::string(VP_TEST_DATA_DIR) + "/progressbar/" + Name(golden) + ".png";
    const sim::SimRaster expected = tools::ReadPng(path);
    const sim::SimRaster actual =
        tools::RenderBar({.scrolling = golden.scrolling, .percent = golden.percent});
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
        const std::string drawn = ::testing::TempDir() + Name(golden) + ".actual.png";
        tools::WritePng(drawn, actual);
        ADD_FAILURE() << changed << " pixels differ from " << path << "; first " << first
                      << "; drawn now: " << drawn;
    }
}

std::vector<Golden> AllGoldens() {
    std::vector<Golden> all;
    for (int style = 0; style <= 9; ++style) {
        for (const int percent : {0, 50, 100}) {
            all.push_back({style, percent});
        }
    }
    return all;
}

INSTANTIATE_TEST_SUITE_P(EachStyle, GoldenImageTest, ::testing::ValuesIn(AllGoldens()),
                         [](const auto& param) {
                             return "Scrolling" + std::to_string(param.param.scrolling) + "At" +
                                    std::to_string(param.param.percent);
                         });

} // namespace
} // namespace vp::test
