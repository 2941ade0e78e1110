// Under Wine: the fonts installed from the resources linked into this program,
// the font records set up for the screen, and the painter's pixels checked
// cell by cell against the colour roles and the glyph bitmaps the font file
// carries.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell_primitives.h"
#include "fnt_file.h"
#include "resources/resource_ids.h"
#include "shell/config/config_store.h"
#include "shell/config/ini_memory.h"
#include "shell/main/shell_state.h"
#include "shell/render/cell_area.h"
#include "shell/render/font_resources.h"
#include "shell/render/render_state.h"
#include "shell/render/renderer.h"

using namespace tavix;
using namespace tavix::render;

namespace {

std::vector<uint8_t> ResourceBytes(int id) {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC r = FindResourceA(self, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));
    if (!r) return {};
    const auto* p = static_cast<const uint8_t*>(LockResource(LoadResource(self, r)));
    return std::vector<uint8_t>(p, p + SizeofResource(self, r));
}

// The glyphs of the first font in a .fon file carried as a resource.
fontgen::FntInfo FontFromResource(int id) {
    fontgen::FonInfo fon;
    fontgen::FntInfo fnt;
    std::string error;
    EXPECT_TRUE(fontgen::parse_fon(ResourceBytes(id), fon, error)) << error;
    if (fon.fonts.empty()) return fnt;
    EXPECT_TRUE(fontgen::parse_fnt(fon.fonts[0], fnt, error)) << error;
    return fnt;
}

// A 32-bit top-down DIB section with a memory DC.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        HBRUSH b = CreateSolidBrush(fill);
        RECT all{0, 0, width, height};
        FillRect(dc_, &all, b);
        DeleteObject(b);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    COLORREF at(int x, int y) const {
        GdiFlush();
        const uint32_t px = bits_[y * width_ + x];
        return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* bits_ = nullptr;
};

std::string Hex(COLORREF c) {
    char s[16];
    snprintf(s, sizeof s, "%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return s;
}

// Compares one painted cell with a glyph: ink in the foreground colour,
// everything else in the background colour. Returns a description of the
// first mismatches (empty when the cell is exact).
std::string CompareCell(const Canvas& canvas, const FontRecord& rec, int col, int row,
                        const fontgen::Bitmap& glyph, COLORREF fg, COLORREF bg) {
    std::string wrong;
    int count = 0;
    const int x0 = rec.xOrigin + col * rec.cellWidth;
    const int y0 = rec.yOrigin + row * CellRowHeight(rec);
    for (int y = 0; y < rec.charHeight; ++y) {
        for (int x = 0; x < rec.cellWidth; ++x) {
            const COLORREF want = glyph.ink(x, y) ? fg : bg;
            const COLORREF got = canvas.at(x0 + x, y0 + y);
            if (got != want && count++ < 4)
                wrong += "(" + std::to_string(x) + "," + std::to_string(y) + ") " + Hex(got) +
                         " wanted " + Hex(want) + "; ";
        }
    }
    return wrong;
}

fontgen::Bitmap Blank(int w, int h) { return fontgen::Bitmap(w, h); }

// Every test starts from fresh records, with its own current folder for the
// temporary font files and a configuration in memory.
class Renderer : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder_ = std::string(temp) + "tavix_render_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        GetCurrentDirectoryA(sizeof previous_, previous_);
        SetCurrentDirectoryA(folder_.c_str());
        ResetScreenModel();
        ResetRenderState();
        ResetColorTable();
        Shell = ShellState{};
    }
    void TearDown() override {
        DeleteFonts();
        ResetRenderState();
        Shell = ShellState{};
        // The temporary font files: released by this process, then removed.
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA("*.tmp", &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string path = folder_ + "\\" + found.cFileName;
                for (int i = 0; i < 8 && RemoveFontResourceExA(path.c_str(), FR_PRIVATE, nullptr); ++i) {
                }
                DeleteFileA(path.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        SetCurrentDirectoryA(previous_);
        RemoveDirectoryA(folder_.c_str());
    }

    MemoryIni file_;
    VariantIni ini_{file_};
    ConfigStore store_{ini_};
    std::string folder_;
    char previous_[MAX_PATH] = {};
};

}  // namespace

