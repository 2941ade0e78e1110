// The viewer's settings as the roster library keeps them: its own section
// "SImaveView" of the settings file first, then the terminal's section
// "ImaveView" with the terminal's defaults. Writes go to "SImaveView" only;
// the terminal's section is never written here.
#pragma once

#include "helper/interfaces/helper_interfaces.h"

namespace roster {

extern const char kOwnSection[];       // "SImaveView"
extern const char kTerminalSection[];  // "ImaveView"
// What a read of the own section gives when the key is absent there.
constexpr int kAbsent = -32000;

// The settings file, behind an interface so that tests need no file.
class ProfileStore {
 public:
  // The integer stored under section/key, or `fallback` when there is none.
  virtual int ReadInt(const char* section, const char* key, int fallback) = 0;
  // Stores the text; false when it could not be written.
  virtual bool WriteText(const char* section, const char* key, const char* text) = 0;

 protected:
  ~ProfileStore() = default;
};

enum class SettingKind {
  Flag,     // read and written as 0 or 1
  Integer,  // read and written as stored
  Chooser,  // written as 0 or 1, read as stored ("UseDefaultViewer")
};

struct Setting {
  const char* key;
  SettingKind kind;
  int terminalDefault;  // the terminal's default for its own section
};

// Every setting the viewer asks for, by key; null for an unknown key.
const Setting* FindSetting(const char* key);

// The lookup every getter does.
int ReadSetting(ProfileStore& store, const Setting& setting);
// Every setter: the decimal text of the value (flags and choosers as 0 or 1).
void WriteSetting(ProfileStore& store, const Setting& setting, int value);

// The 38 operations the viewer calls back, in the terminal's slot order,
// backed by the settings file.
class RosterHelperToMoxel final : public HelperToMoxel {
 public:
  explicit RosterHelperToMoxel(ProfileStore* store = nullptr) : store_(store) {}
  void Attach(ProfileStore* store) { store_ = store; }

  void GetListSize(int* width, int* height) override { GetPair("ListWidth", "ListHeight", width, height); }
  void SetListSize(int width, int height) override { SetPair("ListWidth", "ListHeight", width, height); }
  int GetMainFitMode() override { return Get("MainFitMode"); }
  void SetMainFitMode(int flag) override { Set("MainFitMode", flag); }
  void GetListPosition(int* x, int* y) override { GetPair("ListX", "ListY", x, y); }
  void SetListPosition(int x, int y) override { SetPair("ListX", "ListY", x, y); }
  void GetThumbSize(int* width, int* height) override { GetPair("ThumbWidth", "ThumbHeight", width, height); }
  void SetThumbSize(int width, int height) override { SetPair("ThumbWidth", "ThumbHeight", width, height); }
  void SetTopmost(int flag) override { Set("Topmost", flag); }
  int GetTopmost() override { return Get("Topmost"); }
  int GetThumbAspect() override { return Get("ThumbAspect"); }
  void SetThumbAspect(int flag) override { Set("ThumbAspect", flag); }
  int GetThumbDisplay() override { return Get("ThumbDisplay"); }
  void SetThumbDisplay(int value) override { Set("ThumbDisplay", value); }
  int GetThumbAnnotations() override { return Get("ThumbAnnotations"); }
  void SetThumbAnnotations(int flag) override { Set("ThumbAnnotations", flag); }
  int GetMainAnnotations() override { return Get("MainAnnotations"); }
  void SetMainAnnotations(int flag) override { Set("MainAnnotations", flag); }
  int GetUseDefaultViewer() override { return Get("UseDefaultViewer"); }
  void SetUseDefaultViewer(int flag) override { Set("UseDefaultViewer", flag); }
  int GetMainDisplay() override { return Get("MainDisplay"); }
  void SetMainDisplay(int value) override { Set("MainDisplay", value); }
  int GetAutoLaunch() override { return Get("AutoLaunch"); }
  void SetAutoLaunch(int flag) override { Set("AutoLaunch", flag); }
  int GetMainBackground() override { return Get("MainBackground"); }
  void SetMainBackground(int value) override { Set("MainBackground", value); }
  int GetThumbView() override { return Get("ThumbView"); }
  void SetThumbView(int flag) override { Set("ThumbView", flag); }
  int GetImageColWidth() override { return Get("ImageColWidth"); }
  void SetImageColWidth(int width) override { Set("ImageColWidth", width); }
  int GetTypeColWidth() override { return Get("TypeColWidth"); }
  void SetTypeColWidth(int width) override { Set("TypeColWidth", width); }
  int GetSizeColWidth() override { return Get("SizeColWidth"); }
  void SetSizeColWidth(int width) override { Set("SizeColWidth", width); }
  int GetTypeColEnabled() override { return Get("TypeColEnabled"); }
  void SetTypeColEnabled(int flag) override { Set("TypeColEnabled", flag); }
  int GetSizeColEnabled() override { return Get("SizeColEnabled"); }
  void SetSizeColEnabled(int flag) override { Set("SizeColEnabled", flag); }

 private:
  int Get(const char* key);
  void Set(const char* key, int value);
  void GetPair(const char* first, const char* second, int* a, int* b);
  void SetPair(const char* first, const char* second, int a, int b);

  ProfileStore* store_;
};

}  // namespace roster
