// The fixed translation every character passes on its way into a cell.
#pragma once
#include <array>
#include <cstdint>

extern const std::array<uint8_t, 256> GlyphTable;

// Box-drawing glyphs (code page 437, 176..223) survive the keep-lines fill.
inline bool IsBoxGlyph(uint8_t glyph) { return glyph >= 176 && glyph <= 223; }
