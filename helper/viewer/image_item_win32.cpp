// The "Image Information" window.
#include "image_item_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "helper_image_ids.h"
#include "image_control_win32.h"
#include "image_geometry.h"
#include "image_module_win32.h"
#include "image_print_dialog_win32.h"
#include "image_size_text.h"

namespace {

constexpr int kPanelWidth = 140;  // dialog units of the left panel, from the template

const char kCaption[] = "Moxel";

void Stop(HWND owner, const char* text) { MessageBoxA(owner, text, kCaption, MB_OK | MB_ICONSTOP); }

// The product version from the library's own version resource.
std::string ProductVersion() {
  char path[MAX_PATH] = "";
  if (!GetModuleFileNameA(ViewerModule(), path, sizeof path)) return std::string();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  if (!size) return std::string();
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(path, 0, size, data.data())) return std::string();
  struct Translation {
    WORD language, codePage;
  }* translations = nullptr;
  UINT length = 0;
  if (VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length) &&
      length >= sizeof(Translation)) {
    char key[64];
    wsprintfA(key, "\\StringFileInfo\\%04x%04x\\ProductVersion", translations[0].language, translations[0].codePage);
    char* text = nullptr;
    if (VerQueryValueA(data.data(), key, reinterpret_cast<void**>(&text), &length) && text && length > 0)
      return std::string(text);
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
    char text[64];
    wsprintfA(text, "%d.%d.%d.%d", HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
              HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
    return text;
  }
  return std::string();
}

}  // namespace

class CImageItem {
 public:
  CImageItem(const std::string& path, const ImageItemSettings& settings) : path_(path), settings_(settings) {}

  HWND Create(HWND owner) {
    return CreateDialogParamA(ViewerModule(), MAKEINTRESOURCEA(IDD_IMAGE_ITEM), owner, Procedure,
                              reinterpret_cast<LPARAM>(this));
  }
  HWND Window() const { return dialog_; }
  ImageLoadStatus LoadStatus() const { return loadStatus_; }
  bool PreTranslate(MSG* msg);

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnInit();
  void Layout();
  void ShowFacts();
  void AddTools();
  void UpdateAnnotationTool();
  void ChangePage(int delta);
  void GoToPage(int page);
  void Copy();
  void Print();
  void OnCommand(int id, int code);

  std::string path_;
  ImageItemSettings settings_;
  HWND dialog_ = nullptr;
  HWND tips_ = nullptr;
  CImageControl* control_ = nullptr;
  ImageLoadStatus loadStatus_ = kImageEmpty;
  std::vector<HICON> icons_;
  int panelPixels_ = 0;
  bool settingPage_ = false;
};

namespace {

// The process-wide record of open image windows; one owner, tests reset it.
struct ImageItemRegistry {
  std::vector<CImageItem*> items;
};
ImageItemRegistry ImageItems;

}  // namespace

INT_PTR CALLBACK CImageItem::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  CImageItem* self = reinterpret_cast<CImageItem*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CImageItem*>(lParam);
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    self->dialog_ = dialog;
  }
  if (!self) return FALSE;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(dialog, DWLP_USER, 0);
    auto& items = ImageItems.items;
    items.erase(std::remove(items.begin(), items.end(), self), items.end());
    for (HICON icon : self->icons_) DestroyIcon(icon);
    delete self;
    return FALSE;
  }
  return self->Handle(message, wParam, lParam);
}

INT_PTR CImageItem::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInit();
      return TRUE;
    case WM_SIZE:
      Layout();
      return TRUE;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize.x = panelPixels_ + 120;
      info->ptMinTrackSize.y = 300;
      return TRUE;
    }
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog_, IDC_ITEM_ZOOM) && control_) {
        const int position = static_cast<int>(SendDlgItemMessageA(dialog_, IDC_ITEM_ZOOM, TBM_GETPOS, 0, 0));
        control_->SetZoomPercent(ZoomPercentForSlider(position));
      }
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == IDC_ITEM_GOTO_SPIN && header->code == UDN_DELTAPOS) {
        ChangePage(reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta);
        SetWindowLongPtrA(dialog_, DWLP_MSGRESULT, TRUE);  // the page box shows what ChangePage set
        return TRUE;
      }
      return FALSE;
    }
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(dialog_);
      return TRUE;
    default:
      return FALSE;
  }
}

