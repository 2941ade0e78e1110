// Sizing the scalable fonts to the window, switching fonts and snapping the
// window to the grid.
#include <algorithm>

#include "resources/resource_ids.h"
#include "shell/config/config_store.h"
#include "shell/main/shell_state.h"
#include "shell/render/fit_order.h"
#include "shell/render/render_state.h"

using tavix::render::FitCell;

namespace {

const char kRegularFace[] = "Corvane";
const char kBoldFace[] = "Courier New Bold";
const char kProbeText[] = "NOW ISTHETIME";
constexpr int kProbeLength = 13;

HFONT CreateScalable(int height, int width, bool bold) {
    return CreateFontA(height, width, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                       bold ? ANSI_CHARSET : SYMBOL_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       NONANTIALIASED_QUALITY, 0x31, bold ? kBoldFace : kRegularFace);
}

// A font fits the cell when its average width is the cell width, a probe text
// measures exactly one cell per character and it is not taller than the cell.
bool Fits(HDC dc, HFONT font, int height, int width, int* textHeight) {
    if (!font) return false;
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    SIZE extent{};
    const bool ok = GetTextMetricsA(dc, &tm) && tm.tmAveCharWidth == width &&
                    GetTextExtentPoint32A(dc, kProbeText, kProbeLength, &extent) &&
                    extent.cx == kProbeLength * width && tm.tmHeight <= height;
    SelectObject(dc, old);
    *textHeight = tm.tmHeight;
    return ok;
}

struct Candidate {
    HFONT regular = nullptr, bold = nullptr;
    int regularHeight = 0, boldHeight = 0;
};

void Discard(Candidate& c) {
    if (c.regular) DeleteObject(c.regular);
    if (c.bold) DeleteObject(c.bold);
    c = Candidate{};
}

void ReplaceFont(FontRecord& r, HFONT font, int width, int height) {
    if (r.font && r.font != font) DeleteObject(r.font);
    r.font = font;
    r.cellWidth = width;
    r.charHeight = height;
}

void PlaceMainWindow(int width, int height, bool centre) {
    HWND window = Shell.mainWindow;
    if (!window) return;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    int x = 0, y = 0;
    if (centre) {
        x = (Shell.screenWidth - width) / 2;
        y = (Shell.screenHeight - height) / 2;
    } else {
        flags |= SWP_NOMOVE;
    }
    SetWindowPos(window, nullptr, x, y, width, height, flags);
}

// The WM_SIZE messages the renderer's own sizing causes are not re-fits.
class SizingWindow {
public:
    SizingWindow() : outer_(!Render.sizingWindow) { Render.sizingWindow = true; }
    ~SizingWindow() {
        if (outer_) Render.sizingWindow = false;
    }

private:
    bool outer_;
};

void SnapMainWindow(bool centre) {
    SizingWindow sizing;
    int width, height;
    WindowSizeForFont(*Shell.mainFont, &width, &height);
    PlaceMainWindow(width, height, centre);
    FitWindowToGrid();
    InvalidateRect(Shell.mainWindow, nullptr, TRUE);
}

}  // namespace

bool FitFont(HDC dc, int availWidth, int availHeight, bool fitUp, bool withBold) {
    FontRecord& regular = Render.fonts[kFontCorvane];
    FontRecord& bold = Render.fonts[kFontCorvaneBold];
    withBold = withBold && bold.available;
    FontRecord& target = withBold ? bold : regular;
    if (target.clamped) {
        // The window was just shrunk to the screen: fit what it has now.
        target.clamped = false;
        fitUp = false;
    }
    const FitCell cell = tavix::render::CellForArea(availWidth, availHeight, fitUp);
    HDC measure = dc ? dc : CreateCompatibleDC(nullptr);
    if (!measure) return false;

    Candidate accepted;
    auto accept = [&](int h, int w) {
        Candidate c;
        c.regular = CreateScalable(h, w, false);
        bool ok = Fits(measure, c.regular, h, w, &c.regularHeight);
        if (ok && withBold) {
            c.bold = CreateScalable(h, w, true);
            ok = Fits(measure, c.bold, h, w, &c.boldHeight);
        }
        if (!ok) {
            Discard(c);
            return false;
        }
        accepted = c;
        return true;
    };
    FitCell found{};
    const bool ok = fitUp ? tavix::render::FitUp(cell.height, cell.width, target.maxCharHeight,
                                                 target.maxCellWidth, accept, &found)
                          : tavix::render::FitDown(cell.height, cell.width, accept, &found);
    if (!dc) DeleteDC(measure);
    if (!ok) return false;

    const bool same = regular.font && regular.cellWidth == found.width &&
                      regular.charHeight == accepted.regularHeight &&
                      (!withBold || (bold.font && bold.cellWidth == found.width &&
                                     bold.charHeight == accepted.boldHeight));
    if (same) {
        Discard(accepted);
        return false;
    }
    ReplaceFont(regular, accepted.regular, found.width, accepted.regularHeight);
    regular.lineGap = 0;
    if (withBold) {
        ReplaceFont(bold, accepted.bold, found.width, accepted.boldHeight);
        // Both records get one row height: the shorter font gets the difference as gap.
        bold.lineGap = std::max(0, accepted.regularHeight - accepted.boldHeight);
        regular.lineGap = std::max(0, accepted.boldHeight - accepted.regularHeight);
    }
    if (!fitUp) {
        for (FontRecord* r : {&regular, withBold ? &bold : nullptr}) {
            if (!r) continue;
            r->maxCellWidth = found.width;
            r->maxCharHeight = found.height;
            r->maxLineGap = r->lineGap;
        }
    }
    return true;
}

