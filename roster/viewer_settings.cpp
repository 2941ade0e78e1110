#include "viewer_settings.h"

#include <cstdio>
#include <cstring>

namespace roster {

const char kOwnSection[] = "SImaveView";
const char kTerminalSection[] = "ImaveView";

namespace {

using K = SettingKind;

// The terminal's defaults for its own section.
const Setting kSettings[] = {
    {"ListWidth", K::Integer, -1},      {"ListHeight", K::Integer, -1},
    {"MainFitMode", K::Flag, 0},        {"ListX", K::Integer, -30000},
    {"ListY", K::Integer, -30000},      {"ThumbWidth", K::Integer, -1},
    {"ThumbHeight", K::Integer, -1},    {"Topmost", K::Flag, 0},
    {"ThumbAspect", K::Flag, 1},        {"ThumbDisplay", K::Integer, -1},
    {"ThumbAnnotations", K::Flag, 0},   {"MainAnnotations", K::Flag, 0},
    {"UseDefaultViewer", K::Chooser, 0}, {"MainDisplay", K::Integer, -1},
    {"AutoLaunch", K::Flag, 1},         {"MainBackground", K::Integer, -1},
    {"ThumbView", K::Flag, 1},          {"ImageColWidth", K::Integer, 100},
    {"TypeColWidth", K::Integer, 100},  {"SizeColWidth", K::Integer, 100},
    {"TypeColEnabled", K::Flag, 0},     {"SizeColEnabled", K::Flag, 0},
};

int Reduce(const Setting& setting, int value) {
  return setting.kind == K::Flag ? (value != 0 ? 1 : 0) : value;
}

}  // namespace

const Setting* FindSetting(const char* key) {
  if (!key) return nullptr;
  for (const Setting& s : kSettings)
    if (std::strcmp(s.key, key) == 0) return &s;
  return nullptr;
}

int ReadSetting(ProfileStore& store, const Setting& setting) {
  const int own = store.ReadInt(kOwnSection, setting.key, kAbsent);
  if (own != kAbsent) return Reduce(setting, own);
  return Reduce(setting, store.ReadInt(kTerminalSection, setting.key, setting.terminalDefault));
}

void WriteSetting(ProfileStore& store, const Setting& setting, int value) {
  if (setting.kind != K::Integer) value = value != 0 ? 1 : 0;
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  store.WriteText(kOwnSection, setting.key, text);
}

int RosterHelperToMoxel::Get(const char* key) {
  const Setting* setting = FindSetting(key);
  if (!setting) return 0;
  if (!store_) return setting->terminalDefault;
  return ReadSetting(*store_, *setting);
}

void RosterHelperToMoxel::Set(const char* key, int value) {
  const Setting* setting = FindSetting(key);
  if (setting && store_) WriteSetting(*store_, *setting, value);
}

void RosterHelperToMoxel::GetPair(const char* first, const char* second, int* a, int* b) {
  if (a) *a = Get(first);
  if (b) *b = Get(second);
}

void RosterHelperToMoxel::SetPair(const char* first, const char* second, int a, int b) {
  Set(first, a);
  Set(second, b);
}

}  // namespace roster
