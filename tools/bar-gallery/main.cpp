// Draws the progress bar's styles with the simulated platform into PNG files:
//   vexoma-bar-gallery goldens DIR   the golden images of the pixel tests (scrollingN-P.png)
//   vexoma-bar-gallery sheet FILE    the contact sheet of all ten styles shown in the README
//   vexoma-bar-gallery zoom IN OUT N an image enlarged N times, pixel by pixel, for reviewing
#include "platform/sim/SimGraphics.h"
#include "raster-png/BarRendering.h"
#include "raster-png/RasterPng.h"

#include <exception>
#include <iostream>
#include <string>
#include <string_view>

namespace {

using vp::sim::SimRaster;

constexpr int GoldenPercents[] = {0, 50, 100};
constexpr int SheetPercents[] = {0, 25, 50, 75, 100};
constexpr const char* StyleNames[] = {"0 chunked", "1 continuous", "2 marquee", "3 flat",
                                      "4 etched",  "5 track",      "6 dark",    "7 hatched",
                                      "8 picture", "9 glossy"};

void writeGoldens(const std::string& dir) {
    for (int style = 0; style <= 9; ++style) {
        for (const int percent : GoldenPercents) {
            const std::string path = dir + "/scrolling" + std::to_string(style) + "-" +
                                     std::to_string(percent) + ".png";
            vp::tools::WritePng(path, vp::tools::RenderBar({.scrolling = style, .percent = percent}));
            std::cout << path << '\n';
        }
    }
}

void writeSheet(const std::string& path) {
    constexpr int Margin = 12;
    constexpr int LabelWidth = 96;
    constexpr int HeaderHeight = 22;
    constexpr int CellWidth = 281 + 14;
    constexpr int CellHeight = 17 + 12;
    constexpr int Columns = static_cast<int>(std::size(SheetPercents));
    const int width = Margin * 2 + LabelWidth + Columns * CellWidth;
    const int height = Margin * 2 + HeaderHeight + 10 * CellHeight;

    const vp::sim::SimSysColors colors;
    vp::sim::SimDeviceContext sheet(width, height, colors);
    const vp::sim::SimGraphics graphics;
    const vp::sim::SimFontObject font(vp::FontSpec{"Fixed", 8});
    const auto brush = vp::sim::SimBrush::solid(0xF0F0F0);
    vp::PixelRect all{0, 0, width, height};
    sheet.fillRect(all, brush);
    sheet.setBkMode(vp::gdi::Transparent);
    sheet.setTextColor(0x303030);
    const auto label = [&](std::string_view text, int x, int y) {
        vp::PixelRect rect{x, y, x + 400, y + 20};
        sheet.drawText(text, rect, vp::gdi::SingleLine, font);
    };
    for (int column = 0; column < Columns; ++column) {
        label(std::to_string(SheetPercents[column]) + " %",
              Margin + LabelWidth + column * CellWidth + 128, Margin);
    }
    for (int style = 0; style <= 9; ++style) {
        const int top = Margin + HeaderHeight + style * CellHeight;
        label(StyleNames[style], Margin, top + 2);
        for (int column = 0; column < Columns; ++column) {
            const SimRaster bar =
                vp::tools::RenderBar({.scrolling = style, .percent = SheetPercents[column]});
            const int left = Margin + LabelWidth + column * CellWidth;
            for (int y = 0; y < bar.height(); ++y) {
                for (int x = 0; x < bar.width(); ++x) {
                    sheet.setPixel(left + x, top + y, bar.pixel(x, y));
                }
            }
        }
    }
    vp::tools::WritePng(path, sheet.raster());
    std::cout << path << '\n';
}

void writeZoom(const std::string& in, const std::string& out, int factor) {
    const SimRaster source = vp::tools::ReadPng(in);
    SimRaster large(source.width() * factor, source.height() * factor, 0);
    for (int y = 0; y < large.height(); ++y) {
        for (int x = 0; x < large.width(); ++x) {
            large.setPixel(x, y, source.pixel(x / factor, y / factor));
        }
    }
    vp::tools::WritePng(out, large);
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view command = argc >= 3 ? argv[1] : "";
    try {
        if (command == "goldens") {
            writeGoldens(argv[2]);
        } else if (command == "zoom" && argc == 5) {
            writeZoom(argv[2], argv[3], std::stoi(argv[4]));
        } else if (command == "sheet") {
            writeSheet(argv[2]);
        } else {
            std::cerr << "usage: vexoma-bar-gallery goldens DIR | sheet FILE | zoom IN OUT N\n";
            return 2;
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