bool SelectFont(int index) {
    FontRecord* record = FontRecordAt(index);
    if (!record || index > kFontCorvaneBold || record == Shell.mainFont || !record->available)
        return false;
    HWND window = Shell.mainWindow;
    static const UINT kCommands[4] = {CMD_FONT_RASTER_10X18, CMD_FONT_RASTER_7X12, CMD_FONT_CORVANE,
                                      CMD_FONT_CORVANE_BOLD};
    if (HMENU menu = window ? GetMenu(window) : nullptr) {
        for (int i = 0; i < 4; ++i)
            CheckMenuItem(menu, kCommands[i], MF_BYCOMMAND | (i == index ? MF_CHECKED : MF_UNCHECKED));
    }
    if (Render.config) {
        Render.config->config.font_mode = static_cast<signed char>(index);
        Render.config->save_font();
    }
    Shell.mainFont = record;
    if (!Shell.fullScreenWindow) Shell.currentFont = record;
    if (window) {
        SizingWindow sizing;  // the font is fitted to the new client below
        LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
        if (FontIsScalable(*record))
            style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
        else
            style &= ~static_cast<LONG_PTR>(WS_THICKFRAME | WS_MAXIMIZEBOX);
        SetWindowLongPtrA(window, GWL_STYLE, style);
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (FontIsScalable(*record) && window) {
        RECT client;
        GetClientRect(window, &client);
        FitFont(nullptr, client.right, client.bottom, true, index == kFontCorvaneBold);
    }
    if (window) SnapMainWindow(true);
    RecreateCaret();
    return true;
}

void FitWindowToGrid() {
    HWND window = Shell.mainWindow;
    FontRecord* record = Shell.mainFont;
    if (!window || !record || IsIconic(window) || IsZoomed(window)) return;
    SizingWindow sizing;
    // A second pass covers a menu bar whose wrapping changed with the width.
    for (int pass = 0; pass < 2; ++pass) {
        RECT client, outer;
        GetClientRect(window, &client);
        const int dw = kScreenCols * record->cellWidth - client.right;
        const int dh = kScreenRows * CellRowHeight(*record) - client.bottom;
        if (dw == 0 && dh == 0) return;
        record->frameRight += dw;
        record->frameTop += dh;
        GetWindowRect(window, &outer);
        SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + dw, outer.bottom - outer.top + dh,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void RefitToClient(int clientWidth, int clientHeight) {
    FontRecord* record = Shell.mainFont;
    if (!record || !Shell.mainWindow || Render.sizingWindow) return;
    int frameWidth, frameHeight;
    WindowFrameSize(*record, &frameWidth, &frameHeight);
    const int width = clientWidth + frameWidth;
    const int height = clientHeight + frameHeight;
    if (width > Shell.screenWidth || height > Shell.screenHeight) {
        // Set first: the WM_SIZE the shrinking sends fits the font down into
        // what is left.
        record->clamped = true;
        PlaceMainWindow(std::min(width, Shell.screenWidth), std::min(height, Shell.screenHeight), true);
        return;
    }
    if (!FontIsScalable(*record)) {
        FitWindowToGrid();
        return;
    }
    FitFont(nullptr, clientWidth, clientHeight, true, record == &Render.fonts[kFontCorvaneBold]);
    SnapMainWindow(false);
}

void MaximiseScalableFont() {
    FontRecord* record = Shell.mainFont;
    if (!record || !FontIsScalable(*record) || !Shell.mainWindow) return;
    FitFont(nullptr, kScreenCols * record->maxCellWidth, kScreenRows * record->maxCharHeight, true,
            record == &Render.fonts[kFontCorvaneBold]);
    SnapMainWindow(true);
    MoveCaret();
}
