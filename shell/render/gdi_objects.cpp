// Brush and pens in the system colours, for three-dimensional edges in the
// dialogs and the view window.
#include "shell/render/render_state.h"

void CreateRenderObjects() {
    Render.faceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    Render.facePen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    Render.shadowPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    Render.highlightPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    Render.textPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
}

void DeleteRenderObjects() {
    HGDIOBJ objects[] = {Render.faceBrush, Render.facePen, Render.shadowPen, Render.highlightPen,
                         Render.textPen};
    for (HGDIOBJ o : objects)
        if (o) DeleteObject(o);
    Render.faceBrush = nullptr;
    Render.facePen = Render.shadowPen = Render.highlightPen = Render.textPen = nullptr;
}
