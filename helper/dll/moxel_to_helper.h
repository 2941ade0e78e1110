// The library's MoxelToHelper object: the message-loop hooks for the edit
// windows and the monitor size; the viewer's slots answer as "no viewer".
#pragma once

#include "helper/interfaces/helper_interfaces.h"

class MoxelToHelperI final : public MoxelToHelper {
 public:
  int OnIdle(long count) override;
  int PreTranslateMessage(MSG* message) override;
  int ClearList() override;
  void AddItem(const char* entry) override;
  void ShowList() override;
  void CloseList() override;
  void GetMonitorSize(HWND window, int* width, int* height) override;
};

extern MoxelToHelperI TheMoxelToHelper;

// Library start-up: the primary monitor's work area, and the multiple-monitor
// functions when the system has them and more than one monitor.
void DetectMonitors();
