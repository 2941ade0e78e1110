#include "shell/render/render_state.h"

#include "shell/main/shell_state.h"

RenderState Render = {};

void ResetRenderState() { Render = RenderState{}; }

COLORREF PaletteColor(int index) {
    if (index < 0 || index >= tavix::render::kPaletteSize) index = 0;
    const tavix::render::Rgb c = tavix::render::Colors.palette[index];
    return RGB(c.r, c.g, c.b);
}

FontRecord* FontRecordAt(int index) {
    return index >= 0 && index < kFontRecordCount ? &Render.fonts[index] : nullptr;
}

bool FontAvailable(int index) {
    const FontRecord* r = FontRecordAt(index);
    return r && r->available;
}

FontRecord* FullScreenFontRecord() {
    FontRecord& r = Render.fonts[kFontFullScreen];
    return r.available ? &r : nullptr;
}

void WindowFrameSize(const FontRecord& r, int* width, int* height) {
    *width = r.frameLeft + r.frameRight;
    *height = r.frameTop + r.frameBottom;
}

void WindowSizeForFont(const FontRecord& r, int* width, int* height) {
    WindowFrameSize(r, width, height);
    *width += kScreenCols * r.cellWidth;
    *height += kScreenRows * CellRowHeight(r);
}

RECT WorkArea() { return Render.workArea; }

void DeleteFonts() {
    for (FontRecord& r : Render.fonts) {
        if (r.font) DeleteObject(r.font);
        r.font = nullptr;
    }
}
