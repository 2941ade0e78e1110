// The black-and-white painter for pages in memory: GDI draws each glyph of
// each print style once, into a cell of its own; the page is then composed
// from those masks.
#include <cstring>
#include <vector>

#include "shell/render/renderer.h"

using tavix::render::CellRun;

struct PageGlyphCache::Glyph {
    bool ready = false;
    std::vector<uint64_t> rows;  // black pixels, the most significant bit the box's leftmost
};

PageGlyphCache::PageGlyphCache(const PrintLayout& layout) : layout_(layout) {
    // A box wider than the cell catches what a bold or italic glyph draws
    // beyond it; the whole box fits one 64-bit mask.
    pad_ = layout.cellWidth;
    if (layout.cellWidth + 2 * pad_ > 64) pad_ = (64 - layout.cellWidth) / 2;
    if (pad_ < 0) pad_ = 0;
    boxWidth_ = layout.cellWidth + 2 * pad_;
    if (boxWidth_ > 64) boxWidth_ = 64;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = 64;
    info.header.biHeight = -layout.rowHeight;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.colours[1] = RGBQUAD{255, 255, 255, 0};
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = dc_ ? CreateDIBSection(dc_, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0)
                  : nullptr;
    if (!bitmap_) return;
    old_ = SelectObject(dc_, bitmap_);
    scratch_ = static_cast<uint8_t*>(bits);
    scratchStride_ = 8;
    SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, RGB(0, 0, 0));
}

PageGlyphCache::~PageGlyphCache() {
    for (Glyph* g : glyphs_) delete[] g;
    if (dc_ && old_) SelectObject(dc_, old_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
}

const PageGlyphCache::Glyph& PageGlyphCache::Get(int style, uint8_t glyph) {
    style &= 3;
    if (!glyphs_[style]) glyphs_[style] = new Glyph[256];
    Glyph& g = glyphs_[style][glyph];
    if (g.ready) return g;
    g.ready = true;
    g.rows.assign(static_cast<size_t>(layout_.rowHeight), 0);
    if (!scratch_) return g;
    PatBlt(dc_, 0, 0, 64, layout_.rowHeight, WHITENESS);
    if (layout_.fonts[style]) SelectObject(dc_, layout_.fonts[style]);
    const char c = static_cast<char>(glyph);
    INT dx = layout_.cellWidth;
    ExtTextOutA(dc_, pad_, 0, 0, nullptr, &c, 1, &dx);
    GdiFlush();
    for (int y = 0; y < layout_.rowHeight; ++y) {
        uint64_t white = 0;
        const uint8_t* row = scratch_ + static_cast<size_t>(y) * scratchStride_;
        for (int i = 0; i < 8; ++i) white = white << 8 | row[i];
        uint64_t black = ~white;
        if (boxWidth_ < 64) black &= ~0ull << (64 - boxWidth_);
        g.rows[static_cast<size_t>(y)] = black;
    }
    return g;
}

void PageGlyphCache::Draw(const MonochromePage& page, int x, int y, int style, uint8_t glyph) {
    const Glyph& g = Get(style, glyph);
    const int left = x - pad_;
    for (int r = 0; r < layout_.rowHeight; ++r) {
        const uint64_t mask = g.rows[static_cast<size_t>(r)];
        const int py = y + r;
        if (!mask || py < 0 || py >= page.height) continue;
        uint8_t* line = page.bits + static_cast<size_t>(py) * page.stride;
        for (int k = 0; k < 8; ++k) {
            const uint8_t piece = static_cast<uint8_t>(mask >> (56 - 8 * k));
            if (!piece) continue;
            const int px = left + 8 * k;
            for (int bit = 0; bit < 8; ++bit) {
                if (!(piece & (0x80 >> bit))) continue;
                const int p = px + bit;
                if (p < 0 || p >= page.width) continue;
                line[p >> 3] = static_cast<uint8_t>(line[p >> 3] & ~(0x80 >> (p & 7)));
            }
        }
    }
}

void PaintOntoPage(const MonochromePage& page, const PrintLayout& layout, const Cell* buffer, PageGlyphCache& cache) {
    const Cell* cells = buffer ? buffer : Screen.cells;
    const int rows = buffer ? kScreenRows : kWorkRows;  // the status row is not printed
    CellRun runs[kScreenCols];
    uint8_t styles[kScreenCols];
    for (int row = 0; row < rows; ++row) {
        const Cell* line = cells + row * kScreenCols;
        const int n = PrintRuns(line, row, runs, styles);
        const int y = layout.yOrigin + row * layout.rowHeight;
        for (int i = 0; i < n; ++i)
            for (int c = 0; c < runs[i].count; ++c) {
                const int col = runs[i].col + c;
                const uint8_t glyph = line[col].glyph;
                // A blank draws nothing unless its style underlines.
                if ((glyph == ' ' || glyph == 0) && !(styles[i] & 2)) continue;
                cache.Draw(page, layout.xOrigin + col * layout.cellWidth, y, styles[i], glyph);
            }
    }
}

void PaintTextOntoPage(const MonochromePage& page, const PrintLayout& layout, int x, int y, const char* text,
                       int length, PageGlyphCache& cache) {
    for (int i = 0; i < length; ++i)
        if (text[i] != ' ') cache.Draw(page, x + i * layout.cellWidth, y, 0, static_cast<uint8_t>(text[i]));
}
