#include "glyph_table.h"

static constexpr std::array<uint8_t, 256> BuildGlyphTable() {
  std::array<uint8_t, 256> table{};
  for (int i = 0; i < 256; ++i) table[i] = static_cast<uint8_t>(i);
  // 0x1E and 0x1F are drawn as the double angle quotes.
  table[0x1E] = 0xAE;
  table[0x1F] = 0xAF;
  return table;
}

const std::array<uint8_t, 256> GlyphTable = BuildGlyphTable();