TEST_F(Renderer, RasterFontInstallsFromTheProgramsResource) {
    ASSERT_TRUE(InstallFontResource(GetModuleHandleA(nullptr), IDF_DOS7X12, "f7x12.tmp"));
    EXPECT_NE(GetFileAttributesA("f7x12.tmp"), INVALID_FILE_ATTRIBUTES) << "the file stays";
    EXPECT_TRUE(FindInstalledFont("DOS7x12", 12, 7, nullptr));
    EXPECT_FALSE(FindInstalledFont("DOS7x12", 18, 10, nullptr)) << "only its exact cell matches";
    EXPECT_FALSE(InstallFontResource(GetModuleHandleA(nullptr), 999, "none.tmp"));
    EXPECT_EQ(GetFileAttributesA("none.tmp"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Renderer, SetUpMakesEveryRecordThisScreenAllows) {
    store_.config.font_mode = 7;  // out of range: corrected and saved
    ASSERT_TRUE(SetUpFonts(GetModuleHandleA(nullptr), store_));
    EXPECT_EQ(Shell.screenWidth, GetSystemMetrics(SM_CXSCREEN));

    const FontRecord& r7 = Render.fonts[kFontRaster7x12];
    ASSERT_TRUE(r7.available);
    EXPECT_EQ(r7.cellWidth, 7);
    EXPECT_EQ(r7.charHeight, 12);
    EXPECT_TRUE(r7.fixedSize);
    int w, h;
    WindowSizeForFont(r7, &w, &h);
    RECT adjusted{0, 0, 560, 300};
    AdjustWindowRectEx(&adjusted, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, TRUE, 0);
    EXPECT_EQ(w, adjusted.right - adjusted.left);
    EXPECT_EQ(h, adjusted.bottom - adjusted.top);

    const FontRecord& r10 = Render.fonts[kFontRaster10x18];
    EXPECT_EQ(r10.available, Shell.screenWidth >= 800);
    if (r10.available) {
        EXPECT_EQ(store_.config.font_mode, 0);
        EXPECT_EQ(Shell.mainFont, &r10);
        EXPECT_EQ(r10.charHeight, 18);
    }
    EXPECT_EQ(Shell.currentFont, Shell.mainFont);
    EXPECT_EQ(ini_.read_int("Font", "mode", -1), store_.config.font_mode);

    // The scalable face comes from the program too, fitted to the whole screen.
    const FontRecord& corvane = Render.fonts[kFontCorvane];
    ASSERT_TRUE(corvane.available);
    EXPECT_FALSE(corvane.fixedSize);
    EXPECT_EQ(corvane.cellWidth, (Shell.screenWidth - 2 * GetSystemMetrics(SM_CXFRAME)) / 80);
    EXPECT_LE(25 * corvane.charHeight, Shell.screenHeight);
    EXPECT_EQ(corvane.maxCellWidth, corvane.cellWidth);

    // Full screen exactly where this screen has a face.
    const FullScreenFace* face = FullScreenFaceFor(Shell.screenWidth, Shell.screenHeight);
    EXPECT_EQ(FullScreenFontRecord() != nullptr, face != nullptr);
    if (Shell.screenWidth == 1024 && Shell.screenHeight == 768) {
        const FontRecord* full = FullScreenFontRecord();
        ASSERT_NE(full, nullptr);
        EXPECT_EQ(80 * full->cellWidth, 960);
        EXPECT_EQ(25 * CellRowHeight(*full), 750);
        EXPECT_EQ(full->xOrigin, 32);
        EXPECT_EQ(full->yOrigin, 9);
    }

    // The screen starts blank: work area class 0, status row class 7.
    EXPECT_EQ(Screen.cells[0].attrClass, 0);
    EXPECT_EQ(Screen.cells[0].glyph, ' ');
    EXPECT_EQ(Screen.cells[kStatusRow * kScreenCols + 79].attrClass, 7);
}

TEST_F(Renderer, PaintsRolesAndBoxGlyphsCellExact) {
    ini_.write_int("Color", "StatusF", 4);  // green on maroon: unlike every other role here
    ini_.write_int("Color", "StatusB", 5);
    store_.config.font_mode = 1;
    ASSERT_TRUE(SetUpFonts(GetModuleHandleA(nullptr), store_));
    ASSERT_TRUE(ApplyColorOverrides());
    const FontRecord& rec = Render.fonts[kFontRaster7x12];
    ASSERT_EQ(Shell.mainFont, &rec);
    const fontgen::FntInfo font = FontFromResource(IDF_DOS7X12);
    ASSERT_EQ(font.glyphs.size(), 256u);

    // A box in the Window role, a word in it, and status text.
    const uint8_t top[] = {201, 205, 205, 205, 187};
    FillCellsWith(2, 1, 5, ' ', CellAttribute{2, 0, 0});
    WriteText(2, 1, top, 5);
    FillCellsWith(2, 2, 5, ' ', CellAttribute{2, 0, 0});
    WriteText(3, 2, reinterpret_cast<const uint8_t*>("Hi"), 2);
    WriteText(0, kStatusRow, reinterpret_cast<const uint8_t*>("Ready"), 5);

    const COLORREF sentinel = RGB(1, 2, 3);
    Canvas canvas(560, 300, sentinel);
    PaintCells(canvas.dc(), rec, nullptr, RECT{0, 0, 560, 300}, Screen.cells);

    auto role = [](ColorRole r) { return Colors.roles[r]; };
    const COLORREF winFg = PaletteColor(role(kRoleWindow).fg), winBg = PaletteColor(role(kRoleWindow).bg);
    EXPECT_EQ(winFg, RGB(255, 255, 0));
    EXPECT_EQ(winBg, RGB(0, 0, 128));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(CompareCell(canvas, rec, 2 + i, 1, font.glyphs[top[i]], winFg, winBg), "") << "box cell " << i;
    EXPECT_EQ(CompareCell(canvas, rec, 3, 2, font.glyphs['H'], winFg, winBg), "");
    EXPECT_EQ(CompareCell(canvas, rec, 4, 2, font.glyphs['i'], winFg, winBg), "");
    // Status row: the overridden colours.
    const COLORREF stFg = RGB(0, 255, 0), stBg = RGB(128, 0, 0);
    EXPECT_EQ(CompareCell(canvas, rec, 0, kStatusRow, font.glyphs['R'], stFg, stBg), "");
    EXPECT_EQ(CompareCell(canvas, rec, 79, kStatusRow, Blank(7, 12), stFg, stBg), "");
    // Class 0 at the current level: F0, black on white.
    EXPECT_EQ(CompareCell(canvas, rec, 0, 0, Blank(7, 12), RGB(0, 0, 0), RGB(255, 255, 255)), "");
    EXPECT_EQ(CompareCell(canvas, rec, 79, 23, Blank(7, 12), RGB(0, 0, 0), RGB(255, 255, 255)), "");

    // After the window level rises the same cells are inactive; a selection is class 11.
    Screen.WindowLevel = 1;
    SetPaintSelection(CellSelection{true, 4, 2, 3, 2});
    PaintCells(canvas.dc(), rec, nullptr, RECT{0, 0, 560, 300}, Screen.cells);
    const COLORREF inFg = RGB(128, 128, 128), inBg = RGB(0, 0, 0);
    EXPECT_EQ(CompareCell(canvas, rec, 2, 1, font.glyphs[201], inFg, inBg), "");
    EXPECT_EQ(CompareCell(canvas, rec, 3, 2, font.glyphs['H'], inFg, inBg), "") << "selected, not current";
    Screen.WindowLevel = 0;
    PaintCells(canvas.dc(), rec, nullptr, RECT{0, 0, 560, 300}, Screen.cells);
    const COLORREF ihFg = PaletteColor(role(kRoleIhilite).fg), ihBg = PaletteColor(role(kRoleIhilite).bg);
    EXPECT_EQ(CompareCell(canvas, rec, 3, 2, font.glyphs['H'], ihFg, ihBg), "");
    EXPECT_EQ(CompareCell(canvas, rec, 4, 2, font.glyphs['i'], ihFg, ihBg), "");
    EXPECT_EQ(CompareCell(canvas, rec, 5, 2, Blank(7, 12), winFg, winBg), "");
}

TEST_F(Renderer, PaintsOnlyTheCellsOfTheUpdateRegion) {
    store_.config.font_mode = 1;
    ASSERT_TRUE(SetUpFonts(GetModuleHandleA(nullptr), store_));
    const FontRecord& rec = Render.fonts[kFontRaster7x12];
    const COLORREF sentinel = RGB(1, 2, 3);
    Canvas canvas(560, 300, sentinel);
    // Two separate cells: (1, 1) and (10, 5); the rectangle between them stays untouched.
    HRGN region = CreateRectRgn(7, 12, 14, 24);
    HRGN second = CreateRectRgn(72, 62, 73, 63);  // one pixel of cell (10, 5)
    CombineRgn(region, region, second, RGN_OR);
    RECT box;
    GetRgnBox(region, &box);
    PaintCells(canvas.dc(), rec, region, box, Screen.cells);
    DeleteObject(second);
    DeleteObject(region);
    const COLORREF white = RGB(255, 255, 255);
    EXPECT_EQ(canvas.at(7, 12), white);
    EXPECT_EQ(canvas.at(13, 23), white);
    EXPECT_EQ(canvas.at(70, 60), white);
    EXPECT_EQ(canvas.at(76, 71), white);
    EXPECT_EQ(canvas.at(6, 12), sentinel);
    EXPECT_EQ(canvas.at(14, 12), sentinel);
    EXPECT_EQ(canvas.at(7, 24), sentinel);
    EXPECT_EQ(canvas.at(40, 40), sentinel) << "cells inside the bounding box but outside the region";
    EXPECT_EQ(canvas.at(69, 60), sentinel);
}

TEST_F(Renderer, ScalableFontSnapsUpToTheNextFittingSize) {
    ASSERT_TRUE(SetUpFonts(GetModuleHandleA(nullptr), store_));
    FontRecord& corvane = Render.fonts[kFontCorvane];
    ASSERT_TRUE(corvane.available);
    // A client between 10 x 18 and 11 x 19 cells takes the larger.
    EXPECT_TRUE(FitFont(nullptr, 805, 455, true, false));
    EXPECT_EQ(corvane.cellWidth, 11);
    EXPECT_EQ(corvane.charHeight, 19);
    EXPECT_EQ(corvane.lineGap, 0);
    HFONT before = corvane.font;
    EXPECT_FALSE(FitFont(nullptr, 880, 475, true, false)) << "the same size changes nothing";
    EXPECT_EQ(corvane.font, before);
    EXPECT_TRUE(FitFont(nullptr, 800, 450, true, false));
    EXPECT_EQ(corvane.cellWidth, 10);
    EXPECT_EQ(corvane.charHeight, 18);
    // Past the largest size recorded for the screen nothing is accepted.
    EXPECT_FALSE(FitFont(nullptr, 80 * (corvane.maxCellWidth + 1), 25 * (corvane.maxCharHeight + 1),
                         true, false));
    EXPECT_EQ(corvane.cellWidth, 10);
}

TEST_F(Renderer, ColorDialogTemplateIsInTheResources) {
    EXPECT_NE(FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_COLORS), MAKEINTRESOURCEA(5)),
              nullptr);
    EXPECT_FALSE(ResourceBytes(IDF_CORVANE).empty());
    for (int id = IDF_FULL16X40; id <= IDF_FULL20X48; ++id) EXPECT_FALSE(ResourceBytes(id).empty()) << id;
}

