#include "image_list_display_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "attachment_actions_win32.h"
#include "file_examine_win32.h"
#include "framework.h"
#include "image_item_win32.h"
#include "image_size_text.h"
#include "ithumb_win32.h"
#include "list_placement.h"
#include "monitors_win32.h"
#include "viewer_ids.h"
#include "viewer_settings_sheet_win32.h"

namespace {

constexpr char kCaption[] = "Corvane Attachment Viewer";

// Callbacks for a viewer created before anyone connected: the defaults,
// nothing stored.
class NoSettings final : public HelperToMoxel {
 public:
  void GetListSize(int* w, int* h) override { *w = *h = -1; }
  void SetListSize(int, int) override {}
  int GetMainFitMode() override { return 0; }
  void SetMainFitMode(int) override {}
  void GetListPosition(int* x, int* y) override { *x = *y = viewer::kNoPosition; }
  void SetListPosition(int, int) override {}
  void GetThumbSize(int* w, int* h) override { *w = *h = -1; }
  void SetThumbSize(int, int) override {}
  void SetTopmost(int) override {}
  int GetTopmost() override { return 0; }
  int GetThumbAspect() override { return 1; }
  void SetThumbAspect(int) override {}
  int GetThumbDisplay() override { return -1; }
  void SetThumbDisplay(int) override {}
  int GetThumbAnnotations() override { return 0; }
  void SetThumbAnnotations(int) override {}
  int GetMainAnnotations() override { return 0; }
  void SetMainAnnotations(int) override {}
  int GetUseDefaultViewer() override { return 0; }
  void SetUseDefaultViewer(int) override {}
  int GetMainDisplay() override { return -1; }
  void SetMainDisplay(int) override {}
  int GetAutoLaunch() override { return 1; }
  void SetAutoLaunch(int) override {}
  int GetMainBackground() override { return -1; }
  void SetMainBackground(int) override {}
  int GetThumbView() override { return 1; }
  void SetThumbView(int) override {}
  int GetImageColWidth() override { return 100; }
  void SetImageColWidth(int) override {}
  int GetTypeColWidth() override { return 100; }
  void SetTypeColWidth(int) override {}
  int GetSizeColWidth() override { return 100; }
  void SetSizeColWidth(int) override {}
  int GetTypeColEnabled() override { return 0; }
  void SetTypeColEnabled(int) override {}
  int GetSizeColEnabled() override { return 0; }
  void SetSizeColEnabled(int) override {}
};

NoSettings noSettings;

}  // namespace

CImageListDisplay* CImageListDisplay::Create(HelperToMoxel* callbacks) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  CImageListDisplay* display = new CImageListDisplay();
  display->callbacks_ = callbacks ? callbacks : &noSettings;
  HWND window = CreateDialogParamA(HelperModule(), MAKEINTRESOURCEA(IDD_IMAGE_LIST), nullptr, Procedure,
                                   reinterpret_cast<LPARAM>(display));
  if (!window) {
    delete display;
    return nullptr;
  }
  return display;
}

void CImageListDisplay::Destroy() {
  // The image windows go with the list window.
  for (HWND w : imageWindows_)
    if (w && IsWindow(w)) DestroyWindow(w);
  imageWindows_.clear();
  if (window_) DestroyWindow(window_);  // WM_NCDESTROY frees the object
}

// ---- Creation and placement -----------------------------------------------

void CImageListDisplay::OnInit() {
  settings_ = viewer::ReadViewerSettings(*callbacks_);
  rows_ = GetDlgItem(window_, IDC_IMAGE_LIST_ROWS);
  ListView_SetExtendedListViewStyle(rows_, LVS_EX_FULLROWSELECT);
  RECT client;
  GetClientRect(window_, &client);
  thumbs_ = CreateThumbPane(window_, IDC_IMAGE_LIST_THUMBS, client);
  SetupSystemMenu();
  OnSysColorChange();
  Place();
  SetTopmost(settings_.topmost);
  ApplyView();
  placing_ = false;
}

