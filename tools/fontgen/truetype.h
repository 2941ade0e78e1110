// A scalable TrueType face traced from a bitmap face: every glyph's ink is a set of
// axis-aligned rectangles on the pixel grid, so at the bitmap's own pixel size the
// outlines render exactly the source pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bitmap.h"

namespace fontgen {

struct TrueTypeNames {
    std::string family;     // the face name programs ask for
    std::string copyright;
    std::string license;
    std::string version;    // "Version 1.000"
};

// Glyph n + 1 is code page 437 code n. Two character maps: Unicode (platform 0) for
// tools and Unicode-aware callers, and the symbol map (code n at U+F000 + n, platform 3,
// encoding 0) that makes the face a symbol-set font, through which byte text draws
// code page 437 codes unchanged.
std::vector<uint8_t> build_truetype(const CellFace& face, const TrueTypeNames& names);

// Units per em used for a face of the given cell height: each pixel is 64 units square.
int truetype_units_per_em(const CellFace& face);

// A rectangle of ink in pixel coordinates (x0, y0 inclusive; x1, y1 exclusive; y down).
struct PixelRect {
    int x0, y0, x1, y1;
};

// Runs of ink per row, merged downwards while the same run repeats in the next row.
std::vector<PixelRect> ink_rectangles(const Bitmap& glyph);

}  // namespace fontgen