namespace {

// A main window as the program makes it: caption, system menu, a menu bar, the
// fixed or the sizing frame by font.
LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            PaintWindow(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            if (wParam == SIZE_RESTORED) RefitToClient(LOWORD(lParam), HIWORD(lParam));
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateTestWindow(const FontRecord& font) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "RenderTestWindow";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&wc);
    // The program's top-level menu: on a narrow window it takes two lines.
    HMENU menu = CreateMenu();
    for (const char* item : {"&Connect", "&Dial", "&Disconnect", "&Edit", "Con&Figure", "&Print",
                             "Help", "A&Ttachments", "De&Bug", "Message Source"})
        AppendMenuA(menu, MF_STRING, 100, item);
    HMENU fonts = CreatePopupMenu();
    AppendMenuA(fonts, MF_STRING, CMD_FONT_RASTER_10X18, "Raster 10x18");
    AppendMenuA(fonts, MF_STRING, CMD_FONT_RASTER_7X12, "Raster 7x12");
    AppendMenuA(fonts, MF_STRING, CMD_FONT_CORVANE, "Corvane");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(fonts), "Fonts");
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    if (FontIsScalable(font)) style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
    int w, h;
    WindowSizeForFont(font, &w, &h);
    return CreateWindowA("RenderTestWindow", "Moxel", style, 0, 0, w, h, nullptr, menu,
                         GetModuleHandleA(nullptr), nullptr);
}

