// What the main window calls of the renderer: font set-up and selection,
// fitting the scalable font to the window, painting, the caret and its hide
// bits, the colour dialog and the system brushes and pens.
#pragma once

#include <windows.h>

#include "screen_model.h"
#include "shell/render/row_runs.h"

namespace tavix {
class ConfigStore;
}

// One of the five character fonts, fields in a fixed order.
struct FontRecord {
    int cellWidth;
    int charHeight;
    int xOrigin, yOrigin;            // of the cell grid inside the client area
    int frameLeft, frameTop;         // top includes caption and menu
    int frameRight, frameBottom;
    int lineGap;                     // extra pixels per row, above the glyphs
    bool fixedSize;                  // raster: never re-fitted
    bool mixedFont;                  // codes 128 and above drawn with the regular scalable font
    bool available;
    int maxCellWidth, maxCharHeight, maxLineGap;  // largest fit to the whole screen
    HFONT font;
    bool clamped;                    // the window was shrunk to the screen
};

enum FontRecordIndex {
    kFontRaster10x18 = 0,
    kFontRaster7x12 = 1,
    kFontCorvane = 2,
    kFontCorvaneBold = 3,
    kFontFullScreen = 4,
    kFontRecordCount = 5,
};

// Caret-hide bits: the caret is hidden while any is set.
enum CaretHideBit : unsigned {
    kCaretHiddenBusy = 1,      // the host is busy and keys are typed ahead
    kCaretHiddenPickList = 2,  // a pick-list selection runs
    kCaretHiddenTrace = 4,     // the receive-trace viewer is open
};

// --- Start-up and shut-down ---

// Start-up step "set up the fonts": screen size into Shell, fonts found or
// installed from the program's resources (`instance`), [Font] "mode"
// corrected and saved, main and current font record set, the ScreenModel
// filled. False: no usable font (the caller shows string 12 and ends).
// Keeps `store` for the savers and the "hilite" option.
bool SetUpFonts(HINSTANCE instance, tavix::ConfigStore& store);
// [Color] overrides over the built-in colours; true when any changed (repaint).
bool ApplyColorOverrides();
// Brushes and pens in the system colours: after the main window exists, and
// again (after DeleteRenderObjects) on WM_SYSCOLORCHANGE.
void CreateRenderObjects();
void DeleteRenderObjects();
// Every font handle (shut-down).
void DeleteFonts();
// The system's work area as font set-up found it (window placement checks).
RECT WorkArea();

// --- Font records and window geometry ---

FontRecord* FontRecordAt(int index);
bool FontAvailable(int index);
// Record 4 when this screen has a full-screen face, else null.
FontRecord* FullScreenFontRecord();
inline bool FontIsScalable(const FontRecord& r) { return !r.fixedSize; }
inline int CellWidth(const FontRecord& r) { return r.cellWidth; }
inline int CellRowHeight(const FontRecord& r) { return r.charHeight + r.lineGap; }
// Frame widths and heights together (left + right, top + bottom).
void WindowFrameSize(const FontRecord& r, int* width, int* height);
// The window that holds exactly the 80 x 25 grid in this font.
void WindowSizeForFont(const FontRecord& r, int* width, int* height);

// Menu command "Fonts": make record 0-3 the main record (check mark, [Font]
// "mode", frame style, window size and position, caret, repaint). Nothing
// happens for the record in use or an unavailable one. True when it changed:
// the caller then moves an open view window to the new cell size.
bool SelectFont(int index);
// WM_SIZE (restored or maximised, outside full screen): clamp a window larger
// than the screen, or fit the scalable font up to the client size and snap
// the window to it.
void RefitToClient(int clientWidth, int clientHeight);
// SC_MAXIMIZE with a scalable font: the largest size found for the screen.
void MaximiseScalableFont();
// Makes the main window's client area exactly the grid of the main font
// record, correcting the record's frame sizes by what the window really has
// (a menu bar that wraps onto a second line on a narrow window, say). Call
// once after creating the main window; font selection and re-fitting call it
// themselves.
void FitWindowToGrid();

