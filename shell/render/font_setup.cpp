// Font set-up at start-up: the palette entries taken from the display, the
// screen size, the five font records, the [Font] "mode" correction and the
// first picture of the ScreenModel.
#include <cstring>

#include "cell_primitives.h"
#include "resources/resource_ids.h"
#include "shell/config/config_store.h"
#include "shell/main/shell_state.h"
#include "shell/render/cell_area.h"
#include "shell/render/font_resources.h"
#include "shell/render/render_state.h"

namespace {

constexpr DWORD kFixedStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kSizingStyle = kFixedStyle | WS_THICKFRAME | WS_MAXIMIZEBOX;

// Frame sizes of the main window with its menu in one of its two styles.
void SetFrame(FontRecord& r, DWORD style) {
    RECT rc{0, 0, 0, 0};
    AdjustWindowRectEx(&rc, style, TRUE, 0);
    r.frameLeft = -rc.left;
    r.frameTop = -rc.top;
    r.frameRight = rc.right;
    r.frameBottom = rc.bottom;
}

// Palette entries 16-18 follow the display's system palette where it has one.
void TakeSystemPaletteEntries(HDC ic) {
    static const int kSystemEntries[3] = {9, 8, 246};
    for (int i = 0; i < 3; ++i) {
        PALETTEENTRY pe{};
        if (GetSystemPaletteEntries(ic, kSystemEntries[i], 1, &pe) == 1)
            tavix::render::Colors.palette[16 + i] = tavix::render::Rgb{pe.peRed, pe.peGreen, pe.peBlue};
    }
}

// A raster face of exactly height x width, installed from the program's
// resources when the system does not have it.
void MakeRasterFont(FontRecord& r, HINSTANCE instance, const char* face, int height, int width,
                    int resource, const char* tempFile) {
    if (!FindInstalledFont(face, height, width, nullptr) &&
        !InstallFontResource(instance, resource, tempFile))
        return;
    HFONT font = CreateFontA(height, width, 0, 0, 0, 0, 0, 0, OEM_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 3, face);
    if (!font) return;
    int textHeight = height;
    if (HDC dc = CreateCompatibleDC(nullptr)) {
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICA tm{};
        if (GetTextMetricsA(dc, &tm)) textHeight = tm.tmHeight;
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    r.font = font;
    r.cellWidth = width;
    r.charHeight = textHeight;
    r.xOrigin = r.yOrigin = 0;
    r.lineGap = 0;
    r.fixedSize = true;
    r.mixedFont = false;
    r.available = true;
}

void SetUpScalableFonts(HINSTANCE instance, int screenWidth, int screenHeight, int mode) {
    bool trueType = false;
    if (!FindInstalledFont("Corvane", 0, 0, &trueType) || !trueType) {
        if (!InstallFontResource(instance, IDF_CORVANE, "corvane.tmp")) return;
        if (!FindInstalledFont("Corvane", 0, 0, &trueType) || !trueType) return;
    }
    FontRecord& regular = Render.fonts[kFontCorvane];
    FontRecord& bold = Render.fonts[kFontCorvaneBold];
    SetFrame(regular, kSizingStyle);
    SetFrame(bold, kSizingStyle);
    bold.mixedFont = true;
    // The whole screen less the sizing frame, caption and menu.
    const int width = screenWidth - 2 * GetSystemMetrics(SM_CXFRAME);
    const int height = screenHeight - 2 * GetSystemMetrics(SM_CYFRAME) -
                       GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYMENU);
    bool boldTrueType = false;
    if (FindInstalledFont("Courier New Bold", 0, 0, &boldTrueType) && boldTrueType) {
        bold.available = true;
        FitFont(nullptr, width, height, false, true);
        bold.available = bold.font != nullptr;
    }
    FitFont(nullptr, width, height, false, mode == kFontCorvaneBold);
    regular.available = regular.font != nullptr;
    bold.available = bold.available && regular.available;
}

}  // namespace

bool SetUpFonts(HINSTANCE instance, tavix::ConfigStore& store) {
    Render.config = &store;
    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    if (ic) TakeSystemPaletteEntries(ic);

    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    Shell.screenWidth = screenWidth;
    Shell.screenHeight = screenHeight;
    Render.workArea = RECT{0, 0, screenWidth, screenHeight};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &Render.workArea, 0);
    if (!store.placement_fits_screen(screenWidth)) {
        store.placement_valid = false;
        Shell.savedPlacementValid = false;
    }

    const int mode = store.config.font_mode;
    SetUpScalableFonts(instance, screenWidth, screenHeight, mode);

    FontRecord& r10 = Render.fonts[kFontRaster10x18];
    const int roomHeight = screenHeight - 2 * GetSystemMetrics(SM_CYFIXEDFRAME) -
                           GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYMENU);
    if (screenWidth >= 800 && roomHeight >= 450) {
        SetFrame(r10, kFixedStyle);
        MakeRasterFont(r10, instance, "DOS10x18", 18, 10, IDF_DOS10X18, "f10x18.tmp");
    }
    FontRecord& r7 = Render.fonts[kFontRaster7x12];
    SetFrame(r7, kFixedStyle);
    MakeRasterFont(r7, instance, "DOS7x12", 12, 7, IDF_DOS7X12, "f7x12.tmp");

    if (const tavix::render::FullScreenFace* f =
            tavix::render::FullScreenFaceFor(screenWidth, screenHeight)) {
        FontRecord& full = Render.fonts[kFontFullScreen];
        MakeRasterFont(full, instance, f->face, f->cellHeight, f->cellWidth, f->resource, f->tempFile);
        full.xOrigin = f->xOrigin;
        full.yOrigin = f->yOrigin;
    }
    if (ic) DeleteDC(ic);

    bool available[4];
    for (int i = 0; i < 4; ++i) available[i] = Render.fonts[i].available;
    if (store.correct_font_mode(available)) {
        if (store.config.font_mode < 0) return false;
        store.save_font();
    }
    FontRecord* chosen = &Render.fonts[store.config.font_mode];
    Shell.mainFont = chosen;
    Shell.currentFont = chosen;

    // A blank work area and status row until the host draws.
    FillCellsWith(0, kStatusRow, kScreenCols, ' ', CellAttribute{7, 0, 0});
    for (int row = 0; row < kWorkRows; ++row)
        FillCellsWith(0, row, kScreenCols, ' ', CellAttribute{0, 0, 0});
    return true;
}

bool ApplyColorOverrides() {
    return Render.config && tavix::render::LoadColorOverrides(tavix::render::Colors, *Render.config);
}
