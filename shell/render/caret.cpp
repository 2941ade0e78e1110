// The caret on the paint target: its shape shows Caps Lock and the insert
// mode; status indicator bits hide it while they are set.
#include "shell/main/shell_state.h"
#include "shell/render/caret_geometry.h"
#include "shell/render/render_state.h"

using namespace tavix::render;

namespace {

CaretShape CurrentShape(const FontRecord& r) {
    return CaretShapeFor(Shell.capsLock, Render.caretInsert, CellRowHeight(r));
}

}  // namespace

void RecreateCaret() {
    DestroyTerminalCaret();
    HWND target = Shell.paintTarget;
    const FontRecord* record = Shell.currentFont;
    // The caret belongs to the window with the keyboard focus.
    if (!target || !record || GetFocus() != target) return;
    const CaretShape shape = CurrentShape(*record);
    if (!CreateCaret(target, nullptr, record->cellWidth, shape.height)) return;
    Render.caretCreated = true;
    Render.caretWindow = target;
    MoveCaret();
    if (Render.caretHideBits == 0) ShowCaret(target);
}

void MoveCaret() {
    const FontRecord* record = Shell.currentFont;
    if (!Render.caretCreated || !record) return;
    const CaretPlace p = CaretPlaceFor(Screen.win.cursorCol, Screen.win.winRight, Screen.win.cursorRow,
                                       record->cellWidth, CellRowHeight(*record), record->xOrigin,
                                       record->yOrigin, CurrentShape(*record));
    SetCaretPos(p.x, p.y);
}

void DestroyTerminalCaret() {
    if (!Render.caretCreated) return;
    DestroyCaret();
    Render.caretCreated = false;
    Render.caretWindow = nullptr;
}

void SetCaretInsertMode(bool insert) {
    if (Render.caretInsert == insert) return;
    Render.caretInsert = insert;
    if (Render.caretCreated) RecreateCaret();
}

void AddCaretHideBits(unsigned bits) {
    const bool wasShown = Render.caretHideBits == 0;
    Render.caretHideBits |= bits;
    if (wasShown && Render.caretHideBits != 0 && Render.caretCreated) HideCaret(Render.caretWindow);
}

void RemoveCaretHideBits(unsigned bits) {
    const bool wasHidden = Render.caretHideBits != 0;
    Render.caretHideBits &= ~bits;
    if (wasHidden && Render.caretHideBits == 0 && Render.caretCreated) ShowCaret(Render.caretWindow);
}

void ClearCaretHideBits() { RemoveCaretHideBits(~0u); }
