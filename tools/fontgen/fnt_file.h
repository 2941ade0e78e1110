// Windows raster font resources (FNT, version 3) and the NE executable (.fon) that
// carries them, so that the system's font loader installs them from a file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bitmap.h"

namespace fontgen {

constexpr uint8_t kOemCharset = 255;

// Text put in the font's copyright field (at most 59 characters are kept).
std::vector<uint8_t> build_fnt(const CellFace& face, const std::string& copyright);

// Wraps one FNT resource in a font library: MZ stub, NE header, resource table with a
// font directory and the font, resident and non-resident names.
std::vector<uint8_t> build_fon(const CellFace& face, const std::string& copyright);

// What a reader of the files sees; used by the checks.
struct FntInfo {
    uint32_t version = 0;
    uint32_t size = 0;
    std::string copyright;
    uint32_t type = 0;
    uint32_t points = 0;
    uint32_t ascent = 0;
    uint32_t charset = 0;
    uint32_t pix_width = 0;
    uint32_t pix_height = 0;
    uint32_t pitch_and_family = 0;
    uint32_t avg_width = 0;
    uint32_t max_width = 0;
    uint32_t first_char = 0;
    uint32_t last_char = 0;
    uint32_t flags = 0;
    std::string face_name;
    std::vector<Bitmap> glyphs;  // first_char..last_char
};

bool parse_fnt(const std::vector<uint8_t>& fnt, FntInfo& info, std::string& error);

struct FonInfo {
    std::string module_name;       // resident name table
    std::string description;       // non-resident name table ("FONTRES ...")
    std::vector<uint8_t> font_dir;  // FONTDIR resource
    std::vector<std::vector<uint8_t>> fonts;  // FONT resources
};

bool parse_fon(const std::vector<uint8_t>& fon, FonInfo& info, std::string& error);

}  // namespace fontgen
