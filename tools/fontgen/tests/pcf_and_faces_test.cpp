#include <gtest/gtest.h>

#include "cell_face.h"
#include "cp437.h"
#include "faces.h"
#include "glyph_edges.h"
#include "pcf_font.h"
#include "test_paths.h"

using namespace fontgen;
using fontgen_test::columns_at_row;
using fontgen_test::edges_reached;
using fontgen_test::rows_at_column;

namespace {

PcfFont load_strike(const std::string& name) {
    std::vector<uint8_t> data;
    std::string error;
    PcfFont font;
    EXPECT_TRUE(read_file(fontgen_test::strike_dir() + "/" + name + ".pcf", data, error)) << error;
    EXPECT_TRUE(parse_pcf(data, font, error)) << name << ": " << error;
    return font;
}

bool blank(const Bitmap& g) {
    for (uint8_t p : g.pixels)
        if (p) return false;
    return true;
}

}  // namespace

TEST(Pcf, StrikesHaveTheirCellSizes) {
    struct Case {
        const char* strike;
        int width, ascent, descent;
    };
    const Case cases[] = {{"ter-u12n", 6, 10, 2},  {"ter-u16n", 8, 12, 4},  {"ter-u18n", 10, 15, 3},
                          {"ter-u20n", 10, 16, 4}, {"ter-u24n", 12, 19, 5}, {"ter-u28n", 14, 22, 6},
                          {"ter-u32n", 16, 26, 6}};
    for (const auto& c : cases) {
        const PcfFont f = load_strike(c.strike);
        EXPECT_EQ(f.cell_width, c.width) << c.strike;
        EXPECT_EQ(f.ascent, c.ascent) << c.strike;
        EXPECT_EQ(f.descent, c.descent) << c.strike;
        ASSERT_TRUE(f.glyphs.count('H')) << c.strike;
        const Bitmap& h = f.glyphs.at('H');
        // "H": two stems joined by a bar; the top-left stem pixel sits in the cap-height rows.
        int inked_rows = 0;
        for (int y = 0; y < h.height; ++y) inked_rows += !columns_at_row(h, y).empty();
        EXPECT_GT(inked_rows, h.height / 2) << c.strike;
        EXPECT_TRUE(columns_at_row(h, 0).empty()) << c.strike << ": ink in the top row of H";
    }
}

TEST(Pcf, DamagedFilesAreRejectedWithoutReadingOutOfBounds) {
    std::vector<uint8_t> data;
    std::string error;
    ASSERT_TRUE(read_file(fontgen_test::strike_dir() + "/ter-u12n.pcf", data, error));
    PcfFont font;
    for (size_t len : {size_t{0}, size_t{3}, size_t{8}, size_t{40}, size_t{200}, size_t{1000},
                       size_t{20000}, data.size() / 2}) {
        std::vector<uint8_t> cut(data.begin(), data.begin() + static_cast<long>(len));
        EXPECT_FALSE(parse_pcf(cut, font, error)) << "length " << len;
    }
    // Wild table offsets, counts and sizes in the table of contents.
    for (size_t at = 4; at < 8 + 16 * 9; at += 3) {
        std::vector<uint8_t> bad = data;
        bad[at] ^= 0xA5;
        bad[at + 1] ^= 0x7F;
        parse_pcf(bad, font, error);  // must not crash; sanitizers watch the reads
    }
    EXPECT_FALSE(parse_pcf(std::vector<uint8_t>{'n', 'o', 'p', 'e', 0, 0, 0, 0}, font, error));
}

TEST(Faces, EveryRecipeGivesItsCellAndAFullCodePage) {
    for (const FaceRecipe& r : face_recipes()) {
        CellFace face;
        std::string error;
        ASSERT_TRUE(build_face(r, fontgen_test::strike_dir(), face, error)) << error;
        EXPECT_EQ(face.cell_width, r.cell_width);
        EXPECT_EQ(face.cell_height, r.cell_height);
        for (int code = 0; code < 256; ++code) {
            const Bitmap& g = face.glyphs[code];
            ASSERT_EQ(g.width, r.cell_width);
            ASSERT_EQ(g.height, r.cell_height);
            const bool should_be_blank = code == 0 || code == 32 || code == 255;
            EXPECT_EQ(blank(g), should_be_blank) << r.face_name << " code " << code;
        }
    }
}

