#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "faces.h"
#include "fnt_file.h"
#include "glyph_edges.h"
#include "pcf_font.h"
#include "test_paths.h"

using namespace fontgen;

namespace {

std::vector<uint8_t> load(const std::string& file) {
    std::vector<uint8_t> data;
    std::string error;
    EXPECT_TRUE(read_file(fontgen_test::font_path(file), data, error)) << error;
    return data;
}

std::vector<FaceRecipe> raster_recipes() {
    std::vector<FaceRecipe> out;
    for (const auto& r : face_recipes())
        if (r.kind == FaceKind::Raster) out.push_back(r);
    return out;
}

}  // namespace

TEST(FonFile, AllEightRasterFacesAreGenerated) {
    std::vector<std::string> names;
    for (const auto& r : raster_recipes()) names.push_back(r.face_name);
    EXPECT_EQ(names, (std::vector<std::string>{"DOS10x18", "DOS7x12", "Full16x40", "Full8x19",
                                               "Full10x24", "Full12x30", "Full14x34",
                                               "Full20x48"}));
}

TEST(FonFile, HeadersDescribeAFixedOemFaceOfTheCellSize) {
    for (const auto& r : raster_recipes()) {
        SCOPED_TRACE(r.file_name);
        FonInfo fon;
        std::string error;
        ASSERT_TRUE(parse_fon(load(r.file_name), fon, error)) << error;
        EXPECT_EQ(fon.module_name, [&] {
            std::string s = r.face_name;
            for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            return s;
        }());
        EXPECT_EQ(fon.description, "FONTRES 100,96,96 : " + r.face_name);
        ASSERT_EQ(fon.fonts.size(), 1u);
        // Font directory: one entry, ordinal 1, ending with an empty device name and the face.
        ASSERT_GT(fon.font_dir.size(), 4u + 113u);
        EXPECT_EQ(fon.font_dir[0] | fon.font_dir[1] << 8, 1);
        EXPECT_EQ(fon.font_dir[2] | fon.font_dir[3] << 8, 1);
        const std::string dir_tail(fon.font_dir.begin() + 4 + 113, fon.font_dir.end());
        EXPECT_EQ(dir_tail.substr(0, 1 + r.face_name.size() + 1),
                  std::string(1, '\0') + r.face_name + std::string(1, '\0'));

        FntInfo fnt;
        ASSERT_TRUE(parse_fnt(fon.fonts[0], fnt, error)) << error;
        EXPECT_EQ(fnt.version, 0x300u);
        EXPECT_EQ(fnt.face_name, r.face_name);
        EXPECT_EQ(fnt.type, 0u);  // raster
        EXPECT_EQ(fnt.pix_width, static_cast<uint32_t>(r.cell_width));
        EXPECT_EQ(fnt.pix_height, static_cast<uint32_t>(r.cell_height));
        EXPECT_EQ(fnt.avg_width, static_cast<uint32_t>(r.cell_width));
        EXPECT_EQ(fnt.max_width, static_cast<uint32_t>(r.cell_width));
        EXPECT_EQ(fnt.charset, 255u);
        EXPECT_EQ(fnt.first_char, 0u);
        EXPECT_EQ(fnt.last_char, 255u);
        EXPECT_EQ(fnt.pitch_and_family & 1, 0u) << "fixed pitch has the low bit clear";
        EXPECT_EQ(fnt.flags & 1, 1u);
        EXPECT_LT(fnt.ascent, fnt.pix_height);
        EXPECT_GT(fnt.ascent, fnt.pix_height / 2);
        EXPECT_EQ(fnt.copyright, kFontCopyright);
        // The directory repeats the font's header fields.
        EXPECT_TRUE(std::equal(fon.font_dir.begin() + 4, fon.font_dir.begin() + 4 + 109,
                               fon.fonts[0].begin()));
    }
}

TEST(FonFile, GlyphsAreExactlyTheFaceBitmaps) {
    for (const auto& r : raster_recipes()) {
        SCOPED_TRACE(r.file_name);
        CellFace face;
        FonInfo fon;
        FntInfo fnt;
        std::string error;
        ASSERT_TRUE(build_face(r, fontgen_test::strike_dir(), face, error)) << error;
        ASSERT_TRUE(parse_fon(load(r.file_name), fon, error)) << error;
        ASSERT_EQ(fon.fonts.size(), 1u);
        ASSERT_TRUE(parse_fnt(fon.fonts[0], fnt, error)) << error;
        ASSERT_EQ(fnt.glyphs.size(), 256u);
        for (int code = 0; code < 256; ++code)
            EXPECT_EQ(fnt.glyphs[code], face.glyphs[code]) << "code " << code;
    }
}

TEST(FonFile, DamagedFilesAreRejected) {
    const std::vector<uint8_t> fon = load("DOS7x12.fon");
    FonInfo info;
    FntInfo fnt;
    std::string error;
    ASSERT_TRUE(parse_fon(fon, info, error)) << error;
    const std::vector<uint8_t> good_fnt = info.fonts.at(0);

    std::vector<uint8_t> cut(good_fnt.begin(), good_fnt.end() - 100);
    EXPECT_FALSE(parse_fnt(cut, fnt, error)) << "size field no longer matches";
    std::vector<uint8_t> wrong_version = good_fnt;
    wrong_version[1] = 0x01;
    EXPECT_FALSE(parse_fnt(wrong_version, fnt, error));
    std::vector<uint8_t> no_ne = fon;
    no_ne[0x80] = 'X';
    EXPECT_FALSE(parse_fon(no_ne, info, error));
    std::vector<uint8_t> half(fon.begin(), fon.begin() + static_cast<long>(fon.size() / 2));
    EXPECT_FALSE(parse_fon(half, info, error));
}

// fontconfig (FreeType underneath) reads the files as the faces they claim to be.
TEST(FonFile, FontconfigSeesTheFaces) {
    if (std::system("command -v fc-scan >/dev/null 2>&1") != 0) GTEST_SKIP() << "fc-scan not installed";
    for (const auto& r : face_recipes()) {
        const std::string cmd = "fc-scan --format '%{family}|%{spacing}|%{fontformat}' '" +
                                fontgen_test::font_path(r.file_name) + "'";
        FILE* p = popen(cmd.c_str(), "r");
        ASSERT_NE(p, nullptr);
        char buf[256] = {};
        const size_t n = fread(buf, 1, sizeof buf - 1, p);
        pclose(p);
        const std::string got(buf, n);
        const std::string format = r.kind == FaceKind::Raster ? "Windows FNT" : "TrueType";
        EXPECT_EQ(got, r.face_name + "|100|" + format) << r.file_name;
    }
}
