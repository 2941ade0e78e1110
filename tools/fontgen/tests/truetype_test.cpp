#include <gtest/gtest.h>

#include <map>

#include "byte_io.h"
#include "glyph_edges.h"
#include "faces.h"
#include "pcf_font.h"
#include "test_paths.h"
#include "truetype.h"

using namespace fontgen;

namespace {

struct TableRef {
    uint32_t checksum, offset, length;
};

uint32_t sum_words(const std::vector<uint8_t>& d, size_t offset, size_t length) {
    uint32_t sum = 0;
    for (size_t i = 0; i < length; i += 4) {
        uint32_t word = 0;
        for (size_t j = 0; j < 4; ++j) word = word << 8 | (i + j < length ? d[offset + i + j] : 0);
        sum += word;
    }
    return sum;
}

class TrueTypeFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(read_file(fontgen_test::font_path("Corvane.ttf"), data, error)) << error;
        ByteReader r(data);
        const uint32_t n = r.be16(4);
        for (uint32_t i = 0; i < n; ++i) {
            const size_t e = 12 + 16 * i;
            std::string tag(data.begin() + static_cast<long>(e), data.begin() + static_cast<long>(e) + 4);
            tags.push_back(tag);
            tables[tag] = {r.be32(e + 4), r.be32(e + 8), r.be32(e + 12)};
        }
        ASSERT_TRUE(r.ok());
        for (const auto& r2 : face_recipes()) {
            if (r2.kind == FaceKind::TrueType) {
                ASSERT_TRUE(build_face(r2, fontgen_test::strike_dir(), face, error)) << error;
            }
        }
    }

    size_t at(const std::string& tag) { return tables.at(tag).offset; }

    // Glyph for a code point through a format 4 subtable at `sub`.
    uint32_t lookup(size_t sub, uint32_t code) {
        ByteReader r(data);
        EXPECT_EQ(r.be16(sub), 4u);
        const uint32_t segs = r.be16(sub + 6) / 2;
        const size_t ends = sub + 14, starts = ends + 2 * segs + 2, deltas = starts + 2 * segs,
                     ranges = deltas + 2 * segs;
        for (uint32_t s = 0; s < segs; ++s) {
            if (code > r.be16(ends + 2 * s)) continue;
            if (code < r.be16(starts + 2 * s)) return 0;
            EXPECT_EQ(r.be16(ranges + 2 * s), 0u);
            return (code + r.be16(deltas + 2 * s)) & 0xFFFF;
        }
        return 0;
    }

    size_t subtable(uint32_t platform, uint32_t encoding) {
        ByteReader r(data);
        const size_t cmap = at("cmap");
        const uint32_t n = r.be16(cmap + 2);
        for (uint32_t i = 0; i < n; ++i)
            if (r.be16(cmap + 4 + 8 * i) == platform && r.be16(cmap + 6 + 8 * i) == encoding)
                return cmap + r.be32(cmap + 8 + 8 * i);
        return 0;
    }

    // Decodes glyph `gid` and fills the pixel grid by the non-zero winding rule, sampling
    // pixel centres: what a rasteriser draws at the face's own pixel size.
    Bitmap rasterise(uint32_t gid) {
        ByteReader r(data);
        const int unit = 64;
        const size_t loca = at("loca"), glyf = at("glyf");
        const size_t start = glyf + r.be32(loca + 4 * gid), end = glyf + r.be32(loca + 4 * gid + 4);
        Bitmap out(face.cell_width, face.cell_height);
        if (start == end) return out;
        const int contours = r.sbe16(start);
        EXPECT_GT(contours, 0);
        std::vector<int> ends;
        for (int c = 0; c < contours; ++c) ends.push_back(static_cast<int>(r.be16(start + 10 + 2 * c)));
        const int points = ends.back() + 1;
        size_t p = start + 10 + 2 * contours;
        p += 2 + r.be16(p);
        std::vector<uint8_t> flags;
        while (static_cast<int>(flags.size()) < points) {
            const uint8_t f = static_cast<uint8_t>(r.u8(p++));
            flags.push_back(f);
            if (f & 8) {
                const uint32_t repeat = r.u8(p++);
                for (uint32_t k = 0; k < repeat; ++k) flags.push_back(f);
            }
        }
        std::vector<int> xs(points), ys(points);
        int v = 0;
        for (int i = 0; i < points; ++i) {
            const uint8_t f = flags[i];
            if (f & 2) v += (f & 0x10) ? static_cast<int>(r.u8(p++)) : -static_cast<int>(r.u8(p++));
            else if (!(f & 0x10)) { v += r.sbe16(p); p += 2; }
            xs[i] = v;
        }
        v = 0;
        for (int i = 0; i < points; ++i) {
            const uint8_t f = flags[i];
            if (f & 4) v += (f & 0x20) ? static_cast<int>(r.u8(p++)) : -static_cast<int>(r.u8(p++));
            else if (!(f & 0x20)) { v += r.sbe16(p); p += 2; }
            ys[i] = v;
            EXPECT_TRUE(f & 1) << "all points on the curve";
        }
        EXPECT_LE(p, end);
        EXPECT_TRUE(r.ok());
        for (int py = 0; py < out.height; ++py) {
            for (int px = 0; px < out.width; ++px) {
                const double cx = (px + 0.5) * unit, cy = (face.ascent - py - 0.5) * unit;
                int winding = 0, first = 0;
                for (int c = 0; c < contours; ++c) {
                    for (int i = first; i <= ends[c]; ++i) {
                        const int j = i == ends[c] ? first : i + 1;
                        const double x0 = xs[i], y0 = ys[i], x1 = xs[j], y1 = ys[j];
                        if ((y0 <= cy) != (y1 <= cy)) {
                            const double xc = x0 + (cy - y0) / (y1 - y0) * (x1 - x0);
                            if (xc > cx) winding += y1 > y0 ? 1 : -1;
                        }
                    }
                    first = ends[c] + 1;
                }
                out.set(px, py, winding != 0);
            }
        }
        return out;
    }

    std::vector<uint8_t> data;
    std::vector<std::string> tags;
    std::map<std::string, TableRef> tables;
    CellFace face;
};

}  // namespace