namespace {

struct ThreadWindowSearch {
  HWND except;
  HWND found;
};

BOOL CALLBACK FirstShownTopLevel(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ThreadWindowSearch*>(data);
  if (window == search->except || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
  search->found = window;
  return FALSE;
}

// The terminal's window: the one active on this thread (the terminal calls
// the library from its window's thread), or else its first shown top-level
// window; null when there is none.
HWND TerminalWindow(HWND list) {
  HWND active = GetActiveWindow();
  if (active) active = GetAncestor(active, GA_ROOTOWNER);
  if (active && active != list) return active;
  ThreadWindowSearch search{list, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FirstShownTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

// The stored size and position, kept on the work area of the terminal's
// monitor; defaults at that area's right edge.
void CImageListDisplay::Place() {
  const RECT work = WorkAreaFor(TerminalWindow(window_));
  const viewer::ListPlace p =
      viewer::PlaceList(viewer::ScreenArea{work.left, work.top, work.right, work.bottom}, settings_);
  SetWindowPos(window_, nullptr, p.x, p.y, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

void CImageListDisplay::Layout() {
  RECT client;
  GetClientRect(window_, &client);
  MoveWindow(rows_, 0, 0, client.right, client.bottom, TRUE);
  MoveWindow(thumbs_, 0, 0, client.right, client.bottom, TRUE);
}

void CImageListDisplay::SetupSystemMenu() {
  HMENU system = GetSystemMenu(window_, FALSE);
  if (!system) return;
  HMENU help = CreatePopupMenu();
  AppendMenuA(help, MF_STRING, ID_VIEWER_HELP_CONTENTS, "Contents");
  AppendMenuA(help, MF_STRING, ID_VIEWER_HELP_SUPPORT, "Tech Support");
  AppendMenuA(help, MF_STRING, ID_VIEWER_HELP_ABOUT, "About");
  AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(system, MF_STRING, ID_VIEWER_SETTINGS, "Settings");
  AppendMenuA(system, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "Help");
}

// ---- The list and its two displays ------------------------------------------

void CImageListDisplay::Clear() {
  // Image windows already open stay: the user closes them.
  ListView_DeleteAllItems(rows_);
  for (CIThumb* cell : cells_) DestroyWindow(cell->Window());
  cells_.clear();
  entries_.clear();
  imageWindows_.clear();
  selected_ = -1;
}

void CImageListDisplay::Add(const char* entryText) {
  auto entry = std::make_unique<viewer::Entry>(viewer::ParseEntry(entryText));
  viewer::ExamineEntry(*entry);
  entries_.push_back(std::move(entry));
  imageWindows_.push_back(nullptr);
}

void CImageListDisplay::Show(bool firstTime) {
  ApplyView();
  if (firstTime || !IsWindowVisible(window_)) ShowWindow(window_, SW_SHOWNA);
  if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
  // To the top, without taking the keyboard from the program the user types in.
  SetWindowPos(window_, settings_.topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  if (entries_.size() == 1 && settings_.autoLaunch) {
    Select(0);
    OpenEntry(0, true);
  }
}

void CImageListDisplay::ApplyView() {
  if (settings_.thumbView) {
    ShowWindow(rows_, SW_HIDE);
    RebuildThumbs();
    ShowWindow(thumbs_, SW_SHOW);
  } else {
    for (CIThumb* cell : cells_) DestroyWindow(cell->Window());
    cells_.clear();
    ShowWindow(thumbs_, SW_HIDE);
    SetupColumns();
    FillRows();
    ShowWindow(rows_, SW_SHOW);
  }
}

int CImageListDisplay::ThumbHeight() const {
  return settings_.thumbAspect ? viewer::AspectHeight(settings_.thumbWidth) : settings_.thumbHeight;
}

void CImageListDisplay::RebuildThumbs() {
  const int w = settings_.thumbWidth, h = ThumbHeight();
  // Cells already there keep their pictures unless their size changed.
  while (cells_.size() > entries_.size()) {
    DestroyWindow(cells_.back()->Window());
    cells_.pop_back();
  }
  for (size_t i = 0; i < cells_.size(); ++i) {
    cells_[i]->SetEntry(entries_[i].get());
    cells_[i]->Resize(w, h);
  }
  for (size_t i = cells_.size(); i < entries_.size(); ++i) {
    CIThumb* cell = CIThumb::Create(thumbs_, static_cast<int>(i), entries_[i].get(), w, h);
    if (!cell) break;
    cell->SetColors(GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNTEXT));
    cells_.push_back(cell);
  }
  for (size_t i = 0; i < cells_.size(); ++i) cells_[i]->SetSelected(static_cast<int>(i) == selected_);
  LayoutThumbPane(thumbs_);
}

void CImageListDisplay::SetupColumns() {
  SaveColumnWidths();
  while (ListView_DeleteColumn(rows_, 0)) {
  }
  columns_ = viewer::ListColumns(settings_);
  for (size_t i = 0; i < columns_.size(); ++i) {
    LVCOLUMNA c = {};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    c.fmt = columns_[i].column == viewer::Column::kSize ? LVCFMT_RIGHT : LVCFMT_LEFT;
    if (i == 0) c.fmt = LVCFMT_LEFT;
    c.cx = columns_[i].width;
    c.pszText = const_cast<char*>(columns_[i].title);
    SendMessageA(rows_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&c));
  }
  // Icons only with the type column ("Show icon and file type").
  ListView_SetImageList(rows_, settings_.typeColEnabled ? static_cast<HIMAGELIST>(viewer::SystemSmallImageList()) : nullptr,
                        LVSIL_SMALL);
}

void CImageListDisplay::SaveColumnWidths() {
  for (size_t i = 0; i < columns_.size(); ++i) {
    const int width = ListView_GetColumnWidth(rows_, static_cast<int>(i));
    if (width <= 0 || width == columns_[i].width) continue;
    columns_[i].width = width;
    switch (columns_[i].column) {
      case viewer::Column::kImage:
        settings_.imageColWidth = width;
        callbacks_->SetImageColWidth(width);
        break;
      case viewer::Column::kSize:
        settings_.sizeColWidth = width;
        callbacks_->SetSizeColWidth(width);
        break;
      case viewer::Column::kType:
        settings_.typeColWidth = width;
        callbacks_->SetTypeColWidth(width);
        break;
    }
  }
}

void CImageListDisplay::FillRows() {
  std::vector<int> order(entries_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  if (sort_.sorted()) {
    std::vector<viewer::Entry> plain;
    plain.reserve(entries_.size());
    for (const auto& e : entries_) plain.push_back(*e);
    order = viewer::SortedOrder(plain, sort_.column(), sort_.ascending());
  }
  SendMessageA(rows_, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(rows_);
  for (size_t row = 0; row < order.size(); ++row) {
    const viewer::Entry& e = *entries_[order[row]];
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | (settings_.typeColEnabled ? LVIF_IMAGE : 0);
    item.iItem = static_cast<int>(row);
    item.pszText = const_cast<char*>(e.description.c_str());
    item.iImage = e.icon;
    item.lParam = order[row];
    const int at = static_cast<int>(SendMessageA(rows_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (size_t c = 1; c < columns_.size(); ++c) {
      const std::string text = columns_[c].column == viewer::Column::kSize ? SizeColumnText(e.size) : e.typeName;
      LVITEMA sub = {};
      sub.iSubItem = static_cast<int>(c);
      sub.pszText = const_cast<char*>(text.c_str());
      SendMessageA(rows_, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&sub));
    }
    if (order[row] == selected_) ListView_SetItemState(rows_, at, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  SendMessageA(rows_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(rows_, nullptr, TRUE);
}

void CImageListDisplay::OnColumnClick(int column) {
  if (column < 0 || column >= static_cast<int>(columns_.size())) return;
  const bool ascending = sort_.Click(columns_[column].column);
  FillRows();
  // The clicked header shows the direction; the others show none.
  HWND header = ListView_GetHeader(rows_);
  for (int i = 0; i < static_cast<int>(columns_.size()); ++i) {
    HDITEMA h = {};
    h.mask = HDI_FORMAT;
    SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&h));
    h.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (i == column) h.fmt |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
    SendMessageA(header, HDM_SETITEMA, i, reinterpret_cast<LPARAM>(&h));
  }
}

// ---- Idle work: the thumbnails' pictures -------------------------------------

bool CImageListDisplay::IdleStep() {
  if (!settings_.thumbView || cells_.empty() || !IsWindowVisible(window_)) return false;
  // The cells in view first, then the rest in order.
  CIThumb* next = nullptr;
  for (CIThumb* cell : cells_)
    if (!cell->Decoded() && ThumbVisible(thumbs_, cell->Window())) {
      next = cell;
      break;
    }
  if (!next)
    for (CIThumb* cell : cells_)
      if (!cell->Decoded()) {
        next = cell;
        break;
      }
  if (!next) return false;
  viewer::Entry& entry = *entries_[next->Index()];
  if (entry.state == viewer::EntryState::kInvalid || entry.state == viewer::EntryState::kNotDisplayable) {
    next->MarkDone();  // painted with its text only
  } else {
    int pages = 0;
    const ImageLoadStatus status = next->Decode(settings_.thumbDisplay, settings_.thumbAnnotations, &pages);
    if (status == kImageLoaded) entry.pages = pages;
    if (status == kImageLoaded && entry.state == viewer::EntryState::kNotOpened) entry.state = viewer::EntryState::kDisplayable;
  }
  for (CIThumb* cell : cells_)
    if (!cell->Decoded()) return true;
  return false;
}

bool CImageListDisplay::PreTranslate(MSG* message) {
  if (!message || !window_) return false;
  if (message->message == WM_KEYDOWN && message->wParam == VK_RETURN &&
      (message->hwnd == rows_ || message->hwnd == window_ || IsChild(thumbs_, message->hwnd))) {
    if (selected_ >= 0) OpenEntry(selected_, false);
    return true;
  }
  return IsDialogMessageA(window_, message) != 0;
}

// ---- Selection and the entry commands --------------------------------------

void CImageListDisplay::Select(int index) {
  selected_ = index;
  for (size_t i = 0; i < cells_.size(); ++i) cells_[i]->SetSelected(static_cast<int>(i) == index);
  if (index >= 0 && index < static_cast<int>(cells_.size())) ScrollThumbIntoView(thumbs_, cells_[index]->Window());
  if (IsWindowVisible(rows_)) {
    const int rows = ListView_GetItemCount(rows_);
    for (int r = 0; r < rows; ++r) {
      LVITEMA item = {};
      item.mask = LVIF_PARAM;
      item.iItem = r;
      SendMessageA(rows_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      const bool on = static_cast<int>(item.lParam) == index;
      ListView_SetItemState(rows_, r, on ? LVIS_SELECTED | LVIS_FOCUSED : 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
  }
}

void CImageListDisplay::Message(const char* text) { MessageBoxA(window_, text, kCaption, MB_OK | MB_ICONEXCLAMATION); }

// An entry whose image window the user closed can be opened again.
void CImageListDisplay::RefreshExpiredImageWindows() {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i]->state != viewer::EntryState::kOpen) continue;
    if (imageWindows_[i] && IsWindow(imageWindows_[i])) continue;
    imageWindows_[i] = nullptr;
    entries_[i]->state = viewer::EntryState::kDisplayable;
  }
}

void CImageListDisplay::OpenEntry(int index, bool autoLaunch) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  RefreshExpiredImageWindows();
  viewer::Entry& entry = *entries_[index];
  if (entry.state == viewer::EntryState::kOpen) {
    // Already shown: its window comes to the front.
    ShowWindow(imageWindows_[index], SW_SHOWNORMAL);
    SetForegroundWindow(imageWindows_[index]);
    return;
  }
  switch (viewer::DecideOpen(entry, settings_.useDefaultViewer)) {
    case viewer::OpenAction::kImageWindow: {
      ImageItemSettings item;
      item.quality = settings_.mainDisplay;
      item.annotations = settings_.mainAnnotations;
      item.fitMode = settings_.mainFitMode;
      item.background = settings_.mainBackground;
      ImageLoadStatus status = kImageEmpty;
      HWND opened = OpenImageItem(window_, entry.path.c_str(), item, &status);
      if (opened) {
        entry.state = viewer::EntryState::kOpen;
        imageWindows_[index] = opened;
        return;
      }
      if (status == kImageDecodeError) {
        entry.state = viewer::EntryState::kInvalid;
        Message("Unable to open image");
        return;
      }
      // A format the image control cannot show: the system's program. A
      // single attachment launched by itself goes there at once, else
      // nothing would show at all.
      entry.state = viewer::EntryState::kSystemProgram;
      if (autoLaunch && !viewer::RunSystemVerb(window_, "open", entry.path.c_str())) Message("Unable to open image");
      return;
    }
    case viewer::OpenAction::kSystemOpen:
      if (!viewer::RunSystemVerb(window_, "open", entry.path.c_str())) Message("Unable to open image");
      return;
    case viewer::OpenAction::kRefuse:
      Message("Unable to open image");
      return;
  }
}

void CImageListDisplay::PrintEntry(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  viewer::Entry& entry = *entries_[index];
  // A file not looked at yet: the image control decides whether it can show it.
  if (entry.state == viewer::EntryState::kNotOpened) {
    ImageLoadStatus status = kImageEmpty;
    CountImagePages(entry.path.c_str(), &status);
    if (status == kImageLoaded || status == kImageDecoding) entry.state = viewer::EntryState::kDisplayable;
  }
  switch (viewer::DecidePrint(entry)) {
    case viewer::PrintAction::kImageControl:
      if (!viewer::PrintThroughImageControl(window_, entry.path.c_str())) Message("Unable to print image");
      return;
    case viewer::PrintAction::kSystemPrint:
      if (!viewer::RunSystemVerb(window_, "print", entry.path.c_str())) Message("Unable to print image");
      return;
    case viewer::PrintAction::kInvalid:
      Message("Invalid file type");
      return;
  }
}

void CImageListDisplay::CopyEntry(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  const viewer::Entry& entry = *entries_[index];
  if (entry.state == viewer::EntryState::kInvalid || entry.state == viewer::EntryState::kNotDisplayable ||
      !viewer::CopyThroughImageControl(window_, entry.path.c_str()))
    Message("Cannot copy image to clipboard");
}

void CImageListDisplay::SetTopmost(bool on) {
  settings_.topmost = on;
  SetWindowPos(window_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CImageListDisplay::ShowContextMenu(int x, int y) {
  HMENU menu = LoadMenuA(HelperModule(), MAKEINTRESOURCEA(IDR_IMAGE_LIST_CONTEXT));
  if (!menu) return;
  HMENU popup = GetSubMenu(menu, 0);
  CheckMenuRadioItem(popup, ID_VIEWER_THUMBNAILS, ID_VIEWER_LIST, settings_.thumbView ? ID_VIEWER_THUMBNAILS : ID_VIEWER_LIST,
                     MF_BYCOMMAND);
  const UINT entryCommands = selected_ >= 0 ? MF_ENABLED : MF_GRAYED;
  EnableMenuItem(popup, ID_VIEWER_VIEW_IMAGE, MF_BYCOMMAND | entryCommands);
  EnableMenuItem(popup, ID_VIEWER_COPY, MF_BYCOMMAND | entryCommands);
  EnableMenuItem(popup, ID_VIEWER_PRINT, MF_BYCOMMAND | entryCommands);
  ModifyMenuA(popup, ID_VIEWER_TOPMOST, MF_BYCOMMAND | MF_STRING, ID_VIEWER_TOPMOST,
              settings_.topmost ? "Turn off Always on top" : "Set Always on top");
  if (x == -1 && y == -1) {
    RECT r;
    GetWindowRect(window_, &r);
    x = r.left + 10;
    y = r.top + 10;
  }
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, x, y, 0, window_, nullptr);
  DestroyMenu(menu);
}

void CImageListDisplay::OnCommand(int id) {
  switch (id) {
    case ID_VIEWER_THUMBNAILS:
    case ID_VIEWER_LIST: {
      const bool thumbs = id == ID_VIEWER_THUMBNAILS;
      if (thumbs == settings_.thumbView) return;
      SaveColumnWidths();
      settings_.thumbView = thumbs;
      callbacks_->SetThumbView(thumbs ? 1 : 0);
      ApplyView();
      return;
    }
    case ID_VIEWER_VIEW_IMAGE:
      OpenEntry(selected_, false);
      return;
    case ID_VIEWER_COPY:
      CopyEntry(selected_);
      return;
    case ID_VIEWER_PRINT:
      PrintEntry(selected_);
      return;
    case ID_VIEWER_TOPMOST:
      SetTopmost(!settings_.topmost);
      callbacks_->SetTopmost(settings_.topmost ? 1 : 0);
      return;
    case ID_VIEWER_SETTINGS:
      OnSettings();
      return;
    case ID_VIEWER_HELP_CONTENTS:
    case ID_VIEWER_HELP_SUPPORT:  // the help file holds the support pages too
      viewer::OpenViewerHelp(window_);
      return;
    case ID_VIEWER_HELP_ABOUT: {
      std::string text = std::string(kCaption) + "\r\n" + viewer::LibraryVersionText();
      MessageBoxA(window_, text.c_str(), "About", MB_OK | MB_ICONINFORMATION);
      return;
    }
    default:
      return;
  }
}

void CImageListDisplay::OnSettings() {
  viewer::ViewerSettings changed = settings_;
  if (!RunViewerSettingsSheet(window_, &changed)) return;
  viewer::WriteChangedSettings(*callbacks_, settings_, changed);
  ApplySettings(changed);
}

void CImageListDisplay::ApplySettings(const viewer::ViewerSettings& changed) {
  const bool topmostChanged = changed.topmost != settings_.topmost;
  // Pictures of another quality or with other marks: decoded again.
  if (changed.thumbDisplay != settings_.thumbDisplay || changed.thumbAnnotations != settings_.thumbAnnotations)
    for (CIThumb* cell : cells_) cell->DropPicture();
  SaveColumnWidths();
  viewer::ViewerSettings next = changed;
  next.imageColWidth = settings_.imageColWidth;
  next.typeColWidth = settings_.typeColWidth;
  next.sizeColWidth = settings_.sizeColWidth;
  settings_ = next;
  if (topmostChanged) SetTopmost(settings_.topmost);
  ApplyView();
}

void CImageListDisplay::OnSysColorChange() {
  SendMessageA(rows_, WM_SYSCOLORCHANGE, 0, 0);
  const COLORREF back = GetSysColor(COLOR_3DLIGHT), text = GetSysColor(COLOR_BTNTEXT);
  ListView_SetBkColor(rows_, back);
  ListView_SetTextBkColor(rows_, back);
  ListView_SetTextColor(rows_, text);
  for (CIThumb* cell : cells_) cell->SetColors(back, text);
  InvalidateRect(rows_, nullptr, TRUE);
  InvalidateRect(thumbs_, nullptr, TRUE);
}

// ---- Messages ------------------------------------------------------------------

INT_PTR CALLBACK CImageListDisplay::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* display = reinterpret_cast<CImageListDisplay*>(lParam);
    display->window_ = window;
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    display->OnInit();
    return FALSE;
  }
  auto* display = reinterpret_cast<CImageListDisplay*>(GetWindowLongPtrA(window, DWLP_USER));
  if (!display) return FALSE;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, DWLP_USER, 0);
    delete display;
    return FALSE;
  }
  return display->Handle(message, wParam, lParam);
}

INT_PTR CImageListDisplay::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      // Closing only hides the list: it lives until the host's program closes it.
      ShowWindow(window_, SW_HIDE);
      return TRUE;
    case WM_DESTROY:
      SaveColumnWidths();
      for (HWND w : imageWindows_)
        if (w && IsWindow(w)) DestroyWindow(w);
      return TRUE;
    case WM_MOVE:
      if (!placing_ && !IsIconic(window_) && !IsZoomed(window_)) {
        RECT r;
        GetWindowRect(window_, &r);
        settings_.listX = r.left;
        settings_.listY = r.top;
        callbacks_->SetListPosition(r.left, r.top);
      }
      return TRUE;
    case WM_SIZE:
      Layout();
      if (!placing_ && wParam == SIZE_RESTORED) {
        RECT r;
        GetWindowRect(window_, &r);
        settings_.listWidth = r.right - r.left;
        settings_.listHeight = r.bottom - r.top;
        callbacks_->SetListSize(settings_.listWidth, settings_.listHeight);
      }
      return TRUE;
    case WM_SYSCOLORCHANGE:
      OnSysColorChange();
      return TRUE;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) >= ID_VIEWER_SETTINGS && (wParam & 0xFFF0) <= ID_VIEWER_HELP_ABOUT) {
        OnCommand(static_cast<int>(wParam & 0xFFF0));
        SetWindowLongPtrA(window_, DWLP_MSGRESULT, 0);
        return TRUE;
      }
      return FALSE;
    case WM_CONTEXTMENU:
      ShowContextMenu(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_IMAGE_LIST_THUMBS) {
        CIThumb* cell = CIThumb::FromWindow(reinterpret_cast<HWND>(lParam));
        if (!cell) return TRUE;
        if (HIWORD(wParam) == THUMB_NOTIFY_SELECT) Select(cell->Index());
        if (HIWORD(wParam) == THUMB_NOTIFY_OPEN) OpenEntry(cell->Index(), false);
        return TRUE;
      }
      OnCommand(LOWORD(wParam));
      return TRUE;
    case WM_NOTIFY: {
      const NMHDR* n = reinterpret_cast<const NMHDR*>(lParam);
      if (n->hwndFrom != rows_) return FALSE;
      if (n->code == LVN_COLUMNCLICK) {
        OnColumnClick(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
      } else if (n->code == LVN_ITEMCHANGED) {
        const NMLISTVIEW* v = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((v->uNewState & LVIS_SELECTED) && !(v->uOldState & LVIS_SELECTED)) selected_ = static_cast<int>(v->lParam);
      } else if (n->code == NM_DBLCLK) {
        const NMITEMACTIVATE* a = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
        if (a->iItem >= 0) {
          LVITEMA item = {};
          item.mask = LVIF_PARAM;
          item.iItem = a->iItem;
          SendMessageA(rows_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
          OpenEntry(static_cast<int>(item.lParam), false);
        }
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}
