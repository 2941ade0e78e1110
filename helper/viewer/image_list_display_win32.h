// CImageListDisplay: the attachment viewer's list window (dialog 3022,
// "Corvane Attachment Viewer"). It holds the host's attachments in the
// order they came, shows them as list rows or as thumbnails, opens, prints
// and copies them, and keeps its settings through HelperToMoxel.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "helper/interfaces/helper_interfaces.h"
#include "list_order.h"
#include "viewer_entry.h"
#include "viewer_settings.h"

class CIThumb;

class CImageListDisplay {
 public:
  // The hidden window, its settings read; null when it cannot be made.
  static CImageListDisplay* Create(HelperToMoxel* callbacks);
  // Destroys the window (and the image windows it opened).
  void Destroy();

  HWND Window() const { return window_; }

  void Clear();
  void Add(const char* entryText);
  // Refreshes the active display; shows the window the first time, brings
  // it to the top afterwards; then, with exactly one entry and
  // "AutoLaunch", opens it at once.
  void Show(bool firstTime);

  // One step of the idle work (one thumbnail decoded); true while more remain.
  bool IdleStep();
  bool PreTranslate(MSG* message);

  // The list's entries (for the thumbnails' painting).
  const viewer::Entry& EntryAt(int index) const { return *entries_[index]; }
  int EntryCount() const { return static_cast<int>(entries_.size()); }

 private:
  CImageListDisplay() = default;
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInit();
  void Place();
  void Layout();
  void SetupSystemMenu();

  void ApplyView();
  void FillRows();
  void SetupColumns();
  void RebuildThumbs();
  int ThumbHeight() const;
  void OnColumnClick(int column);
  void SaveColumnWidths();

  void Select(int index);
  int Selected() const { return selected_; }
  void OpenEntry(int index, bool autoLaunch);
  void PrintEntry(int index);
  void CopyEntry(int index);
  void SetTopmost(bool on);
  void ShowContextMenu(int x, int y);
  void OnCommand(int id);
  void OnSettings();
  void ApplySettings(const viewer::ViewerSettings& changed);
  void OnSysColorChange();
  void Message(const char* text);
  void RefreshExpiredImageWindows();

  HWND window_ = nullptr;
  HWND rows_ = nullptr;   // the list view
  HWND thumbs_ = nullptr; // the thumbnail pane
  HelperToMoxel* callbacks_ = nullptr;
  viewer::ViewerSettings settings_;
  std::vector<std::unique_ptr<viewer::Entry>> entries_;
  std::vector<CIThumb*> cells_;  // in entry order while the thumbnail view is up
  std::vector<HWND> imageWindows_;  // per entry: its image window, if one is open
  std::vector<viewer::ColumnSpec> columns_;
  viewer::SortState sort_;
  int selected_ = -1;
  bool placing_ = true;  // moves and sizes of the creation are not written
};