bool TakeFocus(HWND window) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        SetForegroundWindow(window);
        SetFocus(window);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        if (GetFocus() == window) return true;
        Sleep(20);
    }
    return false;
}

SIZE ClientSize(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}

}  // namespace

TEST_F(Renderer, SelectingAFontSizesTheWindowToTheGrid) {
    store_.config.font_mode = 1;
    ASSERT_TRUE(SetUpFonts(GetModuleHandleA(nullptr), store_));
    HWND window = CreateTestWindow(*Shell.mainFont);
    ASSERT_NE(window, nullptr) << GetLastError();
    Shell.mainWindow = Shell.paintTarget = window;
    FitWindowToGrid();
    ShowWindow(window, SW_SHOWNORMAL);
    SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, 560);
    EXPECT_EQ(client.cy, 300);

    if (FontAvailable(kFontRaster10x18)) {
        EXPECT_TRUE(SelectFont(kFontRaster10x18));
        client = ClientSize(window);
        EXPECT_EQ(client.cx, 800);
        EXPECT_EQ(client.cy, 450);
        EXPECT_EQ(ini_.read_int("Font", "mode", -1), 0);
        EXPECT_EQ(GetMenuState(GetMenu(window), CMD_FONT_RASTER_10X18, MF_BYCOMMAND) & MF_CHECKED,
                  static_cast<UINT>(MF_CHECKED));
        EXPECT_FALSE(SelectFont(kFontRaster10x18)) << "already in use";

        // WM_PAINT draws the invalidated cells, opaque, from the ScreenModel.
        UpdateWindow(window);
        FillCellsWith(0, 0, 80, ' ', CellAttribute{9, 0, 0});  // Window Hilight: 1 on 12
        FillCellsWith(0, 1, 80, ' ', CellAttribute{9, 0, 0});
        InvalidateCellRect(0, 0, 80, 1);
        UpdateWindow(window);
        HDC wdc = GetDC(window);
        EXPECT_EQ(GetPixel(wdc, 5, 5), PaletteColor(12));
        EXPECT_EQ(GetPixel(wdc, 795, 17), PaletteColor(12));
        EXPECT_EQ(GetPixel(wdc, 5, 23), RGB(255, 255, 255)) << "row 1 was not invalidated";
        ReleaseDC(window, wdc);
    }
    EXPECT_FALSE(SelectFont(kFontCorvaneBold) && !FontAvailable(kFontCorvaneBold));

    // The scalable face: the window gets a sizing frame and snaps to whole cells.
    ASSERT_TRUE(SelectFont(kFontCorvane));
    EXPECT_NE(GetWindowLongA(window, GWL_STYLE) & WS_THICKFRAME, 0);
    const FontRecord& corvane = *Shell.mainFont;
    client = ClientSize(window);
    EXPECT_EQ(client.cx, 80 * corvane.cellWidth);
    EXPECT_EQ(client.cy, 25 * CellRowHeight(corvane));
    int fw, fh;
    WindowFrameSize(corvane, &fw, &fh);
    SetWindowPos(window, nullptr, 0, 0, 805 + fw, 455 + fh, SWP_NOMOVE | SWP_NOZORDER);
    client = ClientSize(window);
    EXPECT_EQ(client.cx, 880) << "snapped up to 11-pixel cells";
    EXPECT_EQ(client.cy, 475);

    // A window dragged larger than the screen is clamped to it, then the font
    // is fitted down into what is left.
    SetWindowPos(window, nullptr, 0, 0, Shell.screenWidth + 200, Shell.screenHeight + 200,
                 SWP_NOMOVE | SWP_NOZORDER);
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_LE(outer.right - outer.left, Shell.screenWidth);
    EXPECT_LE(outer.bottom - outer.top, Shell.screenHeight);
    client = ClientSize(window);
    EXPECT_EQ(client.cx, 80 * corvane.cellWidth);
    EXPECT_EQ(client.cy, 25 * CellRowHeight(corvane));
    EXPECT_EQ(corvane.cellWidth, corvane.maxCellWidth);
    EXPECT_FALSE(corvane.clamped) << "the clamp holds for one fit only";
    SetWindowPos(window, nullptr, 0, 0, 805 + fw, 455 + fh, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_EQ(ClientSize(window).cx, 880);

    // Maximising a scalable font takes the largest size found for the screen.
    MaximiseScalableFont();
    EXPECT_EQ(corvane.cellWidth, corvane.maxCellWidth);
    EXPECT_EQ(corvane.charHeight, corvane.maxCharHeight);
    GetWindowRect(window, &outer);
    EXPECT_LE(outer.right - outer.left, Shell.screenWidth);
    EXPECT_LE(outer.bottom - outer.top, Shell.screenHeight);
    EXPECT_EQ(ClientSize(window).cx, 80 * corvane.maxCellWidth);

    // The caret stands in the cursor cell: bottom three pixels, two high.
    Screen.win.cursorCol = 4;
    Screen.win.cursorRow = 2;
    Screen.win.winRight = 79;
    Shell.capsLock = false;
    // The caret belongs to the focused window; other test programs on the same
    // display may hold the focus for a moment.
    if (!TakeFocus(window)) GTEST_SKIP() << "another program keeps the keyboard focus";
    RecreateCaret();
    POINT caret{};
    GetCaretPos(&caret);
    EXPECT_EQ(caret.x, 4 * corvane.cellWidth);
    EXPECT_EQ(caret.y, 3 * CellRowHeight(corvane) - 3);
    DestroyTerminalCaret();
    DestroyWindow(window);
}

