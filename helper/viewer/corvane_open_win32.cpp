// CorvaneOpen: the open-file dialog with the image preview panel.
#include "corvane_open_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "helper_image_ids.h"
#include "image_control_win32.h"
#include "image_geometry.h"
#include "image_module_win32.h"
#include "image_print_dialog_win32.h"

namespace {

// Of the caller's flags only these are carried over: hide read-only, do not
// change the current directory, path must exist, file must exist.
constexpr DWORD kCallerFlagMask = 0x180C;
static_assert(kCallerFlagMask == (OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST),
              "the system's flag word");
constexpr DWORD kChosenPathRoom = 32768;
// The zoom bar's range, in percent of the fitted size.
constexpr int kZoomBarMin = 25;
constexpr int kZoomBarMax = 800;

class CorvaneOpen {
 public:
  static UINT_PTR CALLBACK Hook(HWND child, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void OnInit(HWND child);
  void OnSelectionChange();
  void PaintCreatingView();
  void UpdateButtons();
  void SetZoom(bool on);
  void UpdateScrollBars();
  void OnScroll(HWND bar, int request);
  void ChangePage(int delta);
  void Print();
  void SetIcon(int id, int icon);
  HWND Item(int id) const { return GetDlgItem(child_, id); }

  HWND child_ = nullptr;
  CImageControl* control_ = nullptr;  // null: a plain open dialog
  bool zoom_ = false;
  bool annotations_ = false;
  bool repaintPending_ = false;
  PageGeometry geometry_;
  int page_ = 1;
  int pageCount_ = 0;
  bool loaded_ = false;
};

void CorvaneOpen::SetIcon(int id, int icon) {
  HICON handle =
      static_cast<HICON>(LoadImageA(ViewerModule(), MAKEINTRESOURCEA(icon), IMAGE_ICON, 16, 16, LR_SHARED));
  if (handle) SendMessageA(Item(id), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(handle));
}

void CorvaneOpen::OnInit(HWND child) {
  child_ = child;
  SetIcon(IDC_OPEN_ROTATE_CW, IDI_VIEW_ROTATE_CW);
  SetIcon(IDC_OPEN_ROTATE_CCW, IDI_VIEW_ROTATE_CCW);
  SetIcon(IDC_OPEN_ZOOM, IDI_VIEW_ZOOM_IN);
  SetIcon(IDC_OPEN_ANNOTATIONS, IDI_VIEW_NOTES_SHOWN);
  SetIcon(IDC_OPEN_PRINT, IDI_VIEW_PRINT);
  HWND placeholder = Item(IDC_OPEN_PREVIEW);
  RECT area;
  GetWindowRect(placeholder, &area);
  MapWindowPoints(nullptr, child_, reinterpret_cast<POINT*>(&area), 2);
  control_ = CImageControl::Create(child_, IDC_OPEN_CONTROL, area, WS_BORDER);
  if (control_) {
    ShowWindow(control_->Window(), SW_HIDE);
    SetWindowPos(control_->Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  SetScrollRange(Item(IDC_OPEN_ZOOM_BAR), SB_CTL, kZoomBarMin, kZoomBarMax, FALSE);
  SetScrollPos(Item(IDC_OPEN_ZOOM_BAR), SB_CTL, 100, FALSE);
}

void CorvaneOpen::PaintCreatingView() {
  HWND placeholder = Item(IDC_OPEN_PREVIEW);
  RECT r;
  GetClientRect(placeholder, &r);
  HDC dc = GetDC(placeholder);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(child_, WM_GETFONT, 0, 0)));
  DrawTextA(dc, "Creating image view", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
  ReleaseDC(placeholder, dc);
  repaintPending_ = true;
}

void CorvaneOpen::OnSelectionChange() {
  if (!control_) return;
  char path[MAX_PATH * 4] = "";
  const LRESULT length =
      SendMessageA(GetParent(child_), CDM_GETFILEPATH, sizeof path, reinterpret_cast<LPARAM>(path));
  const DWORD attributes = length > 0 ? GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
  ShowWindow(control_->Window(), SW_HIDE);
  SetZoom(false);
  if (length <= 0 || static_cast<size_t>(length) > sizeof path || attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    // A folder or nothing: no preview.
    control_->Clear();
    loaded_ = false;
    pageCount_ = 0;
    UpdateButtons();
    InvalidateRect(Item(IDC_OPEN_PREVIEW), nullptr, TRUE);
    return;
  }
  PaintCreatingView();
  control_->SetRedraw(false);
  control_->SetRotation(0);
  control_->SetDisplayMode(kFitPage);  // the whole image fitted
  annotations_ = false;
  control_->ShowAnnotations(false);
  const ImageLoadStatus status = control_->Load(path);
  control_->SetRedraw(true);
  loaded_ = status == kImageDecoding || status == kImageLoaded;
  pageCount_ = loaded_ ? control_->PageCount() : 0;
  page_ = 1;
  UpdateButtons();
  if (loaded_) ShowWindow(control_->Window(), SW_SHOW);
  repaintPending_ = false;
}

void CorvaneOpen::UpdateButtons() {
  for (int id : {IDC_OPEN_ROTATE_CW, IDC_OPEN_ROTATE_CCW, IDC_OPEN_ZOOM, IDC_OPEN_ANNOTATIONS, IDC_OPEN_PRINT})
    EnableWindow(Item(id), loaded_);
  ShowWindow(Item(IDC_OPEN_ANNOTATIONS), loaded_ && control_->HasAnnotations() ? SW_SHOW : SW_HIDE);
  SetIcon(IDC_OPEN_ANNOTATIONS, annotations_ ? IDI_VIEW_NOTES_HIDDEN : IDI_VIEW_NOTES_SHOWN);
  const bool pages = loaded_ && pageCount_ > 1;
  if (pages) {
    SendMessageA(Item(IDC_OPEN_PAGE_SPIN), UDM_SETRANGE32, 1, pageCount_);
    SendMessageA(Item(IDC_OPEN_PAGE_SPIN), UDM_SETPOS32, 0, 1);
    SetWindowTextA(Item(IDC_OPEN_PAGE_EDIT), "1");
  }
  ShowWindow(Item(IDC_OPEN_PAGE_EDIT), pages ? SW_SHOW : SW_HIDE);
  ShowWindow(Item(IDC_OPEN_PAGE_SPIN), pages ? SW_SHOW : SW_HIDE);
  EnableWindow(Item(IDC_OPEN_ZOOM_BAR), loaded_ && zoom_);
}

void CorvaneOpen::SetZoom(bool on) {
  zoom_ = on;
  SetIcon(IDC_OPEN_ZOOM, on ? IDI_VIEW_ZOOM_OUT : IDI_VIEW_ZOOM_IN);
  if (on) {
    control_->SetDisplayMode(kActualSize);
    control_->SetDisplayMode(kZoomScroll);
    SetScrollPos(Item(IDC_OPEN_ZOOM_BAR), SB_CTL, std::clamp(control_->ZoomPercent(), kZoomBarMin, kZoomBarMax),
                 TRUE);
    UpdateScrollBars();
  } else {
    if (loaded_) control_->SetDisplayMode(kFitPage);
    ShowWindow(Item(IDC_OPEN_HSCROLL), SW_HIDE);
    ShowWindow(Item(IDC_OPEN_VSCROLL), SW_HIDE);
  }
  EnableWindow(Item(IDC_OPEN_ZOOM_BAR), loaded_ && zoom_);
}

void CorvaneOpen::UpdateScrollBars() {
  if (!zoom_) return;
  geometry_ = control_->UnturnedGeometry();
  const ScrollBars bars = ScrollBarsFor(geometry_);
  auto set = [&](int id, const ScrollBarState& b) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = b.min;
    info.nMax = b.max;
    info.nPage = static_cast<UINT>(b.page);
    info.nPos = b.position;
    SetScrollInfo(Item(id), SB_CTL, &info, TRUE);
    ShowWindow(Item(id), b.shown ? SW_SHOW : SW_HIDE);
  };
  set(IDC_OPEN_HSCROLL, bars.horizontal);
  set(IDC_OPEN_VSCROLL, bars.vertical);
}

void CorvaneOpen::OnScroll(HWND bar, int request) {
  if (bar == Item(IDC_OPEN_ZOOM_BAR)) {
    int percent = GetScrollPos(bar, SB_CTL);
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(bar, SB_CTL, &info);
    switch (request) {
      case SB_LINELEFT: percent -= 5; break;
      case SB_LINERIGHT: percent += 5; break;
      case SB_PAGELEFT: percent -= 50; break;
      case SB_PAGERIGHT: percent += 50; break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: percent = info.nTrackPos; break;
      default: return;
    }
    percent = std::clamp(percent, kZoomBarMin, kZoomBarMax);
    SetScrollPos(bar, SB_CTL, percent, TRUE);
    if (zoom_) {
      control_->SetZoomPercent(percent);
      UpdateScrollBars();
    }
    return;
  }
  const bool horizontal = bar == Item(IDC_OPEN_HSCROLL);
  if (!horizontal && bar != Item(IDC_OPEN_VSCROLL)) return;
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(bar, SB_CTL, &info);
  int position = info.nPos;
  switch (request) {
    case SB_LINEUP: position -= 16; break;
    case SB_LINEDOWN: position += 16; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = info.nMin; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
  }
  geometry_ = control_->UnturnedGeometry();
  const ScrollBars bars = ScrollBarsFor(geometry_);
  const Offset page = PagePositionFromBars(geometry_, horizontal ? position : bars.horizontal.position,
                                           horizontal ? bars.vertical.position : position);
  control_->PageScrollTo(page.x, page.y);
  UpdateScrollBars();
}

void CorvaneOpen::ChangePage(int delta) {
  if (!loaded_ || pageCount_ < 1) return;
  const int page = std::clamp(control_->CurrentPage() + delta, 1, pageCount_);
  if (page != control_->CurrentPage()) control_->SetPage(page);
  page_ = page;
  SendMessageA(Item(IDC_OPEN_PAGE_SPIN), UDM_SETPOS32, 0, page);
  if (zoom_) UpdateScrollBars();
}

void CorvaneOpen::Print() {
  if (!loaded_) return;
  CMyPrintDialog print(child_, pageCount_);
  if (!print.DoModal()) return;
  if (!control_->Print(print.PrinterDC(), print.FromPage(), print.ToPage(), control_->Path().c_str()))
    MessageBoxA(child_, "Unable to print image", "Moxel", MB_OK | MB_ICONSTOP);
}

UINT_PTR CALLBACK CorvaneOpen::Hook(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* record = reinterpret_cast<const OPENFILENAMEA*>(lParam);
    auto* self = reinterpret_cast<CorvaneOpen*>(record->lCustData);
    SetWindowLongPtrA(child, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->OnInit(child);
    return TRUE;
  }
  auto* self = reinterpret_cast<CorvaneOpen*>(GetWindowLongPtrA(child, DWLP_USER));
  if (!self) return 0;
  switch (message) {
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code == CDN_SELCHANGE) {
        self->OnSelectionChange();
      } else if (header->idFrom == IDC_OPEN_PAGE_SPIN && header->code == UDN_DELTAPOS) {
        self->ChangePage(reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta);
        SetWindowLongPtrA(child, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      return 0;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED || !self->control_ || !self->loaded_) return 0;
      switch (LOWORD(wParam)) {
        case IDC_OPEN_ROTATE_CW:
          self->control_->RotateClockwise();
          self->UpdateScrollBars();
          return TRUE;
        case IDC_OPEN_ROTATE_CCW:
          self->control_->RotateCounterClockwise();
          self->UpdateScrollBars();
          return TRUE;
        case IDC_OPEN_ZOOM:
          self->SetZoom(!self->zoom_);
          return TRUE;
        case IDC_OPEN_ANNOTATIONS:
          self->annotations_ = !self->annotations_;
          self->control_->ShowAnnotations(self->annotations_);
          self->SetIcon(IDC_OPEN_ANNOTATIONS, self->annotations_ ? IDI_VIEW_NOTES_HIDDEN : IDI_VIEW_NOTES_SHOWN);
          return TRUE;
        case IDC_OPEN_PRINT:
          self->Print();
          return TRUE;
        default:
          return 0;
      }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (self->control_ && self->loaded_) self->OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
      return TRUE;
    default:
      return 0;
  }
}

}  // namespace

int RunCorvaneOpen(OPENFILENAMEA* request) {
  if (!request || !request->lpstrFile || request->nMaxFile == 0) return 0;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  std::vector<char> chosen(kChosenPathRoom, '\0');  // no initial name
  CorvaneOpen state;
  OPENFILENAMEA own = {};
  own.lStructSize = sizeof own;
  own.hwndOwner = request->hwndOwner;
  own.hInstance = ViewerModule();
  own.lpstrFilter = request->lpstrFilter;
  own.nFilterIndex = request->lpstrFilter ? 1 : 0;
  own.lpstrFile = chosen.data();
  own.nMaxFile = kChosenPathRoom;
  own.lpstrInitialDir = request->lpstrInitialDir;
  own.lpstrTitle = request->lpstrTitle;
  own.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | (request->Flags & kCallerFlagMask) | OFN_EXPLORER |
              OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
  own.lpfnHook = &CorvaneOpen::Hook;
  own.lpTemplateName = MAKEINTRESOURCEA(IDD_CORVANE_OPEN);
  own.lCustData = reinterpret_cast<LPARAM>(&state);
  if (!GetOpenFileNameA(&own)) return 0;
  // A path that does not fit the caller's buffer is not a choice: nothing is
  // cut, nothing written.
  const size_t length = std::strlen(chosen.data());
  if (length + 1 > request->nMaxFile) return 0;
  std::memcpy(request->lpstrFile, chosen.data(), length + 1);
  const std::uint32_t offset = own.nFileOffset <= length ? own.nFileOffset : 0;
  static_assert(sizeof request->nFileOffset + sizeof request->nFileExtension == sizeof offset, "two WORDs");
  std::memcpy(&request->nFileOffset, &offset, sizeof offset);
  return 1;
}
