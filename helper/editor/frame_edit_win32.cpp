#include "frame_edit_win32.h"

#include <commctrl.h>

#include <cstdio>

#include "helper_ids.h"
#include "helper_state.h"

namespace {

constexpr UINT kShowMessage = WM_APP + 1;
constexpr char kFrameClass[] = "CFrameEdit";

}  // namespace

EditFrame* MakeWin32EditFrame() { return new CFrameEdit; }

CFrameEdit::Busy::~Busy() {
  if (--frame_.busyDepth_ == 0 && frame_.destroyPending_) frame_.DestroyNow();
}

bool CFrameEdit::CreateHidden() {
  static const bool controls = [] {
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_BAR_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)controls;
  const EditPreferences& p = session_.prefs;
  const EditRect at = PlaceEditWindow(p.x, p.y, p.width, p.height, p.desktop);
  const RECT rect = {at.left, at.top, at.right, at.bottom};
  if (!CreateFrame(kFrameClass, IDR_FRAME_EDIT, session_.title, rect)) return false;
  if (!view_.Create(FrameWindow::Handle())) {
    // The object goes back to the caller, not with the window.
    SetWindowLongPtrA(FrameWindow::Handle(), GWLP_USERDATA, 0);
    DestroyWindow(FrameWindow::Handle());
    return false;
  }
  SetView(view_.Handle());
  CreateBars({{ID_EDIT_SAVE, STD_FILESAVE}});
  Layout();
  return true;
}

void CFrameEdit::ShowLoaded() {
  HWND frame = FrameWindow::Handle();
  if (!frame) return;
  ShowToolbar(session_.prefs.toolbar != 0);
  ShowStatusbar(session_.prefs.statusbar != 0);
  SetWindowTextA(frame, session_.title.c_str());
  view_.ApplyFont();
  Refresh();
  ShowWindow(frame, SW_SHOWNORMAL);
  UpdateWindow(frame);
  SetForegroundWindow(frame);
  SetFocus(view_.Handle());
}

void CFrameEdit::Refresh() {
  HWND frame = FrameWindow::Handle();
  if (!frame) return;
  if (session_.readOnly != readOnlyMenu_) {
    readOnlyMenu_ = session_.readOnly;
    ModifyMenuA(GetMenu(frame), ID_EDIT_SAVE_CLOSE, MF_BYCOMMAND | MF_STRING, ID_EDIT_SAVE_CLOSE,
                readOnlyMenu_ ? "Close\tEscape" : "Save and Close\tEscape");
  }
  view_.Refresh();
  UpdateUserInterface();
}

void CFrameEdit::Destroy() {
  if (Helper.editCallbacks && session_.WritesPreferencesAtClose()) {
    CapturePlacement(session_.prefs);
    WritePreferences(*Helper.editCallbacks, session_.suffix.c_str(), session_.prefs, Helper.customColors);
  }
  if (busyDepth_ > 0) {
    // Closed from inside one of its own handlers: hide now, go when it returns.
    destroyPending_ = true;
    if (FrameWindow::Handle()) ShowWindow(FrameWindow::Handle(), SW_HIDE);
    return;
  }
  DestroyNow();
}

void CFrameEdit::DestroyNow() {
  destroyPending_ = false;
  destroying_ = true;
  if (HWND frame = FrameWindow::Handle()) {
    DestroyWindow(frame);  // OnDestroyed frees the object
  } else {
    delete this;
  }
}

void CFrameEdit::OnDestroyed() {
  if (!destroying_) Helper.AllEdits.Forget(this);  // gone some other way: the registry lets go
  if (busyDepth_ > 0) {
    destroyPending_ = true;
    return;
  }
  delete this;
}

void CFrameEdit::CapturePlacement(EditPreferences& prefs) {
  HWND frame = FrameWindow::Handle();
  if (!frame) return;
  RECT r;
  if (IsZoomed(frame) || IsIconic(frame)) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(frame, &placement);
    r = placement.rcNormalPosition;
  } else {
    GetWindowRect(frame, &r);
  }
  prefs.x = r.left;
  prefs.y = r.top;
  prefs.width = r.right - r.left;
  prefs.height = r.bottom - r.top;
}

void CFrameEdit::ShowMessageLater(const std::string& text) {
  HWND frame = FrameWindow::Handle();
  if (!frame) return;
  messages_.push_back(text);
  PostMessageA(frame, kShowMessage, 0, 0);
}

void CFrameEdit::ShowNextMessage() {
  if (messages_.empty()) return;
  const std::string text = messages_.front();
  messages_.pop_front();
  Busy busy(*this);
  MessageBoxA(FrameWindow::Handle(), text.c_str(), session_.title.c_str(), MB_OK | MB_ICONSTOP);
}

int CFrameEdit::AskYesNoCancel(const char* text) {
  switch (MessageBoxA(FrameWindow::Handle(), text, session_.title.c_str(),
                      MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2)) {
    case IDYES: return 1;
    case IDNO: return 0;
    default: return -1;
  }
}

bool CFrameEdit::AskYesNo(const char* text, const char* caption) {
  return MessageBoxA(FrameWindow::Handle(), text, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CFrameEdit::OnCommand(int id) {
  Busy busy(*this);
  bool done = true;
  switch (id) {
    case ID_EDIT_SAVE: done = session_.Save(); break;
    case ID_EDIT_SAVE_CLOSE: done = session_.SaveAndClose(); break;
    case ID_EDIT_COMPILE: session_.Compile(); break;
    case ID_EDIT_EXIT: done = session_.Exit(); break;
    case ID_EDIT_TOOLBAR:
      session_.prefs.toolbar = !session_.prefs.toolbar;
      ShowToolbar(session_.prefs.toolbar != 0);
      break;
    case ID_EDIT_STATUSBAR:
      session_.prefs.statusbar = !session_.prefs.statusbar;
      ShowStatusbar(session_.prefs.statusbar != 0);
      break;
    default: break;
  }
  if (!done) Beep();
  if (!destroyPending_) Refresh();
}

bool CFrameEdit::CommandEnabled(int id) {
  switch (id) {
    case ID_EDIT_SAVE: return !session_.Closing() && !session_.RequestPending() && !session_.readOnly;
    case ID_EDIT_SAVE_CLOSE: return !session_.Closing() && !session_.RequestPending();
    default: return true;
  }
}

bool CFrameEdit::CommandChecked(int id) {
  switch (id) {
    case ID_EDIT_TOOLBAR: return session_.prefs.toolbar != 0;
    case ID_EDIT_STATUSBAR: return session_.prefs.statusbar != 0;
    default: return false;
  }
}

std::vector<std::string> CFrameEdit::StatusTexts() {
  char position[48];
  std::snprintf(position, sizeof position, "Ln %d Col %d", session_.CaretLine() + 1, session_.CaretColumn() + 1);
  const bool queued = !session_.Queue().Empty();
  return {position,
          session_.InsertMode() ? "INS" : "",
          (GetKeyState(VK_CAPITAL) & 1) ? "CAPS" : "",
          session_.LineChangePending() || queued ? "MOD" : "",
          queued ? "Sync" : "",
          session_.Modified() || queued ? "Changed" : "",
          session_.ViewOnly() ? "View Only" : ""};
}

bool CFrameEdit::OnMessage(UINT message, WPARAM, LPARAM, LRESULT* result) {
  switch (message) {
    case kShowMessage:
      ShowNextMessage();
      *result = 0;
      return true;
    case WM_CLOSE:
      OnCommand(ID_EDIT_EXIT);
      *result = 0;
      return true;
    default:
      return false;
  }
}
