#include "frame_edit_win32.h"

#include <commctrl.h>

#include <cstdio>

#include "edit_find_dialog_win32.h"
#include "edit_function_dialog_win32.h"
#include "edit_list_window_win32.h"
#include "helper_ids.h"
#include "helper_state.h"

namespace {

constexpr UINT kShowMessage = WM_APP + 1;
constexpr UINT kShowFunction = WM_APP + 2;
constexpr UINT_PTR kFlushTimerId = 1;
constexpr char kFrameClass[] = "CFrameEdit";

}  // namespace

EditFrame* MakeWin32EditFrame() { return new CFrameEdit; }

CFrameEdit::CFrameEdit() : session_(*this), view_(*this) {}
CFrameEdit::~CFrameEdit() = default;

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
  CreateBars({{ID_EDIT_SAVE, STD_FILESAVE},
              {ID_EDIT_CUT, STD_CUT},
              {ID_EDIT_COPY, STD_COPY},
              {ID_EDIT_PASTE, STD_PASTE},
              {ID_EDIT_UNDO, STD_UNDO},
              {ID_EDIT_FIND, STD_FIND},
              {ID_EDIT_REPLACE, STD_REPLACE},
              {ID_EDIT_PRINT, STD_PRINT}});
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
  if (session_.prefs.autoLabels) PostMessageA(frame, WM_COMMAND, ID_EDIT_LABELS, 0);
}

void CFrameEdit::Refresh() {
  HWND frame = FrameWindow::Handle();
  if (!frame) return;
  if (session_.readOnly != readOnlyMenu_) {
    readOnlyMenu_ = session_.readOnly;
    ModifyMenuA(GetMenu(frame), ID_EDIT_SAVE_CLOSE, MF_BYCOMMAND | MF_STRING, ID_EDIT_SAVE_CLOSE,
                readOnlyMenu_ ? "Close\tEscape" : "Save and Close\tEscape");
  }
  // A function request answered by the host: its text is shown once the
  // interface call that brought it has returned.
  if (showFunctionPending_ && !session_.RequestPending()) {
    showFunctionPending_ = false;
    PostMessageA(frame, kShowFunction, 0, 0);
  }
  view_.Refresh();
  RefreshLists();
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
  find_.reset();
  function_.reset();
  for (auto& list : lists_) list.reset();
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
  for (int kind = 0; kind < 3; ++kind)
    if (lists_[kind]) lists_[kind]->CapturePlacement(prefs.dialogs[kind]);
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
  Box(text.c_str(), MB_OK | MB_ICONSTOP);
}

int CFrameEdit::Box(const char* text, UINT flags) {
  return MessageBoxA(FrameWindow::Handle(), text, session_.title.c_str(), flags);
}

int CFrameEdit::AskYesNoCancel(const char* text) {
  switch (Box(text, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2)) {
    case IDYES: return 1;
    case IDNO: return 0;
    default: return -1;
  }
}

bool CFrameEdit::AskYesNo(const char* text, const char* caption) {
  return MessageBoxA(FrameWindow::Handle(), text, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CFrameEdit::StartFlushTimer(long long ms) {
  if (HWND frame = FrameWindow::Handle()) {
    const UINT wait = ms <= 0 ? 1 : ms > 0x7fffffff ? 0x7fffffff : static_cast<UINT>(ms);
    SetTimer(frame, kFlushTimerId, wait, nullptr);
  }
}

void CFrameEdit::StopFlushTimer() {
  if (HWND frame = FrameWindow::Handle()) KillTimer(frame, kFlushTimerId);
}

void CFrameEdit::OnFlushTimer() {
  StopFlushTimer();
  session_.CheckFlushTimer();
  // A window timer may come a little early: wait for the rest.
  if (session_.Timer().Running()) StartFlushTimer(session_.Timer().Remaining(SystemEditClock().NowMs()));
  UpdateUserInterface();
}

bool CFrameEdit::PreTranslate(MSG& msg) {
  if (find_ && find_->PreTranslate(msg)) return true;
  if (function_ && function_->PreTranslate(msg)) return true;
  for (auto& list : lists_)
    if (list && list->PreTranslate(msg)) return true;
  return FrameWindow::PreTranslate(msg);
}

void CFrameEdit::ListClosed(EditListKind kind) {
  if (lists_[kind]) lists_[kind]->CapturePlacement(session_.prefs.dialogs[kind]);
  SetFocus(view_.Handle());
}

void CFrameEdit::ShowLine(int line, int column) {
  session_.ClearSelection();
  session_.MoveCaret(line, column);
  Refresh();
  SetFocus(view_.Handle());
}

std::vector<std::string> CFrameEdit::StatusTexts() {
  const EditStatus st = session_.Status();
  char position[48];
  std::snprintf(position, sizeof position, "Ln %d Col %d", st.line, st.column);
  return {position,
          st.insert ? "INS" : "",
          (GetKeyState(VK_CAPITAL) & 1) ? "CAPS" : "",
          st.mod ? "MOD" : "",
          st.sync ? "Sync" : "",
          st.changed ? "Changed" : "",
          st.viewOnly ? "View Only" : ""};
}

bool CFrameEdit::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  switch (message) {
    case kShowMessage:
      ShowNextMessage();
      *result = 0;
      return true;
    case kShowFunction:
      ShowFunctionText();
      *result = 0;
      return true;
    case WM_TIMER:
      if (wParam != kFlushTimerId) return false;
      OnFlushTimer();
      *result = 0;
      return true;
    case WM_SYSCOLORCHANGE:
      // The view's brushes follow the new system colours.
      SendMessageA(view_.Handle(), WM_SYSCOLORCHANGE, 0, 0);
      return false;
    case WM_CLOSE:
      RunCommand(ID_EDIT_EXIT);
      *result = 0;
      return true;
    default:
      return false;
  }
}
