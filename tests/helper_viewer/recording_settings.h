// A HelperToMoxel over a map of stored values (absent keys give the
// terminal's defaults) that records every call by slot number.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "helper/interfaces/helper_interfaces.h"

class RecordingSettings final : public HelperToMoxel {
 public:
  std::map<std::string, int> stored;
  std::vector<int> slots;

  int Get(int slot, const char* key, int def) {
    slots.push_back(slot);
    auto it = stored.find(key);
    return it == stored.end() ? def : it->second;
  }
  void Set(int slot, const char* key, int v) {
    slots.push_back(slot);
    stored[key] = v;
  }
  void Pair(int slot, const char* a, const char* b, int def, int* x, int* y) {
    slots.push_back(slot);
    auto f = [&](const char* k) { auto it = stored.find(k); return it == stored.end() ? def : it->second; };
    *x = f(a);
    *y = f(b);
  }
  void SetPair(int slot, const char* a, const char* b, int x, int y) {
    slots.push_back(slot);
    stored[a] = x;
    stored[b] = y;
  }

  void GetListSize(int* w, int* h) override { Pair(0, "ListWidth", "ListHeight", -1, w, h); }
  void SetListSize(int w, int h) override { SetPair(1, "ListWidth", "ListHeight", w, h); }
  int GetMainFitMode() override { return Get(2, "MainFitMode", 0); }
  void SetMainFitMode(int v) override { Set(3, "MainFitMode", v); }
  void GetListPosition(int* x, int* y) override { Pair(4, "ListX", "ListY", -30000, x, y); }
  void SetListPosition(int x, int y) override { SetPair(5, "ListX", "ListY", x, y); }
  void GetThumbSize(int* w, int* h) override { Pair(6, "ThumbWidth", "ThumbHeight", -1, w, h); }
  void SetThumbSize(int w, int h) override { SetPair(7, "ThumbWidth", "ThumbHeight", w, h); }
  void SetTopmost(int v) override { Set(8, "Topmost", v); }
  int GetTopmost() override { return Get(9, "Topmost", 0); }
  int GetThumbAspect() override { return Get(10, "ThumbAspect", 1); }
  void SetThumbAspect(int v) override { Set(11, "ThumbAspect", v); }
  int GetThumbDisplay() override { return Get(12, "ThumbDisplay", -1); }
  void SetThumbDisplay(int v) override { Set(13, "ThumbDisplay", v); }
  int GetThumbAnnotations() override { return Get(14, "ThumbAnnotations", 0); }
  void SetThumbAnnotations(int v) override { Set(15, "ThumbAnnotations", v); }
  int GetMainAnnotations() override { return Get(16, "MainAnnotations", 0); }
  void SetMainAnnotations(int v) override { Set(17, "MainAnnotations", v); }
  int GetUseDefaultViewer() override { return Get(18, "UseDefaultViewer", 0); }
  void SetUseDefaultViewer(int v) override { Set(19, "UseDefaultViewer", v); }
  int GetMainDisplay() override { return Get(20, "MainDisplay", -1); }
  void SetMainDisplay(int v) override { Set(21, "MainDisplay", v); }
  int GetAutoLaunch() override { return Get(22, "AutoLaunch", 1); }
  void SetAutoLaunch(int v) override { Set(23, "AutoLaunch", v); }
  int GetMainBackground() override { return Get(24, "MainBackground", -1); }
  void SetMainBackground(int v) override { Set(25, "MainBackground", v); }
  int GetThumbView() override { return Get(26, "ThumbView", 1); }
  void SetThumbView(int v) override { Set(27, "ThumbView", v); }
  int GetImageColWidth() override { return Get(28, "ImageColWidth", 100); }
  void SetImageColWidth(int v) override { Set(29, "ImageColWidth", v); }
  int GetTypeColWidth() override { return Get(30, "TypeColWidth", 100); }
  void SetTypeColWidth(int v) override { Set(31, "TypeColWidth", v); }
  int GetSizeColWidth() override { return Get(32, "SizeColWidth", 100); }
  void SetSizeColWidth(int v) override { Set(33, "SizeColWidth", v); }
  int GetTypeColEnabled() override { return Get(34, "TypeColEnabled", 0); }
  void SetTypeColEnabled(int v) override { Set(35, "TypeColEnabled", v); }
  int GetSizeColEnabled() override { return Get(36, "SizeColEnabled", 0); }
  void SetSizeColEnabled(int v) override { Set(37, "SizeColEnabled", v); }
};
