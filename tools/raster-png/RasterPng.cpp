// PNG reading and writing through libpng. Native tools and tests only; never the program.
#include "raster-png/RasterPng.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace vp::tools {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void fail(const std::string& what, const std::string& path) {
    throw std::runtime_error(what + ": " + path);
}

} // namespace

void WritePng(const std::string& path, const sim::SimRaster& raster) {
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        fail("cannot create", path);
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(raster.width());
    image.height = static_cast<png_uint_32>(raster.height());
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes;
    bytes.reserve(raster.pixels().size() * 3);
    for (const Color pixel : raster.pixels()) {
        bytes.push_back(static_cast<png_byte>(pixel & 0xFF));         // red
        bytes.push_back(static_cast<png_byte>((pixel >> 8) & 0xFF));  // green
        bytes.push_back(static_cast<png_byte>((pixel >> 16) & 0xFF)); // blue
    }
    if (png_image_write_to_stdio(&image, file.get(), 0, bytes.data(), 0, nullptr) == 0) {
        fail(std::string("cannot write (") + image.message + ")", path);
    }
}

sim::SimRaster ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        fail(std::string("cannot read (") + image.message + ")", path);
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        fail(std::string("cannot decode (") + image.message + ")", path);
    }
    const int width = static_cast<int>(image.width);
    const int height = static_cast<int>(image.height);
    sim::SimRaster raster(width, height, 0);
    std::size_t at = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, at += 3) {
            raster.setPixel(x, y,
                            Color{bytes[at]} | (Color{bytes[at + 1]} << 8) |
                                (Color{bytes[at + 2]} << 16));
        }
    }
    return raster;
}

} // namespace vp::tools
