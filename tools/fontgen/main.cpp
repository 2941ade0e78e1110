// fontgen: writes the terminal's raster fonts (.fon) and its scalable face (.ttf) from
// the Terminus Font bitmap strikes.
//
//   fontgen SOURCE_DIR OUT_DIR
//
// SOURCE_DIR holds the decompressed strikes (ter-u12n.pcf ... ter-u32n.pcf).
#include <cstdio>
#include <string>

#include "faces.h"
#include "fnt_file.h"
#include "pcf_font.h"
#include "truetype.h"

int main(int argc, char** argv) {
    using namespace fontgen;
    if (argc != 3) {
        std::fprintf(stderr, "usage: fontgen SOURCE_DIR OUT_DIR\n");
        return 2;
    }
    const std::string source_dir = argv[1], out_dir = argv[2];
    for (const FaceRecipe& recipe : face_recipes()) {
        CellFace face;
        std::string error;
        if (!build_face(recipe, source_dir, face, error)) {
            std::fprintf(stderr, "fontgen: %s\n", error.c_str());
            return 1;
        }
        std::vector<uint8_t> file;
        if (recipe.kind == FaceKind::Raster) {
            file = build_fon(face, kFontCopyright);
        } else {
            TrueTypeNames names{recipe.face_name, kFontCopyright, kFontLicense, "Version 1.000"};
            file = build_truetype(face, names);
        }
        if (!write_file(out_dir + "/" + recipe.file_name, file, error)) {
            std::fprintf(stderr, "fontgen: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
