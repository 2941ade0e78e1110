#include "edit_to_moxel.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr char kEdit[] = "Edit";
constexpr const char* kDialogSections[4] = {"EditFind", "EditBookmark", "EditLables", "EditCompile"};
constexpr const char* kPlacementKeys[4] = {"X", "Y", "Edit width", "Edit height"};
constexpr const char* kForegroundKeys[8] = {"TextFg",     "SelectionFg", "CommentFg", "ReservedFg",
                                            "BookmarkFG", "FindsFg",     "StringFg",  "ColumnFg"};
constexpr const char* kBackgroundKeys[7] = {"TextBk",     "SelectionBk", "CommentBk", "ReservedBk",
                                            "BookmarkBk", "FindsBk",     "StringBk"};
constexpr int kForegroundDefaults[8] = {16, 16, 16, 14, 16, 16, 3, 10};
constexpr int kBackgroundDefaults[7] = {16, 16, 12, 16, 15, 3, 16};
constexpr int kColorRoles = 7;
constexpr int kAutomaticColor = 16;

// The 16 standard colours, red in the lowest byte.
constexpr COLORREF kStandardColors[16] = {
    0x000000, 0xFFFFFF, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000,
    0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00,
};

constexpr int kDefaultPointSize = 10;

bool HasSuffix(const char* suffix) { return suffix && *suffix; }

int ClampSaveOnExit(int mode) { return mode < 0 ? 0 : (mode > 2 ? 2 : mode); }

// A colour code: 0-15 a custom colour, 16 automatic; anything else stored
// by hand gives the role's default.
int ColorCode(int stored, int def) { return stored >= 0 && stored <= kAutomaticColor ? stored : def; }

}  // namespace

std::string EditSection(const char* base, const char* suffix) {
  std::string section = base;
  if (HasSuffix(suffix)) {
    section += '~';
    section += suffix;
  }
  return section;
}

int EditToMoxelI::ReadInt(const char* base, const char* suffix, const char* key, int def) {
  if (!ini_) return def;
  return ini_->read_int(EditSection(base, suffix).c_str(), key, def);
}

void EditToMoxelI::WriteInt(const char* base, const char* suffix, const char* key, int value) {
  if (ini_) ini_->write_int(EditSection(base, suffix).c_str(), key, value);
}

int EditToMoxelI::ReadFlag(const char* suffix, const char* key, int def) {
  return ReadInt(kEdit, suffix, key, def) != 0 ? 1 : 0;
}

void EditToMoxelI::WriteFlag(const char* suffix, const char* key, int flag) {
  WriteInt(kEdit, suffix, key, flag != 0 ? 1 : 0);
}

int EditToMoxelI::GetCheckSyntax(const char* s) { return ReadFlag(s, "Check syntax", HasSuffix(s) ? 0 : 1); }
void EditToMoxelI::SetCheckSyntax(int f, const char* s) { WriteFlag(s, "Check syntax", f); }
int EditToMoxelI::GetAutoLabels(const char* s) { return ReadFlag(s, "Edit auto-labels", 0); }
void EditToMoxelI::SetAutoLabels(int f, const char* s) { WriteFlag(s, "Edit auto-labels", f); }

void EditToMoxelI::GetDesktopRect(RECT* r) {
  if (!r) return;
  // RECT is four 32-bit values on every build; written as such, so that this
  // file needs no system header.
  const int32_t edges[4] = {desktop_.left, desktop_.top, desktop_.right, desktop_.bottom};
  std::memcpy(static_cast<void*>(r), edges, sizeof edges);
}

void EditToMoxelI::NotifyPending() {
  if (port_) port_->NotifyPending();
}

void EditToMoxelI::SetToolbar(int f, const char* s) { WriteFlag(s, "Edit toolbar", f); }
int EditToMoxelI::GetToolbar(const char* s) { return ReadFlag(s, "Edit toolbar", 1); }
void EditToMoxelI::SetStatusbar(int f, const char* s) { WriteFlag(s, "Edit statusbar", f); }
int EditToMoxelI::GetStatusbar(const char* s) { return ReadFlag(s, "Edit statusbar", 1); }
int EditToMoxelI::GetColumnWarning(const char* s) { return ReadFlag(s, "Edit column warning", 1); }
void EditToMoxelI::SetColumnWarning(int f, const char* s) { WriteFlag(s, "Edit column warning", f); }

void EditToMoxelI::RequestClose(int session) {
  if (port_) port_->RequestClose(session);
}

int EditToMoxelI::GetAutoIndent(const char* s) { return ReadFlag(s, "Edit autoindent", 1); }
void EditToMoxelI::SetAutoIndent(int f, const char* s) { WriteFlag(s, "Edit autoindent", f); }

int EditToMoxelI::GetSaveOnExit(const char* s) {
  return ClampSaveOnExit(ReadInt(kEdit, s, "SaveOnExit", HasSuffix(s) ? 1 : 2));
}

void EditToMoxelI::SetSaveOnExit(int mode, const char* s) { WriteInt(kEdit, s, "SaveOnExit", ClampSaveOnExit(mode)); }

void EditToMoxelI::GetWindowPlacement(int* x, int* y, int* w, int* h, const char* s) {
  int* out[4] = {x, y, w, h};
  const int defaults[4] = {-1, -1, 400, 400};
  for (int i = 0; i < 4; ++i)
    if (out[i]) *out[i] = ReadInt(kEdit, s, kPlacementKeys[i], defaults[i]);
}

