// Reader for X11 portable compiled fonts (PCF), the form in which Debian ships the
// Terminus bitmap font (decompress the .pcf.gz first: `gzip -dc`).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "bitmap.h"

namespace fontgen {

struct PcfFont {
    int cell_width = 0;   // advance of the widest glyph (all equal in a character-cell font)
    int ascent = 0;       // font ascent above the baseline
    int descent = 0;      // font descent below the baseline
    // Glyphs by Unicode code point, each placed in a full cell_width x (ascent + descent) image.
    std::map<uint32_t, Bitmap> glyphs;
};

// Parses a decompressed PCF file. Returns false with a message on malformed input.
bool parse_pcf(const std::vector<uint8_t>& data, PcfFont& font, std::string& error);

// Reads a whole file; false with a message when it cannot be read.
bool read_file(const std::string& path, std::vector<uint8_t>& data, std::string& error);
bool write_file(const std::string& path, const std::vector<uint8_t>& data, std::string& error);

}  // namespace fontgen
