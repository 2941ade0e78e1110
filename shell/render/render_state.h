// The renderer's process-wide record: the five font records, the caret, the
// mouse selection, the brushes and pens. One owner (render_state.cpp).
#pragma once

#include <windows.h>

#include "shell/render/color_table.h"
#include "shell/render/renderer.h"
#include "shell/render/row_runs.h"

namespace tavix {
class ConfigStore;
}

struct RenderState {
    FontRecord fonts[kFontRecordCount];
    tavix::ConfigStore* config;     // savers and the "hilite" option
    RECT workArea;
    bool sizingWindow;              // the renderer is sizing the main window itself
    tavix::render::CellSelection selection;
    unsigned caretHideBits;
    bool caretInsert;
    bool caretCreated;
    HWND caretWindow;
    HBRUSH faceBrush;               // system colour "button face"
    HPEN facePen, shadowPen, highlightPen, textPen;
};

extern RenderState Render;

// Back to the start (tests); does not delete GDI objects.
void ResetRenderState();

// A palette entry as a COLORREF.
COLORREF PaletteColor(int index);

// Fits the scalable fonts to an area: record 2 alone, or with `withBold` records 2
// and 3 together. `dc` may be null. True when the fonts changed.
bool FitFont(HDC dc, int availWidth, int availHeight, bool fitUp, bool withBold);

// Font files carried as raw data resources, installed privately from a file
// in the current directory. `resource` is the RCDATA number.
bool InstallFontResource(HINSTANCE instance, int resource, const char* tempFile);

// Looks a family up among the installed fonts: a TrueType family matches at
// once; a raster face only in exactly wantHeight x wantWidth (0, 0: TrueType only).
bool FindInstalledFont(const char* family, int wantHeight, int wantWidth, bool* trueType);