void EditToMoxelI::SetWindowPlacement(int x, int y, int w, int h, const char* s) {
  const int values[4] = {x, y, w, h};
  for (int i = 0; i < 4; ++i) WriteInt(kEdit, s, kPlacementKeys[i], values[i]);
}

void EditToMoxelI::GetFindOptions(int* fromTop, int* matchCase, int* wholeWord, int* down, const char* s) {
  if (fromTop) *fromTop = ReadFlag(s, "Search from top", 1);
  if (matchCase) *matchCase = ReadFlag(s, "Match case", 0);
  if (wholeWord) *wholeWord = ReadFlag(s, "Match whole word", 0);
  if (down) *down = ReadFlag(s, "Search down", 1);
}

void EditToMoxelI::SetFindOptions(int fromTop, int matchCase, int wholeWord, int down, const char* s) {
  WriteFlag(s, "Search from top", fromTop);
  WriteFlag(s, "Match case", matchCase);
  WriteFlag(s, "Match whole word", wholeWord);
  WriteFlag(s, "Search down", down);
}

void EditToMoxelI::GetFont(char* name, int nameSize, int* pointSize, int* italic, int* bold, const char* s) {
  if (name && nameSize > 0) {
    if (ini_) {
      ini_->read_string(EditSection(kEdit, s).c_str(), "Edit font", "Courier New", name,
                        static_cast<std::size_t>(nameSize));
    } else {
      std::snprintf(name, static_cast<size_t>(nameSize), "%s", "Courier New");
    }
  }
  if (pointSize) {
    *pointSize = ReadInt(kEdit, s, "Edit point size", kDefaultPointSize);
    if (*pointSize <= 0) *pointSize = kDefaultPointSize;
  }
  if (italic) *italic = ReadFlag(s, "Edit italics", 0);
  if (bold) *bold = ReadFlag(s, "Edit bold", 0);
}

void EditToMoxelI::SetFont(const char* name, int pointSize, int italic, int bold, const char* s) {
  if (ini_ && name) ini_->write_string(EditSection(kEdit, s).c_str(), "Edit font", name);
  WriteInt(kEdit, s, "Edit point size", pointSize);
  WriteFlag(s, "Edit italics", italic);
  WriteFlag(s, "Edit bold", bold);
}

int EditToMoxelI::GetColors(int n, int* fg, int* bg, const char* s) {
  if (n > kColorRoles) n = kColorRoles;
  int last = 0;
  for (int i = 0; fg && i <= n && n >= 0; ++i) {
    fg[i] = last = ColorCode(ReadInt(kEdit, s, kForegroundKeys[i], kForegroundDefaults[i]), kForegroundDefaults[i]);
  }
  for (int i = 0; bg && i < n; ++i) {
    bg[i] = last = ColorCode(ReadInt(kEdit, s, kBackgroundKeys[i], kBackgroundDefaults[i]), kBackgroundDefaults[i]);
  }
  return last;
}

void EditToMoxelI::SetColors(int n, const int* fg, const int* bg, const char* s) {
  if (n > kColorRoles) n = kColorRoles;
  for (int i = 0; fg && i <= n && n >= 0; ++i) WriteInt(kEdit, s, kForegroundKeys[i], fg[i]);
  for (int i = 0; bg && i < n; ++i) WriteInt(kEdit, s, kBackgroundKeys[i], bg[i]);
}

void EditToMoxelI::GetDialogPlacement(int which, int* x, int* y, int* w, int* h, const char* s) {
  int* out[4] = {x, y, w, h};
  const bool known = which >= 0 && which < 4;
  for (int i = 0; i < 4; ++i) {
    if (!out[i]) continue;
    *out[i] = known ? ReadInt(kDialogSections[which], s, kPlacementKeys[i], -1) : -1;
  }
}

void EditToMoxelI::SetDialogPlacement(int which, int x, int y, int w, int h, const char* s) {
  if (which < 0 || which >= 4) return;
  const int values[4] = {x, y, w, h};
  for (int i = 0; i < 4; ++i) WriteInt(kDialogSections[which], s, kPlacementKeys[i], values[i]);
}

int EditToMoxelI::GetFunctionWidth(const char* s) { return ReadInt(kEdit, s, "Function width", -1); }
void EditToMoxelI::SetFunctionWidth(int w, const char* s) { WriteInt(kEdit, s, "Function width", w); }

void EditToMoxelI::GetCustomColors(COLORREF* colors, const char* s) {
  if (!colors) return;
  char key[16];
  for (int i = 0; i < 16; ++i) {
    std::snprintf(key, sizeof key, "Choice%d", i);
    const int value = ReadInt(kEdit, s, key, static_cast<int>(kStandardColors[i]));
    colors[i] = static_cast<COLORREF>(static_cast<unsigned>(value) & 0xFFFFFFu);
  }
}

void EditToMoxelI::SetCustomColors(const COLORREF* colors, const char* s) {
  if (!colors) return;
  char key[16];
  for (int i = 0; i < 16; ++i) {
    std::snprintf(key, sizeof key, "Choice%d", i);
    WriteInt(kEdit, s, key, static_cast<int>(colors[i] & 0xFFFFFFu));
  }
}

int EditToMoxelI::GetSortLabels(const char* s) { return ReadFlag(s, "Sort labels", 0); }
void EditToMoxelI::SetSortLabels(int f, const char* s) { WriteFlag(s, "Sort labels", f); }
int EditToMoxelI::GetNumPadScreenDraw(const char* s) { return ReadFlag(s, "NumPad ScreenDraw", 1); }
void EditToMoxelI::SetNumPadScreenDraw(int f, const char* s) { WriteFlag(s, "NumPad ScreenDraw", f); }
