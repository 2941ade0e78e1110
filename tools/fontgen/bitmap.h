// A one-bit glyph image and a face of equal-sized cells indexed by code page 437 code.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace fontgen {

// Pixels row by row, one byte per pixel (0 = background, 1 = ink).
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    Bitmap() = default;
    Bitmap(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0) {}

    bool ink(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] != 0; }
    void set(int x, int y, bool on) { pixels[static_cast<size_t>(y) * width + x] = on ? 1 : 0; }
    bool operator==(const Bitmap& o) const {
        return width == o.width && height == o.height && pixels == o.pixels;
    }
    bool operator!=(const Bitmap& o) const { return !(*this == o); }
};

// Every glyph is exactly one cell: cell_width x cell_height, baseline `ascent` rows
// below the cell top.
struct CellFace {
    std::string face_name;
    int cell_width = 0;
    int cell_height = 0;
    int ascent = 0;
    std::array<Bitmap, 256> glyphs;
};

}  // namespace fontgen