TEST(Faces, CodePageMapsToTheRightPictures) {
    EXPECT_EQ(cp437_to_unicode(1), 0x263Au);
    EXPECT_EQ(cp437_to_unicode(127), 0x2302u);
    EXPECT_EQ(cp437_to_unicode(158), 0x20A7u);
    EXPECT_EQ(cp437_to_unicode(176), 0x2591u);
    EXPECT_EQ(cp437_to_unicode(201), 0x2554u);
    EXPECT_EQ(cp437_to_unicode(205), 0x2550u);
    EXPECT_EQ(cp437_to_unicode(219), 0x2588u);
    EXPECT_EQ(cp437_to_unicode(224), 0x03B1u);
    EXPECT_EQ(cp437_to_unicode(254), 0x25A0u);
    EXPECT_EQ(cp437_to_unicode('A'), 0x41u);
    // Glyphs differ where the pictures differ: single and double lines, shades.
    CellFace face;
    std::string error;
    ASSERT_TRUE(build_face(face_recipes()[0], fontgen_test::strike_dir(), face, error)) << error;
    EXPECT_NE(face.glyphs[196], face.glyphs[205]);
    EXPECT_NE(face.glyphs[176], face.glyphs[177]);
    EXPECT_NE(face.glyphs[177], face.glyphs[178]);
}

// Line-drawing glyphs reach exactly the cell edges their picture has arms on.
TEST(Faces, BoxGlyphsReachTheirEdges) {
    struct Case {
        int code;
        bool left, right, top, bottom;
    };
    const Case cases[] = {
        {196, true, true, false, false},  {205, true, true, false, false},
        {179, false, false, true, true},  {186, false, false, true, true},
        {197, true, true, true, true},    {206, true, true, true, true},
        {201, false, true, false, true},  {187, true, false, false, true},
        {200, false, true, true, false},  {188, true, false, true, false},
        {218, false, true, false, true},  {191, true, false, false, true},
        {192, false, true, true, false},  {217, true, false, true, false},
        {195, false, true, true, true},   {180, true, false, true, true},
        {203, true, true, false, true},   {202, true, true, true, false},
        {219, true, true, true, true},    {220, true, true, false, true},
        {8, true, true, true, true},      {10, true, true, true, true},
        {223, true, true, true, false},
    };
    for (const FaceRecipe& r : face_recipes()) {
        CellFace face;
        std::string error;
        ASSERT_TRUE(build_face(r, fontgen_test::strike_dir(), face, error)) << error;
        for (const auto& c : cases) {
            const auto e = edges_reached(face.glyphs[c.code]);
            EXPECT_EQ(e.left, c.left) << r.face_name << " code " << c.code << " left";
            EXPECT_EQ(e.right, c.right) << r.face_name << " code " << c.code << " right";
            EXPECT_EQ(e.top, c.top) << r.face_name << " code " << c.code << " top";
            EXPECT_EQ(e.bottom, c.bottom) << r.face_name << " code " << c.code << " bottom";
        }
    }
}

// Neighbouring line glyphs meet: the rows inked on one glyph's right edge are the rows
// inked on the next glyph's left edge, and likewise columns between rows of cells.
TEST(Faces, NeighbouringBoxGlyphsJoin) {
    const std::pair<int, int> side_by_side[] = {
        {201, 205}, {205, 187}, {200, 205}, {205, 188}, {204, 205}, {205, 185}, {205, 206},
        {218, 196}, {196, 191}, {192, 196}, {196, 217}, {195, 196}, {196, 197}, {197, 196},
        {205, 209}, {196, 210}, {219, 219}, {176, 176}, {177, 177}, {178, 178}};
    const std::pair<int, int> stacked[] = {
        {201, 186}, {186, 200}, {186, 204}, {204, 186}, {187, 186}, {186, 188}, {206, 186},
        {218, 179}, {179, 192}, {179, 195}, {197, 179}, {179, 197}, {191, 179}, {179, 217},
        {219, 219}, {220, 223}, {176, 176}, {177, 177}, {178, 178}};
    for (const FaceRecipe& r : face_recipes()) {
        CellFace face;
        std::string error;
        ASSERT_TRUE(build_face(r, fontgen_test::strike_dir(), face, error)) << error;
        const int w = face.cell_width, h = face.cell_height;
        for (const auto& [a, b] : side_by_side) {
            if (a >= 176 && a <= 178) continue;  // shades: checked for pattern below
            EXPECT_EQ(rows_at_column(face.glyphs[a], w - 1), rows_at_column(face.glyphs[b], 0))
                << r.face_name << ": " << a << " then " << b;
        }
        for (const auto& [a, b] : stacked) {
            if (a >= 176 && a <= 178) continue;
            if (a == 220) continue;  // lower half over upper half: both reach the shared edge
            EXPECT_EQ(columns_at_row(face.glyphs[a], h - 1), columns_at_row(face.glyphs[b], 0))
                << r.face_name << ": " << a << " above " << b;
        }
        // Half blocks stacked lower-over-upper fill the shared edge completely.
        EXPECT_EQ(columns_at_row(face.glyphs[220], h - 1).size(), static_cast<size_t>(w));
        EXPECT_EQ(columns_at_row(face.glyphs[223], 0).size(), static_cast<size_t>(w));
    }
}