bool CImageItem::OnInit() {
  RECT panel = {0, 0, kPanelWidth, 8};
  MapDialogRect(dialog_, &panel);
  panelPixels_ = panel.right;
  RECT area;
  GetWindowRect(GetDlgItem(dialog_, IDC_ITEM_IMAGE_AREA), &area);
  MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&area), 2);
  control_ = CImageControl::Create(dialog_, IDC_ITEM_CONTROL, area, WS_BORDER | IMAGE_OWN_SCROLLBARS);
  if (!control_) {
    loadStatus_ = kImageNoDecoder;
    return false;
  }
  control_->SetRedraw(false);
  control_->SetQuality(settings_.quality);
  control_->SetBackground(settings_.background);
  control_->SetDisplayMode(settings_.fitMode == 1 ? kFitPage : kFitWidth);
  loadStatus_ = control_->Load(path_.c_str());
  control_->ShowAnnotations(settings_.annotations);
  control_->SetRedraw(true);
  SendDlgItemMessageA(dialog_, IDC_ITEM_ZOOM, TBM_SETRANGE, TRUE, MAKELPARAM(0, kZoomSliderMax));
  SendDlgItemMessageA(dialog_, IDC_ITEM_ZOOM, TBM_SETTICFREQ, kZoomSliderTick, 0);
  SendDlgItemMessageA(dialog_, IDC_ITEM_ZOOM, TBM_SETPOS, TRUE, 0);
  const int pages = control_->PageCount() > 0 ? control_->PageCount() : 1;
  SendDlgItemMessageA(dialog_, IDC_ITEM_GOTO_SPIN, UDM_SETRANGE32, 1, pages);
  SendDlgItemMessageA(dialog_, IDC_ITEM_GOTO_SPIN, UDM_SETPOS32, 0, 1);
  SetDlgItemTextA(dialog_, IDC_ITEM_PAGE_TEXT, PageOfText(1, pages).c_str());
  SetWindowTextA(dialog_, "Image Information");
  ShowFacts();
  AddTools();
  Layout();
  return loadStatus_ == kImageDecoding || loadStatus_ == kImageLoaded;
}

void CImageItem::ShowFacts() {
  SetDlgItemTextA(dialog_, IDC_ITEM_PATH, path_.c_str());
  WIN32_FILE_ATTRIBUTE_DATA facts;
  if (GetFileAttributesExA(path_.c_str(), GetFileExInfoStandard, &facts)) {
    FILETIME local;
    SYSTEMTIME t;
    if (FileTimeToLocalFileTime(&facts.ftLastWriteTime, &local) && FileTimeToSystemTime(&local, &t))
      SetDlgItemTextA(dialog_, IDC_ITEM_DATE, StorageDateText(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute).c_str());
    const std::uint64_t size = static_cast<std::uint64_t>(facts.nFileSizeHigh) << 32 | facts.nFileSizeLow;
    SetDlgItemTextA(dialog_, IDC_ITEM_SIZE, FileSizeText(size).c_str());
  }
  const std::string version = "Version " + ProductVersion();
  SetDlgItemTextA(dialog_, IDC_ITEM_VERSION, version.c_str());
}

