// The library's MoxelToHelper object: the message-loop hooks for the edit
// windows, the image windows and the attachment viewer, the viewer's list,
// and the monitor size.
#pragma once

#include "helper/interfaces/helper_interfaces.h"

class CImageListDisplay;

class MoxelToHelperI final : public MoxelToHelper {
 public:
  int OnIdle(long count) override;
  int PreTranslateMessage(MSG* message) override;
  int ClearList() override;
  void AddItem(const char* entry) override;
  void ShowList() override;
  void CloseList() override;
  void GetMonitorSize(HWND window, int* width, int* height) override;

 private:
  // The list window, created by the first ClearList; shown_: shown at least
  // once since.
  CImageListDisplay* viewer_ = nullptr;
  bool shown_ = false;
};

extern MoxelToHelperI TheMoxelToHelper;