TEST_F(Renderer, PrintingDrawsBlackTextWithoutTheStatusRow) {
    store_.config.font_mode = 1;
    ASSERT_TRUE(SetUpFonts(GetModuleHandleA(nullptr), store_));
    FillCellsWith(0, 0, 80, 0xDB, CellAttribute{2, 0, 0});           // full blocks
    FillCellsWith(0, kStatusRow, 80, 0xDB, CellAttribute{7, 0, 0});
    PrintLayout layout{10, 20, 5, 7, {}};
    CreatePrintFonts(20, 10, layout.fonts);
    for (HFONT f : layout.fonts) ASSERT_NE(f, nullptr);
    Canvas canvas(820, 520, RGB(255, 255, 255));
    PaintOnto(canvas.dc(), layout, nullptr);
    EXPECT_EQ(canvas.at(5 + 5, 7 + 10), RGB(0, 0, 0)) << "row 0 printed";
    EXPECT_EQ(canvas.at(5 + 795, 7 + 10), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(5 + 5, 7 + 24 * 20 + 10), RGB(255, 255, 255)) << "status row not printed";
    // A supplied buffer is printed whole, status row included.
    std::vector<Cell> buffer(kScreenCols * kScreenRows, Cell{2, 0, 0, ' '});
    buffer[kStatusRow * kScreenCols + 3] = Cell{7, 0, 0, 0xDB};
    Canvas second(820, 520, RGB(255, 255, 255));
    PaintOnto(second.dc(), layout, buffer.data());
    EXPECT_EQ(second.at(5 + 35, 7 + 24 * 20 + 10), RGB(0, 0, 0));
    EXPECT_EQ(second.at(5 + 5, 7 + 10), RGB(255, 255, 255));
    DeletePrintFonts(layout.fonts);
}

