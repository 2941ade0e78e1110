#include "moxel_to_helper.h"
#include "image_item_win32.h"

#include <windows.h>

#include "frame_edit_win32.h"
#include "helper_state.h"
#include "image_item_win32.h"
#include "image_list_display_win32.h"
#include "monitors_win32.h"

MoxelToHelperI TheMoxelToHelper;

int MoxelToHelperI::OnIdle(long count) {
  // The first pass brings every edit window's command states and status
  // texts up to date; every pass decodes one more thumbnail of the viewer
  // while some are left.
  if (count == 0) Helper.AllEdits.ForEach([](EditFrame& frame) { static_cast<CFrameEdit&>(frame).UpdateUserInterface(); });
  return viewer_ && viewer_->IdleStep() ? 1 : 0;
}

int MoxelToHelperI::PreTranslateMessage(MSG* message) {
  if (!message) return 0;
  if (viewer_ && viewer_->PreTranslate(message)) return 1;
  int taken = 0;
  Helper.AllEdits.ForEach([&](EditFrame& frame) {
    if (!taken && static_cast<CFrameEdit&>(frame).PreTranslate(*message)) taken = 1;
  });
  // The image windows: Ctrl+C and dialog keys.
  if (!taken && ImageItemsPreTranslate(message)) taken = 1;
  return taken;
}

int MoxelToHelperI::ClearList() {
  if (viewer_) {
    viewer_->Clear();
    return 1;
  }
  viewer_ = CImageListDisplay::Create(Helper.viewerCallbacks);
  shown_ = false;
  return viewer_ ? 1 : 0;
}

void MoxelToHelperI::AddItem(const char* entry) {
  if (viewer_ && entry) viewer_->Add(entry);
}

void MoxelToHelperI::ShowList() {
  if (!viewer_) return;
  const bool first = !shown_;
  shown_ = true;
  viewer_->Show(first);
}

void MoxelToHelperI::CloseList() {
  if (!viewer_) return;
  CImageListDisplay* closing = viewer_;
  viewer_ = nullptr;
  shown_ = false;
  closing->Destroy();
}

void MoxelToHelperI::GetMonitorSize(HWND window, int* width, int* height) {
  // Unchanged unless the window is on a monitor the functions know.
  MonitorSizeOf(window, width, height);
}