void CImageItem::AddTools() {
  struct Tool {
    int id, icon;
    const char* tip;
  } const tools[] = {
      {IDC_ITEM_ROTATE_CW, IDI_VIEW_ROTATE_CW, "Rotate the image 90\xB0 clockwise"},
      {IDC_ITEM_ROTATE_CCW, IDI_VIEW_ROTATE_CCW, "Rotate the image 90\xB0 counter-clockwise"},
      {IDC_ITEM_PRINT, IDI_VIEW_PRINT, "Print the image"},
      {IDC_ITEM_FIT_WIDTH, IDI_VIEW_FIT_WIDTH, "Fit the image to the width of the display area"},
      {IDC_ITEM_FIT_PAGE, IDI_VIEW_FIT_PAGE, "Fit the image to the display area"},
      {IDC_ITEM_ANNOTATIONS, IDI_VIEW_NOTES_SHOWN, "Show all annotations on the image"},
      {IDC_ITEM_COPY, IDI_VIEW_COPY, "Copy the image to the clipboard"},
  };
  tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                          0, dialog_, nullptr, ViewerModule(), nullptr);
  for (const Tool& t : tools) {
    HWND button = GetDlgItem(dialog_, t.id);
    HICON icon = static_cast<HICON>(LoadImageA(ViewerModule(), MAKEINTRESOURCEA(t.icon), IMAGE_ICON, 16, 16, 0));
    if (icon) {
      icons_.push_back(icon);
      SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    }
    if (!tips_) continue;
    TOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = dialog_;
    info.uId = reinterpret_cast<UINT_PTR>(button);
    info.lpszText = const_cast<char*>(t.tip);
    SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
  UpdateAnnotationTool();
}

