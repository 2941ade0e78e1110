// Installs the generated fonts the way the terminal does (a private font resource per
// file), selects them by face name and compares what the system draws with the faces
// built from the source bitmaps, pixel for pixel.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "faces.h"
#include "glyph_edges.h"
#include "test_paths.h"

using namespace fontgen;

namespace {

// The build folder is a Unix path; the program sees the Unix root as drive Z:.
std::string windows_path(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (auto& c : path)
        if (c == '/') c = '\\';
    return path;
}

const FaceRecipe& recipe(const std::string& face_name) {
    for (const auto& r : face_recipes())
        if (r.face_name == face_name) return r;
    ADD_FAILURE() << "no recipe " << face_name;
    return face_recipes()[0];
}

CellFace source_face(const FaceRecipe& r) {
    CellFace face;
    std::string error;
    EXPECT_TRUE(build_face(r, windows_path(fontgen_test::strike_dir()), face, error)) << error;
    return face;
}

// A memory device context over a top-down 32-bit DIB: black text on white.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_bitmap_ = SelectObject(dc_, bitmap_);
        SetTextColor(dc_, RGB(0, 0, 0));
        SetBkColor(dc_, RGB(255, 255, 255));
        SetBkMode(dc_, OPAQUE);
        SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        RECT all{0, 0, width, height};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas() {
        if (old_font_) SelectObject(dc_, old_font_);
        SelectObject(dc_, old_bitmap_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    bool ready() const { return dc_ && bitmap_ && bits_; }
    HDC dc() const { return dc_; }
    void use(HFONT font) {
        HGDIOBJ old = SelectObject(dc_, font);
        if (!old_font_) old_font_ = old;
    }
    std::string face_name() const {
        char name[LF_FACESIZE] = {};
        GetTextFaceA(dc_, sizeof name, name);
        return name;
    }
    // Cell image at (x, y); any pixel neither black nor white counts as a mismatch marker.
    Bitmap cell(int x0, int y0, int w, int h, int& grey) const {
        GdiFlush();
        Bitmap b(w, h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const uint32_t px = bits_[(y0 + y) * width_ + x0 + x] & 0xFFFFFF;
                if (px != 0 && px != 0xFFFFFF) ++grey;
                b.set(x, y, px == 0);
            }
        }
        return b;
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_bitmap_ = nullptr;
    HGDIOBJ old_font_ = nullptr;
    uint32_t* bits_ = nullptr;
};

// Draws all 256 codes, 16 to a line, and compares every cell with the face.
void expect_all_codes_drawn_as(Canvas& canvas, const CellFace& face, const std::string& what) {
    const int w = face.cell_width, h = face.cell_height;
    for (int line = 0; line < 16; ++line) {
        char text[16];
        for (int i = 0; i < 16; ++i) text[i] = static_cast<char>(line * 16 + i);
        ASSERT_TRUE(TextOutA(canvas.dc(), 0, line * h, text, 16)) << what;
    }
    int grey = 0, wrong = 0;
    for (int code = 0; code < 256; ++code) {
        const Bitmap got = canvas.cell((code % 16) * w, (code / 16) * h, w, h, grey);
        if (got != face.glyphs[code] && ++wrong <= 4)
            ADD_FAILURE() << what << " code " << code << "\ndrawn:\n"
                          << ::testing::PrintToString(got) << "\nexpected:\n"
                          << ::testing::PrintToString(face.glyphs[code]);
    }
    EXPECT_EQ(wrong, 0) << what << ": codes drawn differently";
    EXPECT_EQ(grey, 0) << what << ": smoothed pixels";
}

struct Found {
    std::string face;
    int height = 0, width = 0;
    DWORD type = 0;
    bool any = false;
};

int CALLBACK collect(const LOGFONTA* lf, const TEXTMETRICA* tm, DWORD type, LPARAM param) {
    auto* found = reinterpret_cast<std::vector<Found>*>(param);
    found->push_back({lf->lfFaceName, static_cast<int>(tm->tmHeight),
                      static_cast<int>(tm->tmAveCharWidth), type, true});
    return 1;
}

std::vector<Found> enumerate(const std::string& family) {
    std::vector<Found> found;
    HDC dc = CreateCompatibleDC(nullptr);
    EnumFontFamiliesA(dc, family.c_str(), collect, reinterpret_cast<LPARAM>(&found));
    DeleteDC(dc);
    return found;
}

// Adds a font file for this process only, optionally from a copy under another name (the
// terminal installs its raster fonts from ".tmp" files written out of its resources).
class PrivateFont {
public:
    explicit PrivateFont(const std::string& file, const std::string& copy_as = "")
        : path_(windows_path(fontgen_test::font_path(file))) {
        if (!copy_as.empty()) {
            char dir[MAX_PATH] = {};
            GetTempPathA(sizeof dir, dir);
            copy_ = std::string(dir) + copy_as;
            if (!CopyFileA(path_.c_str(), copy_.c_str(), FALSE)) return;
            path_ = copy_;
        }
        added_ = AddFontResourceExA(path_.c_str(), FR_PRIVATE, nullptr);
    }
    ~PrivateFont() {
        if (added_) RemoveFontResourceExA(path_.c_str(), FR_PRIVATE, nullptr);
        if (!copy_.empty()) DeleteFileA(copy_.c_str());
    }
    int added() const { return added_; }

private:
    std::string path_, copy_;
    int added_ = 0;
};

}  // namespace

class RasterFont : public ::testing::TestWithParam<const char*> {};

TEST_P(RasterFont, InstallsAndDrawsTheSourceBitmapsExactly) {
    const FaceRecipe& r = recipe(GetParam());
    const CellFace face = source_face(r);
    PrivateFont installed(r.file_name, "fontgen-" + r.face_name + ".tmp");
    ASSERT_GT(installed.added(), 0) << r.file_name << ": AddFontResourceEx failed";

    // The terminal looks the face up by family and takes a raster entry of its exact cell.
    bool listed = false;
    for (const auto& f : enumerate(r.face_name))
        listed |= (f.type & RASTER_FONTTYPE) && f.height == r.cell_height && f.width == r.cell_width;
    EXPECT_TRUE(listed) << r.face_name << " is not enumerated as a " << r.cell_width << "x"
                        << r.cell_height << " raster face";

    HFONT font = CreateFontA(r.cell_height, r.cell_width, 0, 0, FW_NORMAL, 0, 0, 0, OEM_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 3,
                             r.face_name.c_str());
    ASSERT_NE(font, nullptr);
    {
        Canvas canvas(16 * r.cell_width, 16 * r.cell_height);
        ASSERT_TRUE(canvas.ready());
        canvas.use(font);
        EXPECT_EQ(canvas.face_name(), r.face_name);
        TEXTMETRICA tm{};
        ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &tm));
        EXPECT_EQ(tm.tmHeight, r.cell_height);
        EXPECT_EQ(tm.tmAveCharWidth, r.cell_width);
        EXPECT_EQ(tm.tmMaxCharWidth, r.cell_width);
        EXPECT_EQ(tm.tmCharSet, OEM_CHARSET);
        EXPECT_EQ(tm.tmPitchAndFamily & (TMPF_FIXED_PITCH | TMPF_VECTOR | TMPF_TRUETYPE), 0)
            << "a fixed-pitch raster font";
        SIZE extent{};
        GetTextExtentPoint32A(canvas.dc(), "\xC9\xCD\xBB" "A", 4, &extent);
        EXPECT_EQ(extent.cx, 4 * r.cell_width);
        expect_all_codes_drawn_as(canvas, face, r.face_name);
    }
    DeleteObject(font);
}