TEST_F(Renderer, LineGapIsPaintedAboveTheGlyphsInTheRunsBackground) {
    store_.config.font_mode = 1;
    ASSERT_TRUE(SetUpFonts(GetModuleHandleA(nullptr), store_));
    FontRecord gapped = Render.fonts[kFontRaster7x12];
    gapped.lineGap = 3;
    FillCellsWith(0, 0, 80, 0xDB, CellAttribute{9, 0, 0});  // Window Hilight: 1 on 12
    const COLORREF sentinel = RGB(1, 2, 3);
    Canvas canvas(560, 375, sentinel);
    PaintCells(canvas.dc(), gapped, nullptr, RECT{0, 0, 560, 375}, Screen.cells);
    const COLORREF fg = PaletteColor(1), bg = PaletteColor(12);
    for (int y = 0; y < 3; ++y) EXPECT_EQ(canvas.at(3, y), bg) << "gap row " << y;
    for (int y = 3; y < 15; ++y) EXPECT_EQ(canvas.at(3, y), fg) << "block row " << y;
    EXPECT_EQ(canvas.at(3, 15), RGB(255, 255, 255)) << "row 1 starts with its own gap (class 0)";
    EXPECT_EQ(canvas.at(559, 374), RGB(255, 255, 255));
}

namespace {

// Steps the colour dialog through from inside its modal loop: a thread timer
// finds the dialog and plays the given clicks, then presses the last button.
struct DialogScript {
    std::vector<std::pair<int, int>> commands;  // control id, notification code
    int role = 0;
    bool ran = false;
};
DialogScript* CurrentScript = nullptr;

BOOL CALLBACK FindColorDialog(HWND w, LPARAM found) {
    char title[64] = {};
    GetWindowTextA(w, title, sizeof title);
    if (std::string(title) != "Configure Colors") return TRUE;
    *reinterpret_cast<HWND*>(found) = w;
    return FALSE;
}

void CALLBACK PlayScript(HWND, UINT, UINT_PTR timer, DWORD) {
    // This thread's dialog only: other programs may show windows on the display.
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindColorDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || !CurrentScript || CurrentScript->ran) return;
    KillTimer(nullptr, timer);
    CurrentScript->ran = true;
    SendDlgItemMessageA(dialog, IDC_COLOR_ROLES, LB_SETCURSEL, CurrentScript->role, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_COLOR_ROLES, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_COLOR_ROLES)));
    for (const auto& [id, code] : CurrentScript->commands)
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool RunScripted(DialogScript& script) {
    CurrentScript = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, PlayScript);
    const bool ok = RunColorDialog(nullptr);
    KillTimer(nullptr, timer);
    CurrentScript = nullptr;
    EXPECT_TRUE(script.ran) << "the dialog did not open";
    return ok;
}

}  // namespace