TEST(Faces, PaddingKeepsSourcePixelsAndContinuesLinesAndShades) {
    CellFace face;
    face.face_name = "T";
    face.cell_width = 4;
    face.cell_height = 4;
    face.ascent = 3;
    for (auto& g : face.glyphs) g = Bitmap(4, 4);
    // 'A' (ordinary): one dot in the corner. 196: a horizontal line on row 1.
    // 179: a vertical line on column 2. 177: a checkerboard.
    face.glyphs['A'].set(3, 3, true);
    for (int x = 0; x < 4; ++x) face.glyphs[196].set(x, 1, true);
    for (int y = 0; y < 4; ++y) face.glyphs[179].set(2, y, true);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) face.glyphs[177].set(x, y, (x + y) % 2 == 0);

    const CellFace p = pad_face(face, 1, 2, 3, 1);
    EXPECT_EQ(p.cell_width, 7);
    EXPECT_EQ(p.cell_height, 8);
    EXPECT_EQ(p.ascent, 6);
    for (int code : {int{'A'}, 196, 179, 177})
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(p.glyphs[code].ink(x + 1, y + 3), face.glyphs[code].ink(x, y)) << code;
    // Ordinary glyphs: nothing new.
    int a_ink = 0;
    for (uint8_t px : p.glyphs['A'].pixels) a_ink += px;
    EXPECT_EQ(a_ink, 1);
    // The line runs the full new width on its row, and the full new height on its column.
    EXPECT_EQ(columns_at_row(p.glyphs[196], 4).size(), 7u);
    EXPECT_EQ(rows_at_column(p.glyphs[196], 0), std::set<int>({4}));
    EXPECT_EQ(rows_at_column(p.glyphs[179], 3).size(), 8u);
    EXPECT_EQ(columns_at_row(p.glyphs[179], 0), std::set<int>({3}));
    // The checkerboard stays a checkerboard everywhere, new space included.
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(p.glyphs[177].ink(x, y), (x - 1 + y - 3 + 8) % 2 == 0) << x << "," << y;
}

TEST(Faces, DerivedFacesAreTheSourceStrikesPaddedOrDoubled) {
    CellFace f10x24, f20x48, f12x30;
    std::string error;
    for (const FaceRecipe& r : face_recipes()) {
        CellFace* target = r.face_name == "Full10x24"   ? &f10x24
                           : r.face_name == "Full20x48" ? &f20x48
                           : r.face_name == "Full12x30" ? &f12x30
                                                        : nullptr;
        if (target) {
            ASSERT_TRUE(build_face(r, fontgen_test::strike_dir(), *target, error)) << error;
        }
    }
    for (int code = 0; code < 256; ++code)
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(f20x48.glyphs[code].ink(x, y), f10x24.glyphs[code].ink(x / 2, y / 2)) << code;
    const PcfFont s24 = load_strike("ter-u24n");
    for (int code : {int{'A'}, int{'g'}, 201, 178}) {
        const Bitmap& src = s24.glyphs.at(cp437_to_unicode(static_cast<uint8_t>(code)));
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 12; ++x)
                EXPECT_EQ(f12x30.glyphs[code].ink(x, y + 3), src.ink(x, y)) << code;
    }
    EXPECT_EQ(f12x30.ascent, s24.ascent + 3);
}
