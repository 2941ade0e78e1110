// The host's windows, pop-ups and named screens as the engine's windows seam.
#pragma once

#include "service_seams.h"

class HostWindows final : public HostWindowSeam {
 public:
  void OpenWindow(const uint8_t p[6], const char* title) override;
  void OpenPopup(const uint8_t p[5], const char* title) override;
  void ClosePopup() override;
  void CloseWindows() override;
  void CloseAllWindows() override;
  bool RestoreNamedScreen(const char* name) override;
  bool CheckClearNamedScreen(const char* name) override;
  bool LoadNamedScreen(const char* name) override;
  void SaveNamedScreen() override;
  void DiscardNamedScreens() override;
};
