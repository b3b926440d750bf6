// Screen capture and an uncompressed PNG writer (stored deflate blocks), with no library.
#include "Screenshot.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace vp::gui {
namespace {

void put32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>(value >> shift);
    }
}

// A PNG chunk: length, type, data, and the CRC-32 of type and data.
void chunk(std::string& png, const char* type, const std::string& data) {
    put32(png, static_cast<std::uint32_t>(data.size()));
    const std::string body = type + data;
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char byte : body) {
        crc ^= static_cast<std::uint8_t>(byte);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
        }
    }
    png += body;
    put32(png, ~crc);
}

} // namespace

Screenshot screenshotOf(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    Screenshot shot{area.right - area.left, area.bottom - area.top, {}};
    shot.pixels.resize(static_cast<std::size_t>(shot.width) * shot.height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.width, shot.height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, shot.width, -shot.height, 1, 32, BI_RGB}; // top-down
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(shot.height), shot.pixels.data(), &info,
              DIB_RGB_COLORS);
    for (auto& pixel : shot.pixels) {
        pixel &= 0xFFFFFFU;
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

std::uint32_t Screenshot::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return 0xFFFFFFFFU;
    }
    return pixels[static_cast<std::size_t>(y) * width + x];
}

bool Screenshot::writePng(const std::wstring& path) const {
    // Rows of 8-bit RGB, each after its filter byte (none), in stored deflate blocks.
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0';
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = at(x, y);
            raw += {static_cast<char>(p >> 16), static_cast<char>(p >> 8), static_cast<char>(p)};
        }
    }
    std::string zlib = "\x78\x01";
    for (std::size_t from = 0; from == 0 || from < raw.size(); from += 65535) {
        const std::size_t size = std::min<std::size_t>(65535, raw.size() - from);
        zlib +=
            {static_cast<char>(from + size >= raw.size()), static_cast<char>(size),
             static_cast<char>(size >> 8), static_cast<char>(~size), static_cast<char>(~size >> 8)};
        zlib += raw.substr(from, size);
    }
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const char byte : raw) {
        a = (a + static_cast<std::uint8_t>(byte)) % 65521;
        b = (b + a) % 65521;
    }
    put32(zlib, (b << 16) | a);
    std::string header;
    put32(header, static_cast<std::uint32_t>(width));
    put32(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x02\0\0\0", 5); // 8-bit RGB
    std::string png = "\x89PNG\r\n\x1A\n";
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", zlib);
    chunk(png, "IEND", {});
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    file << png;
    file.close();
    return !file.fail();
}

std::string hexColour(std::uint32_t rgb) {
    char text[16];
    std::snprintf(text, sizeof text, "%06x", rgb & 0xFFFFFFU);
    return text;
}

} // namespace vp::gui