void CImageItem::UpdateAnnotationTool() {
  const char* tip = !control_ || !control_->HasAnnotations() ? "The Image does not contain annotations"
                    : control_->AnnotationsShown()           ? "Hide all annotations on the image"
                                                             : "Show all annotations on the image";
  HWND button = GetDlgItem(dialog_, IDC_ITEM_ANNOTATIONS);
  if (tips_) {
    TOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.hwnd = dialog_;
    info.uId = reinterpret_cast<UINT_PTR>(button);
    info.lpszText = const_cast<char*>(tip);
    SendMessageA(tips_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
  }
  const bool shown = control_ && control_->AnnotationsShown();
  HICON icon = static_cast<HICON>(LoadImageA(ViewerModule(), MAKEINTRESOURCEA(shown ? IDI_VIEW_NOTES_HIDDEN : IDI_VIEW_NOTES_SHOWN),
                                             IMAGE_ICON, 16, 16, LR_SHARED));
  if (icon) SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

void CImageItem::Layout() {
  if (!control_) return;
  RECT client;
  GetClientRect(dialog_, &client);
  const int margin = 4;
  MoveWindow(control_->Window(), panelPixels_, margin, client.right - panelPixels_ - margin,
             client.bottom - 2 * margin, TRUE);
  // The version line stays at the bottom of the panel.
  HWND version = GetDlgItem(dialog_, IDC_ITEM_VERSION);
  RECT r;
  GetWindowRect(version, &r);
  MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
  MoveWindow(version, r.left, client.bottom - (r.bottom - r.top) - margin, r.right - r.left, r.bottom - r.top, TRUE);
}

void CImageItem::ChangePage(int delta) {
  if (!control_) return;
  const int count = control_->PageCount() > 0 ? control_->PageCount() : 1;
  GoToPage(std::clamp(control_->CurrentPage() + delta, 1, count));
}

void CImageItem::GoToPage(int page) {
  const int count = control_->PageCount() > 0 ? control_->PageCount() : 1;
  page = std::clamp(page, 1, count);
  settingPage_ = true;
  SendDlgItemMessageA(dialog_, IDC_ITEM_GOTO_SPIN, UDM_SETPOS32, 0, page);
  settingPage_ = false;
  if (page == control_->CurrentPage()) return;
  control_->SetPage(page);
  SetDlgItemTextA(dialog_, IDC_ITEM_PAGE_TEXT, PageOfText(page, count).c_str());
  control_->Refresh();
  UpdateAnnotationTool();
}

void CImageItem::Copy() {
  if (!control_ || !control_->CopyToClipboard(dialog_)) Stop(dialog_, "Cannot copy image to clipboard");
}

void CImageItem::Print() {
  if (!control_) return;
  CMyPrintDialog print(dialog_, control_->PageCount());
  if (!print.DoModal()) return;
  if (!control_->Print(print.PrinterDC(), print.FromPage(), print.ToPage(), path_.c_str()))
    Stop(dialog_, "Unable to print image");
}

void CImageItem::OnCommand(int id, int code) {
  if (!control_) return;
  switch (id) {
    case IDC_ITEM_ROTATE_CW: control_->RotateClockwise(); break;
    case IDC_ITEM_ROTATE_CCW: control_->RotateCounterClockwise(); break;
    case IDC_ITEM_PRINT: Print(); break;
    case IDC_ITEM_FIT_WIDTH:
    case IDC_ITEM_FIT_PAGE:
      SendDlgItemMessageA(dialog_, IDC_ITEM_ZOOM, TBM_SETPOS, TRUE, 0);
      control_->SetDisplayMode(id == IDC_ITEM_FIT_WIDTH ? kFitWidth : kFitPage);
      break;
    case IDC_ITEM_ANNOTATIONS:
      if (control_->HasAnnotations()) control_->ShowAnnotations(!control_->AnnotationsShown());
      UpdateAnnotationTool();
      break;
    case IDC_ITEM_COPY: Copy(); break;
    case IDC_ITEM_GOTO_EDIT:
      if (code == EN_KILLFOCUS && !settingPage_) {
        BOOL ok = FALSE;
        const int page = static_cast<int>(GetDlgItemInt(dialog_, IDC_ITEM_GOTO_EDIT, &ok, FALSE));
        if (ok) GoToPage(page);
      }
      break;
    case IDC_ITEM_CONTROL:
      if (code == IMAGE_NOTIFY_FAILED) {
        // The page could not be decoded after all: the window goes.
        loadStatus_ = control_->Status();
        if (IsWindowVisible(dialog_)) Stop(dialog_, "Unable to open image");
        PostMessageA(dialog_, WM_CLOSE, 0, 0);
      }
      break;
    case IDCANCEL: DestroyWindow(dialog_); break;
    default: break;
  }
}

bool CImageItem::PreTranslate(MSG* msg) {
  if (msg->hwnd != dialog_ && !IsChild(dialog_, msg->hwnd)) return false;
  if (msg->message == WM_KEYDOWN && msg->wParam == 'C' && (GetKeyState(VK_CONTROL) & 0x8000)) {
    Copy();
    return true;
  }
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && GetFocus() == GetDlgItem(dialog_, IDC_ITEM_GOTO_EDIT)) {
    BOOL ok = FALSE;
    const int page = static_cast<int>(GetDlgItemInt(dialog_, IDC_ITEM_GOTO_EDIT, &ok, FALSE));
    if (ok) GoToPage(page);
    return true;
  }
  return IsDialogMessageA(dialog_, msg) != 0;
}

HWND OpenImageItem(HWND owner, const char* path, const ImageItemSettings& settings, ImageLoadStatus* status) {
  if (status) *status = kImageOpenFailed;
  if (!path) return nullptr;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  auto* item = new CImageItem(path, settings);
  HWND window = item->Create(owner);
  if (!window) {
    delete item;
    return nullptr;
  }
  const ImageLoadStatus loaded = item->LoadStatus();
  if (status) *status = loaded;
  if (loaded != kImageDecoding && loaded != kImageLoaded) {
    DestroyWindow(window);  // deletes the item
    return nullptr;
  }
  ImageItems.items.push_back(item);
  ShowWindow(window, SW_SHOW);
  return window;
}

void CloseImageItems() {
  std::vector<CImageItem*> items = ImageItems.items;
  for (CImageItem* item : items) DestroyWindow(item->Window());
  ImageItems.items.clear();
}

int ImageItemCount() { return static_cast<int>(ImageItems.items.size()); }

bool ImageItemsPreTranslate(MSG* message) {
  if (!message) return false;
  for (CImageItem* item : ImageItems.items)
    if (item->PreTranslate(message)) return true;
  return false;
}
