// The cell painter: runs of equal attributes, one text call each, opaque, in
// the colours of the cell's role; and the black-and-white variant for printers
// and bitmaps.
#include <algorithm>

#include "shell/config/config_store.h"
#include "shell/main/shell_state.h"
#include "shell/render/attribute_roles.h"
#include "shell/render/cell_area.h"
#include "shell/render/render_state.h"

using namespace tavix::render;

namespace {

// Advance of every character of a run: exactly one cell, whatever the font says.
struct CellAdvances {
    INT dx[kScreenCols];
    explicit CellAdvances(int cellWidth) { std::fill(dx, dx + kScreenCols, cellWidth); }
};

void DrawRun(HDC dc, const Cell* row, const CellRun& run, int x, int y, int width, int height,
             const INT* dx) {
    char text[kScreenCols];
    for (int i = 0; i < run.count; ++i) text[i] = static_cast<char>(row[run.col + i].glyph);
    RECT box{x, y, x + width, y + height};
    ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &box, text, run.count, dx);
}

bool InputHiliteOption() { return Render.config && Render.config->config.hilite; }

}  // namespace

void PaintCells(HDC dc, const FontRecord& record, HRGN region, const RECT& box, const Cell* cells) {
    const int cw = record.cellWidth;
    const int rowHeight = CellRowHeight(record);
    const CellRange range = CellsInRect(box.left, box.top, box.right, box.bottom, record.xOrigin,
                                        record.yOrigin, cw, rowHeight);
    if (range.empty() || !record.font) return;
    // The mixed font draws codes of 128 and above with the regular scalable font.
    const FontRecord& companion = Render.fonts[kFontCorvane];
    const bool mixed = record.mixedFont && companion.font;
    const RoleContext ctx = RoleContextFromScreen(InputHiliteOption());
    const CellSelection selection = Normalised(Render.selection);
    const CellAdvances advances(cw);

    const int saved = SaveDC(dc);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SetBkMode(dc, OPAQUE);
    HFONT selected = nullptr;
    HRGN band = region ? CreateRectRgn(0, 0, 0, 0) : nullptr;
    CellRun runs[kScreenCols];
    for (int row = range.lastRow; row >= range.firstRow; --row) {
        const int y = row * rowHeight + record.yOrigin;
        int firstCol = range.firstCol, lastCol = range.lastCol;
        if (region) {
            // Only the part of the row band the region covers.
            SetRectRgn(band, record.xOrigin, y, record.xOrigin + kScreenCols * cw, y + rowHeight);
            if (CombineRgn(band, band, region, RGN_AND) == NULLREGION) continue;
            RECT part;
            GetRgnBox(band, &part);
            const CellRange cols = CellsInRect(part.left, y, part.right, y + rowHeight,
                                               record.xOrigin, record.yOrigin, cw, rowHeight);
            firstCol = cols.firstCol;
            lastCol = cols.lastCol;
        }
        const Cell* line = cells + row * kScreenCols;
        const int n = SplitRow(line, row, firstCol, lastCol, selection, mixed, runs);
        for (int i = 0; i < n; ++i) {
            const CellRun& run = runs[i];
            const FontRecord& font = run.companion ? companion : record;
            if (font.font != selected) {
                SelectObject(dc, font.font);
                selected = font.font;
            }
            const ColorRoleEntry& role = Colors.roles[RoleForCell(run.attrClass, run.level, run.choice, ctx)];
            const COLORREF fg = PaletteColor(role.fg), bg = PaletteColor(role.bg);
            const int x = run.col * cw + record.xOrigin;
            const int width = run.count * cw;
            // The gap strip above the glyphs, in the run's background.
            const int gap = std::min(font.lineGap, rowHeight);
            if (gap > 0) {
                HBRUSH brush = CreateSolidBrush(bg);
                RECT strip{x, y, x + width, y + gap};
                FillRect(dc, &strip, brush);
                DeleteObject(brush);
            }
            SetTextColor(dc, fg);
            SetBkColor(dc, bg);
            DrawRun(dc, line, run, x, y + gap, width, rowHeight - gap, advances.dx);
        }
    }
    if (band) DeleteObject(band);
    RestoreDC(dc, saved);
}