TEST_F(TrueTypeFile, DirectoryAndChecksumsAreConsistent) {
    EXPECT_EQ(ByteReader(data).be32(0), 0x00010000u);
    EXPECT_TRUE(std::is_sorted(tags.begin(), tags.end()));
    for (const char* t : {"OS/2", "cmap", "glyf", "head", "hhea", "hmtx", "loca", "maxp", "name", "post"})
        EXPECT_TRUE(tables.count(t)) << t;
    std::vector<uint8_t> zeroed = data;
    const size_t adj = at("head") + 8;
    zeroed[adj] = zeroed[adj + 1] = zeroed[adj + 2] = zeroed[adj + 3] = 0;
    for (const auto& [tag, t] : tables) {
        EXPECT_EQ(t.offset % 4, 0u) << tag;
        ASSERT_LE(static_cast<size_t>(t.offset) + t.length, data.size()) << tag;
        EXPECT_EQ(sum_words(zeroed, t.offset, t.length), t.checksum) << tag;
    }
    EXPECT_EQ(data.size() % 4, 0u);
    EXPECT_EQ(sum_words(data, 0, data.size()), 0xB1B0AFBAu) << "whole-file checksum";
}

TEST_F(TrueTypeFile, MetricsMakeOneCellPerCharacterAndTheCellOneEm) {
    ByteReader r(data);
    const uint32_t upem = r.be16(at("head") + 18);
    EXPECT_EQ(upem, 2048u);
    const uint32_t glyphs = r.be16(at("maxp") + 4);
    EXPECT_EQ(glyphs, 257u);
    const uint32_t metrics = r.be16(at("hhea") + 34);
    ASSERT_EQ(metrics, glyphs);
    ASSERT_EQ(tables.at("hmtx").length, 4 * glyphs);
    for (uint32_t g = 0; g < glyphs; ++g) EXPECT_EQ(r.be16(at("hmtx") + 4 * g), 1024u) << g;
    const size_t os2 = at("OS/2");
    EXPECT_EQ(r.be16(os2 + 2), 1024u) << "average width";
    EXPECT_EQ(r.be16(os2 + 74) + r.be16(os2 + 76), upem) << "win ascent + descent";
    EXPECT_EQ(r.sbe16(os2 + 68) - r.sbe16(os2 + 70), static_cast<int>(upem)) << "typo ascender - descender";
    EXPECT_EQ(r.sbe16(at("hhea") + 4) - r.sbe16(at("hhea") + 6), static_cast<int>(upem));
    EXPECT_EQ(r.be32(os2 + 78) & 0x80000000u, 0x80000000u) << "symbol code page";
    EXPECT_EQ(r.u8(os2 + 32 + 3), 9u) << "panose: monospaced";
    EXPECT_EQ(r.be32(at("post") + 12), 1u) << "fixed pitch";
    EXPECT_EQ(r.be16(at("head") + 50), 1u) << "long loca";
    EXPECT_EQ(r.be32(at("loca") + 4 * glyphs), tables.at("glyf").length);
}

