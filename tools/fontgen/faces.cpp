#include "faces.h"

#include "cell_face.h"
#include "pcf_font.h"

namespace fontgen {

const char kFontCopyright[] = "Copyright (c) 2010-2014 Dimitar Toshkov Zhekov";
const char kFontLicense[] =
    "Derived from the Terminus Font bitmaps. Licensed under the SIL Open Font License, "
    "Version 1.1 (OFL.txt beside this file).";

// Terminus comes in cells of 6x12, 8x16, 10x18, 10x20, 12x24, 14x28 and 16x32 (the
// "n" strikes are the normal weight). Where it has no strike of the wanted cell, the
// nearest smaller strike of the same width is padded with blank rows (split above and
// below so the text sits mid-cell), and the one narrower cell gains a blank column on the
// right. Padding never cuts a pixel, and line-drawing and block glyphs continue their
// edge pixels into the new space so boxes still join cell to cell. The 20x48 face has no
// strike near it at all: it is the 10x24 face with every pixel doubled.
const std::vector<FaceRecipe>& face_recipes() {
    static const std::vector<FaceRecipe> recipes = {
        {"DOS10x18", "DOS10x18.fon", FaceKind::Raster, "ter-u18n", 0, 0, 0, 0, false, 10, 18},
        {"DOS7x12", "DOS7x12.fon", FaceKind::Raster, "ter-u12n", 0, 1, 0, 0, false, 7, 12},
        {"Full16x40", "Full16x40.fon", FaceKind::Raster, "ter-u32n", 0, 0, 4, 4, false, 16, 40},
        {"Full8x19", "Full8x19.fon", FaceKind::Raster, "ter-u16n", 0, 0, 1, 2, false, 8, 19},
        {"Full10x24", "Full10x24.fon", FaceKind::Raster, "ter-u20n", 0, 0, 2, 2, false, 10, 24},
        {"Full12x30", "Full12x30.fon", FaceKind::Raster, "ter-u24n", 0, 0, 3, 3, false, 12, 30},
        {"Full14x34", "Full14x34.fon", FaceKind::Raster, "ter-u28n", 0, 0, 3, 3, false, 14, 34},
        {"Full20x48", "Full20x48.fon", FaceKind::Raster, "ter-u20n", 0, 0, 2, 2, true, 20, 48},
        // The scalable face is traced from the largest strike: 16x32 pixels, 64 units each.
        {"Corvane", "Corvane.ttf", FaceKind::TrueType, "ter-u32n", 0, 0, 0, 0, false, 16, 32},
    };
    return recipes;
}

bool build_face(const FaceRecipe& recipe, const std::string& source_dir, CellFace& face,
                std::string& error) {
    std::vector<uint8_t> data;
    PcfFont source;
    const std::string path = source_dir + "/" + recipe.source + ".pcf";
    if (!read_file(path, data, error)) return false;
    if (!parse_pcf(data, source, error)) {
        error = path + ": " + error;
        return false;
    }
    if (!build_cp437_face(source, recipe.face_name, face, error)) {
        error = path + ": " + error;
        return false;
    }
    face = pad_face(face, recipe.pad_left, recipe.pad_right, recipe.pad_top, recipe.pad_bottom);
    if (recipe.doubled) face = double_face(face);
    if (face.cell_width != recipe.cell_width || face.cell_height != recipe.cell_height) {
        error = recipe.face_name + ": " + path + " gives a cell of " +
                std::to_string(face.cell_width) + "x" + std::to_string(face.cell_height);
        return false;
    }
    return true;
}

}  // namespace fontgen