INSTANTIATE_TEST_SUITE_P(Faces, RasterFont,
                         ::testing::Values("DOS10x18", "DOS7x12", "Full8x19", "Full10x24",
                                           "Full12x30", "Full14x34", "Full16x40", "Full20x48"));

class ScalableFont : public ::testing::Test {
protected:
    static HFONT create(int height, int width, BYTE charset = SYMBOL_CHARSET) {
        return CreateFontA(height, width, 0, 0, FW_NORMAL, 0, 0, 0, charset, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, 0x31, "Corvane");
    }
};

TEST_F(ScalableFont, IsATrueTypeFamilyDrawingTheSourceBitmapsAtItsOwnSize) {
    const FaceRecipe& r = recipe("Corvane");
    const CellFace face = source_face(r);
    PrivateFont installed(r.file_name);
    ASSERT_GT(installed.added(), 0);
    bool truetype = false;
    for (const auto& f : enumerate("Corvane")) truetype |= (f.type & TRUETYPE_FONTTYPE) != 0;
    EXPECT_TRUE(truetype) << "Corvane is not enumerated as a TrueType family";

    HFONT font = create(r.cell_height, r.cell_width);
    ASSERT_NE(font, nullptr);
    {
        Canvas canvas(16 * r.cell_width, 16 * r.cell_height);
        ASSERT_TRUE(canvas.ready());
        canvas.use(font);
        EXPECT_EQ(canvas.face_name(), "Corvane");
        TEXTMETRICA tm{};
        ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &tm));
        EXPECT_EQ(tm.tmHeight, r.cell_height);
        EXPECT_EQ(tm.tmAscent, face.ascent);
        EXPECT_EQ(tm.tmAveCharWidth, r.cell_width);
        EXPECT_EQ(tm.tmCharSet, SYMBOL_CHARSET);
        EXPECT_NE(tm.tmPitchAndFamily & TMPF_TRUETYPE, 0);
        expect_all_codes_drawn_as(canvas, face, "Corvane 16x32");
    }
    DeleteObject(font);
}