// --- Painting ---

// WM_PAINT of the main and the full-screen window: the ScreenModel, or the
// 80 x 25 cell buffer given (the receive-trace viewer's page while it is open).
void PaintWindow(HWND window, const Cell* buffer = nullptr);
// The cells of the update region `region` (null: all of `box`) of a grid in
// font record `record`, in colour, onto `dc`: `cells` is the ScreenModel's or
// an 80 x 25 buffer of the same layout.
void PaintCells(HDC dc, const FontRecord& record, HRGN region, const RECT& box, const Cell* cells);

// Painting for printing and bitmap capture: no colours, one of four print
// fonts by the role's print style, cell size and margins set by the caller.
struct PrintLayout {
    int cellWidth, rowHeight;
    int xOrigin, yOrigin;
    HFONT fonts[4];  // style 0 normal, 1 italic, 2 underlined, 3 italic and underlined
};
// The four print fonts: extra-bold "Corvane" of the given size.
void CreatePrintFonts(int height, int width, HFONT fonts[4]);
void DeletePrintFonts(HFONT fonts[4]);
// Rows 0-23 of the ScreenModel, or rows 0-24 of `buffer` when given, in black.
void PaintOnto(HDC dc, const PrintLayout& layout, const Cell* buffer);
// The runs of a row as PaintOnto draws them, and each run's print style.
int PrintRuns(const Cell* line, int row, tavix::render::CellRun runs[kScreenCols], uint8_t styles[kScreenCols]);

// A one-bit page in memory (the screen image): rows top first, stride bytes
// apart, bit 1 white, the most significant bit the leftmost pixel.
struct MonochromePage {
    uint8_t* bits;
    int width, height, stride;
};
// Glyphs drawn once by GDI in each print font and kept as bit masks, so that
// a page of 2,000 cells costs 2,000 copies rather than 2,000 glyph renderings.
class PageGlyphCache {
public:
    // The layout's cell size and fonts; the fonts stay the caller's.
    explicit PageGlyphCache(const PrintLayout& layout);
    ~PageGlyphCache();
    PageGlyphCache(const PageGlyphCache&) = delete;
    PageGlyphCache& operator=(const PageGlyphCache&) = delete;
    // Black the glyph's pixels at the cell whose top left corner is (x, y).
    void Draw(const MonochromePage& page, int x, int y, int style, uint8_t glyph);

private:
    struct Glyph;
    const Glyph& Get(int style, uint8_t glyph);
    PrintLayout layout_;
    int pad_, boxWidth_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint8_t* scratch_ = nullptr;
    int scratchStride_ = 0;
    Glyph* glyphs_[4] = {};
};
// PaintOnto for a page in memory, through the glyph cache.
void PaintOntoPage(const MonochromePage& page, const PrintLayout& layout, const Cell* buffer, PageGlyphCache& cache);
// A line of text in print style 0, one cell a character, from (x, y).
void PaintTextOntoPage(const MonochromePage& page, const PrintLayout& layout, int x, int y, const char* text,
                       int length, PageGlyphCache& cache);

// Engine notifications: repaint cells (no erase); repaint the window frame.
void InvalidateCellRect(int col, int row, int width, int height);
void InvalidateFrameCells();

// The mouse selection drawn as class 11 (the mouse code sets it, then
// invalidates the cells concerned).
void SetPaintSelection(const tavix::render::CellSelection& selection);

// --- Caret ---

// WM_SETFOCUS, Caps Lock changes, font and paint-target changes.
void RecreateCaret();
// Engine's CursorMoved and after a re-fit.
void MoveCaret();
// WM_KILLFOCUS.
void DestroyTerminalCaret();
// The insert mode the keyboard handlers toggle (changes the caret shape).
void SetCaretInsertMode(bool insert);
void AddCaretHideBits(unsigned bits);
void RemoveCaretHideBits(unsigned bits);
void ClearCaretHideBits();

// --- Colour dialog ---

// Menu "Colors" (dialog 111). True on OK: keys written, colours in use; the
// caller repaints.
bool RunColorDialog(HWND owner);