TEST_F(TrueTypeFile, CharacterMapsReachTheCodePageGlyphs) {
    const size_t uni = subtable(0, 3), sym = subtable(3, 0);
    ASSERT_NE(uni, 0u);
    ASSERT_NE(sym, 0u);
    struct Case {
        uint32_t unicode;
        int code;
    };
    const Case cases[] = {{0x2550, 205}, {0x2554, 201}, {0x2557, 187}, {0x2500, 196},
                          {0x2502, 179}, {0x253C, 197}, {0x2588, 219}, {0x2591, 176},
                          {0x263A, 1},   {0x2302, 127}, {'A', 'A'},    {0x00C7, 128},
                          {0x03B1, 224}, {0x00A0, 255}};
    for (const auto& c : cases) {
        EXPECT_EQ(lookup(uni, c.unicode), static_cast<uint32_t>(c.code + 1)) << std::hex << c.unicode;
        EXPECT_EQ(lookup(sym, 0xF000 + c.code), static_cast<uint32_t>(c.code + 1)) << c.code;
    }
    EXPECT_EQ(lookup(uni, 0x4E00), 0u);
    EXPECT_EQ(lookup(sym, 0x0041), 0u);
    for (uint32_t code = 0; code < 256; ++code) EXPECT_EQ(lookup(sym, 0xF000 + code), code + 1);
}

TEST_F(TrueTypeFile, NameTableCarriesTheFamilyInBothWindowsEncodings) {
    ByteReader r(data);
    const size_t name = at("name");
    const uint32_t count = r.be16(name + 2), strings = name + r.be16(name + 4);
    std::map<std::pair<uint32_t, uint32_t>, std::string> family;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t rec = name + 6 + 12 * i;
        if (r.be16(rec + 6) != 1) continue;
        std::string s;
        const uint32_t len = r.be16(rec + 8), off = r.be16(rec + 10);
        for (uint32_t k = 1; k < len; k += 2) s.push_back(static_cast<char>(r.u8(strings + off + k)));
        family[{r.be16(rec), r.be16(rec + 2)}] = s;
    }
    EXPECT_EQ(family[std::make_pair(3u, 0u)], "Corvane");
    EXPECT_EQ(family[std::make_pair(3u, 1u)], "Corvane");
}

TEST_F(TrueTypeFile, OutlinesDrawTheSourcePixelsAtTheirOwnSize) {
    ASSERT_EQ(face.cell_width, 16);
    ASSERT_EQ(face.cell_height, 32);
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(rasterise(static_cast<uint32_t>(code + 1)), face.glyphs[code]) << "code " << code;
}

TEST(TrueTypeOutline, RectanglesCoverTheInkExactlyOnce) {
    Bitmap g(6, 5);
    const char* rows[] = {"##..##", "##..##", "######", ".#..#.", "#....#"};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) g.set(x, y, rows[y][x] == '#');
    Bitmap cover(6, 5);
    const auto rects = ink_rectangles(g);
    for (const auto& rc : rects)
        for (int y = rc.y0; y < rc.y1; ++y)
            for (int x = rc.x0; x < rc.x1; ++x) {
                EXPECT_FALSE(cover.ink(x, y)) << "overlap at " << x << "," << y;
                cover.set(x, y, true);
            }
    EXPECT_EQ(cover, g);
    // The two stems of the top rows merge into one rectangle each.
    EXPECT_EQ(rects.size(), 2u + 1u + 2u + 2u);
}