// The terminal sizes the scalable face to its window: a candidate is taken when its
// average width is the cell width, "NOW ISTHETIME" measures 13 cells and the height does
// not exceed the cell. Every size must pass, and line glyphs must still join.
TEST_F(ScalableFont, FitsAnyCellAndKeepsBoxLinesJoined) {
    PrivateFont installed(recipe("Corvane").file_name);
    ASSERT_GT(installed.added(), 0);
    const std::pair<int, int> sizes[] = {{12, 7}, {14, 7}, {18, 10}, {19, 8}, {24, 10},
                                         {30, 12}, {34, 14}, {40, 16}, {48, 20}, {21, 9}};
    for (const auto& [h, w] : sizes) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        HFONT font = create(h, w);
        ASSERT_NE(font, nullptr);
        {
            Canvas canvas(8 * w, 2 * h);
            canvas.use(font);
            TEXTMETRICA tm{};
            ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &tm));
            EXPECT_EQ(tm.tmAveCharWidth, w);
            EXPECT_LE(tm.tmHeight, h);
            SIZE extent{};
            GetTextExtentPoint32A(canvas.dc(), "NOW ISTHETIME", 13, &extent);
            EXPECT_EQ(extent.cx, 13 * w);
            // Row 0: double box top; row 1: single lines crossing.
            TextOutA(canvas.dc(), 0, 0, "\xC9\xCD\xCD\xBB\xDB\xDB\xB0\xB0", 8);
            TextOutA(canvas.dc(), 0, h, "\xC4\xC5\xC4\xB3\xBA\xCE\xCE\xDF", 8);
            int grey = 0;
            auto cell = [&](int col, int row) { return canvas.cell(col * w, row * h, w, h, grey); };
            using fontgen_test::columns_at_row;
            using fontgen_test::rows_at_column;
            // Horizontal joins: rows inked at the right edge of one cell = left edge of the next.
            const std::pair<int, int> joins[] = {{0, 1}, {1, 2}, {2, 3}, {4, 5}};
            for (const auto& [a, b] : joins) {
                const auto right = rows_at_column(cell(a, 0), w - 1), left = rows_at_column(cell(b, 0), 0);
                EXPECT_FALSE(right.empty()) << "column " << a;
                EXPECT_EQ(right, left) << "columns " << a << "," << b;
            }
            EXPECT_EQ(rows_at_column(cell(0, 1), w - 1), rows_at_column(cell(1, 1), 0));
            EXPECT_EQ(rows_at_column(cell(1, 1), w - 1), rows_at_column(cell(2, 1), 0));
            EXPECT_EQ(rows_at_column(cell(5, 1), w - 1), rows_at_column(cell(6, 1), 0));
            // Vertical lines run the full cell height and meet the corner above them.
            EXPECT_FALSE(columns_at_row(cell(5, 1), 0).empty());
            EXPECT_FALSE(columns_at_row(cell(5, 1), h - 1).empty());
            EXPECT_EQ(columns_at_row(cell(3, 1), 0), columns_at_row(cell(3, 1), h - 1)) << "│";
            EXPECT_EQ(columns_at_row(cell(4, 1), 0), columns_at_row(cell(4, 1), h - 1)) << "║";
            EXPECT_EQ(columns_at_row(cell(0, 0), h - 1), columns_at_row(cell(4, 1), 0)) << "╔ over ║";
            // A full block fills its cell.
            const Bitmap block = cell(4, 0);
            EXPECT_EQ(std::count(block.pixels.begin(), block.pixels.end(), 1), w * h);
            EXPECT_EQ(grey, 0);
        }
        DeleteObject(font);
    }
}

// Printing draws with the face made extra-bold, italic and underlined by the system: the
// face must still be the one selected, with every character as wide as the next.
TEST_F(ScalableFont, SynthesisedPrintStylesKeepTheFaceAndCell) {
    PrivateFont installed(recipe("Corvane").file_name);
    ASSERT_GT(installed.added(), 0);
    for (int style = 0; style < 4; ++style) {
        SCOPED_TRACE("style " + std::to_string(style));
        const BOOL italic = style == 1 || style == 3, underline = style == 2 || style == 3;
        HFONT font = CreateFontA(30, 12, 0, 0, FW_EXTRABOLD, italic, underline, 0, SYMBOL_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0x31,
                                 "Corvane");
        ASSERT_NE(font, nullptr);
        {
            Canvas canvas(16 * 12, 30);
            canvas.use(font);
            EXPECT_EQ(canvas.face_name(), "Corvane");
            TEXTMETRICA tm{};
            ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &tm));
            EXPECT_GE(tm.tmWeight, FW_BOLD);
            EXPECT_EQ(tm.tmItalic != 0, italic != 0);
            EXPECT_EQ(tm.tmUnderlined != 0, underline != 0);
            EXPECT_LE(tm.tmHeight, 30);
            SIZE extent{};
            GetTextExtentPoint32A(canvas.dc(), "\xC9\xCD\xCD\xBB", 4, &extent);
            // Synthetic bold may widen each character by a pixel, but all alike.
            EXPECT_EQ(extent.cx % 4, 0);
            EXPECT_GE(extent.cx, 4 * 12);
            EXPECT_LE(extent.cx, 4 * 13);
        }
        DeleteObject(font);
    }
}