void PaintWindow(HWND window, const Cell* buffer) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetUpdateRgn(window, region, FALSE);
    if (kind == NULLREGION || kind == ERROR) {
        DeleteObject(region);
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    const FontRecord* record = window == Shell.fullScreenWindow ? &Render.fonts[kFontFullScreen]
                                                                 : Shell.currentFont;
    if (dc && record) {
        RECT box;
        GetRgnBox(region, &box);
        PaintCells(dc, *record, region, box, buffer ? buffer : Screen.cells);
    }
    EndPaint(window, &ps);
    DeleteObject(region);
}

void CreatePrintFonts(int height, int width, HFONT fonts[4]) {
    for (int style = 0; style < 4; ++style) {
        const BOOL italic = (style & 1) != 0;
        const BOOL underline = (style & 2) != 0;
        fonts[style] = CreateFontA(height, width, 0, 0, FW_EXTRABOLD, italic, underline, 0,
                                   SYMBOL_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   DEFAULT_QUALITY, 0x31, "Corvane");
    }
}

void DeletePrintFonts(HFONT fonts[4]) {
    for (int style = 0; style < 4; ++style) {
        if (fonts[style]) DeleteObject(fonts[style]);
        fonts[style] = nullptr;
    }
}

int PrintRuns(const Cell* line, int row, CellRun runs[kScreenCols], uint8_t styles[kScreenCols]) {
    const RoleContext ctx = RoleContextFromScreen(InputHiliteOption());
    const CellSelection none{false, 0, 0, 0, 0};
    const int n = SplitRow(line, row, 0, kScreenCols - 1, none, false, runs);
    for (int i = 0; i < n; ++i)
        styles[i] = static_cast<uint8_t>(
            Colors.roles[RoleForCell(runs[i].attrClass, runs[i].level, runs[i].choice, ctx)].printStyle & 3);
    return n;
}

void PaintOnto(HDC dc, const PrintLayout& layout, const Cell* buffer) {
    const Cell* cells = buffer ? buffer : Screen.cells;
    const int rows = buffer ? kScreenRows : kWorkRows;  // the status row is not printed
    const CellAdvances advances(layout.cellWidth);
    const int saved = SaveDC(dc);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    CellRun runs[kScreenCols];
    uint8_t styles[kScreenCols];
    for (int row = 0; row < rows; ++row) {
        const Cell* line = cells + row * kScreenCols;
        const int n = PrintRuns(line, row, runs, styles);
        const int y = layout.yOrigin + row * layout.rowHeight;
        for (int i = 0; i < n; ++i) {
            const CellRun& run = runs[i];
            const int style = styles[i];
            if (layout.fonts[style]) SelectObject(dc, layout.fonts[style]);
            char text[kScreenCols];
            for (int c = 0; c < run.count; ++c) text[c] = static_cast<char>(line[run.col + c].glyph);
            ExtTextOutA(dc, layout.xOrigin + run.col * layout.cellWidth, y, 0, nullptr, text,
                        run.count, advances.dx);
        }
    }
    RestoreDC(dc, saved);
}

void InvalidateCellRect(int col, int row, int width, int height) {
    HWND target = Shell.paintTarget;
    const FontRecord* record = Shell.currentFont;
    if (!target || !record || width <= 0 || height <= 0) return;
    const int rowHeight = CellRowHeight(*record);
    RECT r{col * record->cellWidth + record->xOrigin, row * rowHeight + record->yOrigin,
           (col + width) * record->cellWidth + record->xOrigin,
           (row + height) * rowHeight + record->yOrigin};
    InvalidateRect(target, &r, FALSE);
}

void InvalidateFrameCells() {
    const WindowState& w = Screen.win;
    InvalidateCellRect(w.frameCol, w.frameRow, w.frameWidth, w.frameHeight);
}

void SetPaintSelection(const CellSelection& selection) { Render.selection = selection; }
