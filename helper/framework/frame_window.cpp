#include "framework.h"

#include <commctrl.h>

namespace {

HINSTANCE module;

// Every command id in a menu and its pop-ups.
void CollectCommands(HMENU menu, std::vector<int>& out) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (HMENU sub = GetSubMenu(menu, i)) {
      CollectCommands(sub, out);
      continue;
    }
    const UINT id = GetMenuItemID(menu, i);
    if (id != 0 && id != static_cast<UINT>(-1)) out.push_back(static_cast<int>(id));
  }
}

}  // namespace

HINSTANCE HelperModule() { return module ? module : GetModuleHandleA(nullptr); }
void SetHelperModule(HINSTANCE m) { module = m; }

bool FrameWindow::CreateFrame(const char* className, int resource, const std::string& caption, const RECT& at) {
  WNDCLASSA existing;
  if (!GetClassInfoA(HelperModule(), className, &existing)) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = HelperModule();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    if (!RegisterClassA(&wc)) return false;
  }
  HMENU menu = LoadMenuA(HelperModule(), MAKEINTRESOURCEA(resource));
  accelerators_ = LoadAcceleratorsA(HelperModule(), MAKEINTRESOURCEA(resource));
  frame_ = CreateWindowExA(0, className, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, at.left, at.top,
                           at.right - at.left, at.bottom - at.top, nullptr, menu, HelperModule(), this);
  if (!frame_) {
    if (menu) DestroyMenu(menu);
    return false;
  }
  if (menu) CollectCommands(menu, menuCommands_);
  return true;
}

void FrameWindow::CreateBars(const std::vector<ToolButton>& buttons) {
  buttons_ = buttons;
  toolbar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0,
                             0, 0, frame_, nullptr, HelperModule(), nullptr);
  if (toolbar_) {
    SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBADDBITMAP bitmaps = {HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
    SendMessageA(toolbar_, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&bitmaps));
    std::vector<TBBUTTON> tb;
    for (const ToolButton& b : buttons) {
      TBBUTTON button = {};
      button.iBitmap = b.bitmap;
      button.idCommand = b.command;
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = TBSTYLE_BUTTON;
      tb.push_back(button);
    }
    SendMessageA(toolbar_, TB_ADDBUTTONS, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
    SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
  }
  statusbar_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | SBARS_SIZEGRIP, 0, 0, 0, 0, frame_, nullptr,
                               HelperModule(), nullptr);
  ShowToolbar(toolbarShown_);
  ShowStatusbar(statusbarShown_);
}

void FrameWindow::ShowToolbar(bool on) {
  toolbarShown_ = on;
  if (toolbar_) ShowWindow(toolbar_, on ? SW_SHOWNA : SW_HIDE);
  Layout();
}

void FrameWindow::ShowStatusbar(bool on) {
  statusbarShown_ = on;
  if (statusbar_) ShowWindow(statusbar_, on ? SW_SHOWNA : SW_HIDE);
  Layout();
}

void FrameWindow::Layout() {
  if (!frame_) return;
  RECT client;
  GetClientRect(frame_, &client);
  int top = client.top, bottom = client.bottom;
  if (toolbar_ && toolbarShown_) {
    SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
    RECT r;
    GetWindowRect(toolbar_, &r);
    top += r.bottom - r.top;
  }
  if (statusbar_ && statusbarShown_) {
    SendMessageA(statusbar_, WM_SIZE, 0, 0);
    RECT r;
    GetWindowRect(statusbar_, &r);
    bottom -= r.bottom - r.top;
  }
  if (view_) MoveWindow(view_, client.left, top, client.right - client.left, bottom > top ? bottom - top : 0, TRUE);
}

void FrameWindow::SetStatusTexts(const std::vector<std::string>& parts) {
  if (!statusbar_ || parts == statusShown_) return;
  if (parts.size() != statusShown_.size()) {
    // The first part takes what the fixed-width indicators leave.
    std::vector<int> edges;
    RECT client;
    GetClientRect(frame_, &client);
    int right = client.right;
    for (size_t i = parts.size(); i-- > 1;) {
      edges.insert(edges.begin(), right);
      right -= 80;
    }
    edges.insert(edges.begin(), right);
    edges.back() = -1;
    SendMessageA(statusbar_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  }
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i < statusShown_.size() && statusShown_[i] == parts[i]) continue;
    SendMessageA(statusbar_, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(parts[i].c_str()));
  }
  statusShown_ = parts;
}

void FrameWindow::UpdateCommand(HMENU menu, int id) {
  const bool enabled = CommandEnabled(id);
  const bool checked = CommandChecked(id);
  if (menu) {
    EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
  if (toolbar_) SendMessageA(toolbar_, TB_ENABLEBUTTON, static_cast<WPARAM>(id), enabled);
}

void FrameWindow::UpdateUserInterface() {
  if (!frame_) return;
  std::vector<int> enabled, checked;
  for (int id : menuCommands_) {
    enabled.push_back(CommandEnabled(id));
    checked.push_back(CommandChecked(id));
  }
  if (enabled != enabledShown_ || checked != checkedShown_) {
    HMENU menu = GetMenu(frame_);
    for (int id : menuCommands_) UpdateCommand(menu, id);
    enabledShown_ = enabled;
    checkedShown_ = checked;
  }
  SetStatusTexts(StatusTexts());
}

bool FrameWindow::PreTranslate(MSG& msg) {
  if (!frame_ || !accelerators_) return false;
  if (msg.hwnd != frame_ && !IsChild(frame_, msg.hwnd)) return false;
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  return TranslateAcceleratorA(frame_, accelerators_, &msg) != 0;
}

LRESULT CALLBACK FrameWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<FrameWindow*>(create->lpCreateParams)->frame_ = window;
  }
  auto* self = reinterpret_cast<FrameWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->frame_ = nullptr;
    self->view_ = self->toolbar_ = self->statusbar_ = nullptr;
    self->OnDestroyed();
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

LRESULT FrameWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (OnMessage(message, wParam, lParam, &result)) return result;
  switch (message) {
    case WM_SIZE:
      Layout();
      statusShown_.clear();  // the parts follow the new width
      SetStatusTexts(StatusTexts());
      return 0;
    case WM_SETFOCUS:
      if (view_) SetFocus(view_);
      return 0;
    case WM_INITMENUPOPUP:
      enabledShown_.clear();
      UpdateUserInterface();
      return 0;
    case WM_COMMAND:
      if (lParam == 0 || reinterpret_cast<HWND>(lParam) == toolbar_) {
        if (CommandEnabled(LOWORD(wParam))) OnCommand(LOWORD(wParam));
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(frame_, message, wParam, lParam);
}