TEST_F(Renderer, ColorDialogWritesOnlyTheChangedKeysOnOk) {
    store_.config.font_mode = 1;
    ASSERT_TRUE(SetUpFonts(GetModuleHandleA(nullptr), store_));
    // "Window": text colour 4, background 4 then 3.
    DialogScript change{{{IDC_COLOR_TEXT_FIRST + 4, BN_CLICKED},
                         {IDC_COLOR_BACK_FIRST + 4, BN_CLICKED},
                         {IDC_COLOR_BACK_FIRST + 3, BN_CLICKED},
                         {IDOK, BN_CLICKED}},
                        kRoleWindow};
    ASSERT_TRUE(RunScripted(change));
    EXPECT_EQ(Colors.roles[kRoleWindow].fg, 4);
    EXPECT_EQ(Colors.roles[kRoleWindow].bg, 3);
    EXPECT_EQ(ini_.read_int("Color", "WindowF", -1), 4);
    EXPECT_EQ(ini_.read_int("Color", "WindowB", -1), 3);
    EXPECT_EQ(file_.key_count("Color"), 2u);

    // Cancel keeps what is in use.
    DialogScript cancel{{{IDC_COLOR_TEXT_FIRST + 9, BN_CLICKED}, {IDCANCEL, BN_CLICKED}}, kRoleStatus};
    EXPECT_FALSE(RunScripted(cancel));
    EXPECT_EQ(Colors.roles[kRoleStatus].fg, 0);
    EXPECT_EQ(file_.key_count("Color"), 2u);

    // "Defaults" restores the built-in colours of every role.
    DialogScript defaults{{{IDC_COLOR_DEFAULTS, BN_CLICKED}, {IDOK, BN_CLICKED}}, kRoleStatus};
    ASSERT_TRUE(RunScripted(defaults));
    EXPECT_EQ(Colors.roles[kRoleWindow].fg, 12);
    EXPECT_EQ(Colors.roles[kRoleWindow].bg, 1);
    EXPECT_EQ(ini_.read_int("Color", "WindowF", -1), 12);
    EXPECT_EQ(file_.key_count("Color"), 2u);
}

