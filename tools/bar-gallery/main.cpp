// Draws the progress bar's styles with the simulated platform into PNG files:
//   vexoma-bar-gallery goldens DIR   the golden images of the pixel tests (scrollingN-P.png)
//   vexoma-bar-gallery sheet FILE    the contact sheet of all ten styles shown in the README
//   vexoma-bar-gallery zoom IN OUT N an image enlarged N times, pixel by pixel, for reviewing
//   vexoma-bar-gallery compare DIR   the cross-check: DIR holds the same drawings made with GDI
//                                    (PPM files of vp-bar-render-driver.exe); every differing
//                                    pixel is counted as text, edge or other, and any other
//                                    difference fails
#include "platform/sim/SimGraphics.h"
#include "progressbar/XP_ProgressBar.h"
#include "raster-png/BarRendering.h"
#include "raster-png/RasterPng.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

using vp::sim::SimRaster;

constexpr int GoldenPercents[] = {0, 50, 100};
constexpr int SheetPercents[] = {0, 25, 50, 75, 100};
constexpr const char* StyleNames[] = {"0 chunked", "1 continuous", "2 marquee", "3 flat",
                                      "4 etched",  "5 track",      "6 dark",    "7 hatched",
                                      "8 picture", "9 glossy"};

// At 96 dpi "scrollingN-P.png", at 144 dpi "scrollingN-P-144dpi.png".
void writeGoldens(const std::string& dir) {
    for (const int dpi : {96, 144}) {
        for (int style = 0; style < vp::scrolling::Count; ++style) {
            for (const int percent : GoldenPercents) {
                const std::string path =
                    dir + "/scrolling" + std::to_string(style) + "-" + std::to_string(percent) +
                    (dpi == 96 ? "" : "-" + std::to_string(dpi) + "dpi") + ".png";
                vp::tools::WritePng(
                    path,
                    vp::tools::RenderBar({.scrolling = style, .percent = percent, .dpi = dpi}));
                std::cout << path << '\n';
            }
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
    for (int style = 0; style < vp::scrolling::Count; ++style) {
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

struct Drawing {
    SimRaster pixels;
    vp::PixelRect rcText;
};

// A binary PPM with the "# rcText l t r b" comment the driver writes.
Drawing readPpm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    std::string hash;
    std::string label;
    Drawing drawing;
    int width = 0;
    int height = 0;
    int maximum = 0;
    in >> magic >> hash >> label >> drawing.rcText.left >> drawing.rcText.top >>
        drawing.rcText.right >> drawing.rcText.bottom >> width >> height >> maximum;
    if (!in || magic != "P6" || label != "rcText" || maximum != 255) {
        throw std::runtime_error("not a drawing of the driver: " + path);
    }
    in.get();
    drawing.pixels = SimRaster(width, height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char rgb[3];
            in.read(reinterpret_cast<char*>(rgb), 3);
            drawing.pixels.setPixel(
                x, y, vp::Color{rgb[0]} | (vp::Color{rgb[1]} << 8) | (vp::Color{rgb[2]} << 16));
        }
    }
    if (!in) {
        throw std::runtime_error("short drawing: " + path);
    }
    return drawing;
}

// The text is centred: its rows of the rectangle, between its left edge and the same
// distance from the right. (The two-tone styles leave a rectangle cut at the fill's end.)
bool inText(const vp::PixelRect& r, int width, int x, int y) {
    return x >= r.left && x < width - r.left && y >= r.top && y < r.bottom;
}

std::string hex(vp::Color color) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", color);
    return text;
}

int compare(const std::string& dir) {
    int failing = 0;
    for (const bool showText : {false, true}) {
        for (int style = 0; style < vp::scrolling::Count; ++style) {
            for (const int percent : GoldenPercents) {
                const std::string name = "scrolling" + std::to_string(style) + "-" +
                                         std::to_string(percent) + (showText ? "-text" : "");
                const Drawing gdi = readPpm(dir + "/" + name + ".ppm");
                vp::PixelRect simText{};
                const SimRaster sim = vp::tools::RenderBar(
                    {.scrolling = style, .percent = percent, .showText = showText}, &simText);
                // The edges' own pixels belong to the platform's DrawEdge.
                const bool edged = style == 4 || style == 7 || style == 8;
                int text = 0;
                int edge = 0;
                int other = 0;
                std::string first;
                for (int y = 0; y < sim.height(); ++y) {
                    for (int x = 0; x < sim.width(); ++x) {
                        if (gdi.pixels.pixel(x, y) == sim.pixel(x, y)) {
                            continue;
                        }
                        if (showText && (inText(gdi.rcText, sim.width(), x, y) ||
                                         inText(simText, sim.width(), x, y))) {
                            ++text;
                        } else if (edged && (x < 2 || y < 2 || x >= sim.width() - 2 ||
                                             y >= sim.height() - 2)) {
                            ++edge;
                        } else if (other++ == 0) {
                            first = " first at (" + std::to_string(x) + ", " + std::to_string(y) +
                                    "): GDI " + hex(gdi.pixels.pixel(x, y)) + ", raster " +
                                    hex(sim.pixel(x, y));
                        }
                    }
                }
                if (text + edge + other > 0) {
                    std::cout << name << ": text " << text << ", edge " << edge << ", other "
                              << other << first << '\n';
                }
                failing += other > 0 ? 1 : 0;
            }
        }
    }
    std::cout << (failing == 0 ? "every drawing matches outside text and edges\n"
                               : std::to_string(failing) + " drawings differ elsewhere\n");
    return failing == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view command = argc >= 3 ? argv[1] : "";
    try {
        if (command == "goldens") {
            writeGoldens(argv[2]);
        } else if (command == "compare") {
            return compare(argv[2]);
        } else if (command == "zoom" && argc == 5) {
            writeZoom(argv[2], argv[3], std::stoi(argv[4]));
        } else if (command == "sheet") {
            writeSheet(argv[2]);
        } else {
            std::cerr << "usage: vexoma-bar-gallery goldens DIR | sheet FILE | zoom IN OUT N | "
                         "compare DIR\n";
            return 2;
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
