// The program's own faces and how each is made from the Terminus Font bitmaps.
#pragma once

#include <string>
#include <vector>

#include "bitmap.h"

namespace fontgen {

enum class FaceKind { Raster, TrueType };

struct FaceRecipe {
    std::string face_name;   // the name the terminal asks the system for
    std::string file_name;   // generated file
    FaceKind kind;
    std::string source;      // Terminus strike, e.g. "ter-u18n" (file <source>.pcf)
    int pad_left, pad_right, pad_top, pad_bottom;
    bool doubled;            // pixels doubled after padding
    int cell_width, cell_height;  // the resulting cell, checked after building
};

const std::vector<FaceRecipe>& face_recipes();

// Builds one face from the decompressed Terminus strikes in `source_dir`.
bool build_face(const FaceRecipe& recipe, const std::string& source_dir, CellFace& face,
                std::string& error);

// Strings carried in the generated files.
extern const char kFontCopyright[];
extern const char kFontLicense[];

}  // namespace fontgen
