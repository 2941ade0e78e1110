// The terminal's side of the viewer's callbacks: its settings in section
// "ImaveView" of the configuration store.
#pragma once

#include "helper/interfaces/helper_interfaces.h"
#include "shell/config/variant_ini.h"

class HelperToMoxelI final : public HelperToMoxel {
 public:
  void Attach(tavix::VariantIni* ini) { ini_ = ini; }

  void GetListSize(int* width, int* height) override { GetPair("ListWidth", "ListHeight", -1, width, height); }
  void SetListSize(int width, int height) override { SetPair("ListWidth", "ListHeight", width, height); }
  int GetMainFitMode() override { return Flag("MainFitMode", 0); }
  void SetMainFitMode(int flag) override { SetFlag("MainFitMode", flag); }
  void GetListPosition(int* x, int* y) override { GetPair("ListX", "ListY", -30000, x, y); }
  void SetListPosition(int x, int y) override { SetPair("ListX", "ListY", x, y); }
  void GetThumbSize(int* width, int* height) override { GetPair("ThumbWidth", "ThumbHeight", -1, width, height); }
  void SetThumbSize(int width, int height) override { SetPair("ThumbWidth", "ThumbHeight", width, height); }
  void SetTopmost(int flag) override { SetFlag("Topmost", flag); }
  int GetTopmost() override { return Flag("Topmost", 0); }
  int GetThumbAspect() override { return Flag("ThumbAspect", 1); }
  void SetThumbAspect(int flag) override { SetFlag("ThumbAspect", flag); }
  int GetThumbDisplay() override { return Int("ThumbDisplay", -1); }
  void SetThumbDisplay(int value) override { SetInt("ThumbDisplay", value); }
  int GetThumbAnnotations() override { return Flag("ThumbAnnotations", 0); }
  void SetThumbAnnotations(int flag) override { SetFlag("ThumbAnnotations", flag); }
  int GetMainAnnotations() override { return Flag("MainAnnotations", 0); }
  void SetMainAnnotations(int flag) override { SetFlag("MainAnnotations", flag); }
  int GetUseDefaultViewer() override { return Int("UseDefaultViewer", 0); }  // as stored
  void SetUseDefaultViewer(int flag) override { SetFlag("UseDefaultViewer", flag); }
  int GetMainDisplay() override { return Int("MainDisplay", -1); }
  void SetMainDisplay(int value) override { SetInt("MainDisplay", value); }
  int GetAutoLaunch() override { return Flag("AutoLaunch", 1); }
  void SetAutoLaunch(int flag) override { SetFlag("AutoLaunch", flag); }
  int GetMainBackground() override { return Int("MainBackground", -1); }
  void SetMainBackground(int value) override { SetInt("MainBackground", value); }
  int GetThumbView() override { return Flag("ThumbView", 1); }
  void SetThumbView(int flag) override { SetFlag("ThumbView", flag); }
  int GetImageColWidth() override { return Int("ImageColWidth", 100); }
  void SetImageColWidth(int width) override { SetInt("ImageColWidth", width); }
  int GetTypeColWidth() override { return Int("TypeColWidth", 100); }
  void SetTypeColWidth(int width) override { SetInt("TypeColWidth", width); }
  int GetSizeColWidth() override { return Int("SizeColWidth", 100); }
  void SetSizeColWidth(int width) override { SetInt("SizeColWidth", width); }
  int GetTypeColEnabled() override { return Flag("TypeColEnabled", 0); }
  void SetTypeColEnabled(int flag) override { SetFlag("TypeColEnabled", flag); }
  int GetSizeColEnabled() override { return Flag("SizeColEnabled", 0); }
  void SetSizeColEnabled(int flag) override { SetFlag("SizeColEnabled", flag); }

 private:
  int Int(const char* key, int def) { return ini_ ? ini_->read_int(kSection, key, def) : def; }
  void SetInt(const char* key, int value) {
    if (ini_) ini_->write_int(kSection, key, value);
  }
  int Flag(const char* key, int def) { return Int(key, def) != 0 ? 1 : 0; }
  void SetFlag(const char* key, int flag) { SetInt(key, flag != 0 ? 1 : 0); }
  void GetPair(const char* first, const char* second, int def, int* a, int* b) {
    if (a) *a = Int(first, def);
    if (b) *b = Int(second, def);
  }
  void SetPair(const char* first, const char* second, int a, int b) {
    SetInt(first, a);
    SetInt(second, b);
  }

  static constexpr char kSection[] = "ImaveView";
  tavix::VariantIni* ini_ = nullptr;
};