TEST_F(Renderer, MixedFontDrawsHighCodesWithTheRegularScalableFont) {
    store_.config.font_mode = 1;
    ASSERT_TRUE(SetUpFonts(GetModuleHandleA(nullptr), store_));
    const fontgen::FntInfo raster = FontFromResource(IDF_DOS7X12);
    // A mixed record over the raster face, with the scalable face of the same
    // cell as its companion (the regular scalable record).
    FontRecord mixed = Render.fonts[kFontRaster7x12];
    mixed.mixedFont = true;
    FontRecord& companion = Render.fonts[kFontCorvane];
    HFONT previous = companion.font;
    companion.font = CreateFontA(12, 7, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, 0x31, "Corvane");
    companion.lineGap = 0;
    ASSERT_NE(companion.font, nullptr);
    const uint8_t text[] = {'a', 'b', 200, 'c'};
    FillCellsWith(0, 0, 4, ' ', CellAttribute{2, 0, 0});
    WriteText(0, 0, text, 4);
    Canvas canvas(560, 300, RGB(1, 2, 3));
    PaintCells(canvas.dc(), mixed, nullptr, RECT{0, 0, 28, 12}, Screen.cells);
    const COLORREF fg = PaletteColor(12), bg = PaletteColor(1);
    EXPECT_EQ(CompareCell(canvas, mixed, 0, 0, raster.glyphs['a'], fg, bg), "");
    EXPECT_EQ(CompareCell(canvas, mixed, 1, 0, raster.glyphs['b'], fg, bg), "");
    EXPECT_EQ(CompareCell(canvas, mixed, 3, 0, raster.glyphs['c'], fg, bg), "");

    // Code 200 is the companion's glyph, which differs from the raster one.
    Canvas reference(7, 12, bg);
    SelectObject(reference.dc(), companion.font);
    SetTextColor(reference.dc(), fg);
    SetBkColor(reference.dc(), bg);
    const char high = static_cast<char>(200);
    TextOutA(reference.dc(), 0, 0, &high, 1);
    fontgen::Bitmap drawn(7, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 7; ++x) drawn.set(x, y, reference.at(x, y) == fg);
    SelectObject(reference.dc(), GetStockObject(SYSTEM_FONT));
    ASSERT_NE(drawn, raster.glyphs[200]) << "the two faces must differ for this check";
    EXPECT_EQ(CompareCell(canvas, mixed, 2, 0, drawn, fg, bg), "");
    DeleteObject(companion.font);
    companion.font = previous;
}
