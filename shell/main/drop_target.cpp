// The OLE drop target of the main and the full-screen window: files dropped
// from the shell (a file list) or virtual files (a "FileGroupDescriptor" with
// "FileContents", written first to a path the user picks in "Save Dropped
// File") go into the queue for the host with the drop's position.
#include <windows.h>
#include <commdlg.h>
#include <ole2.h>

#include <string>

#include "drop_files.h"
#include "drop_target.h"
#include "engine_bridge.h"
#include "host_items.h"
#include "key_codes.h"
#include "messaging_shell.h"
#include "render_notify.h"
#include "screen_model.h"
#include "shell/keyboard/mouse_machine.h"
#include "shell/render/renderer.h"
#include "shell_state.h"

namespace {

UINT DescriptorFormat() {
  static UINT format = RegisterClipboardFormatA("FileGroupDescriptor");
  return format;
}

bool Offers(IDataObject* data, UINT format, LONG index = -1) {
  FORMATETC f = {static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, index, TYMED_HGLOBAL};
  return data->QueryGetData(&f) == S_OK;
}

// The drop point as the host's position text.
std::string PositionText(POINTL point) {
  POINT p = {point.x, point.y};
  HWND target = Shell.paintTarget ? Shell.paintTarget : Shell.mainWindow;
  ScreenToClient(target, &p);
  const FontRecord* f = Shell.currentFont;
  int col = -1, row = -1;
  if (!f || !CellFromPoint(p.x, p.y, f->xOrigin, f->yOrigin, CellWidth(*f), CellRowHeight(*f), &col, &row))
    col = row = -1;
  const WindowState& w = Screen.win;
  return DropPositionText(col, row, w.winLeft, w.winTop, w.winRight, w.winBottom);
}

class DropTarget final : public IDropTarget {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
      *out = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // One static object for the program's life.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    const bool files = Offers(data, CF_HDROP) || Offers(data, DescriptorFormat());
    effect_ = files && (*effect & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    *effect = effect_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = effect_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    effect_ = DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) override {
    *effect = effect_;
    if (effect_ == DROPEFFECT_NONE) return S_OK;
    effect_ = DROPEFFECT_NONE;
    const std::string position = PositionText(point);
    const int queued = Offers(data, CF_HDROP) ? QueueFileList(data, position)
                                                   : QueueVirtualFiles(data, Shell.mainWindow, position);
    if (queued > 0) {
      DispatchKeyCode(keycode::kItemQueued);
      FlushRenderNotifications();
    }
    return S_OK;
  }

 private:
  DWORD effect_ = DROPEFFECT_NONE;
};

DropTarget Target;

}  // namespace

void RegisterDropTarget(HWND window) {
  if (Shell.oleReady && window) RegisterDragDrop(window, &Target);
}

void RevokeDropTarget(HWND window) {
  if (Shell.oleReady && window) RevokeDragDrop(window);
}
