#include "edit_preferences.h"

#include <cstring>

#include "edit_colours.h"

const char kSavePreferencesQuestion[] = "Would you like to save the changes to the editor preferences?";
const char kSavePreferencesCaption[] = "Corvane GUI Editor";

namespace {

constexpr int kDefaultSize = 400;
constexpr int kPlacedDialogs = 3;  // "EditFind", "EditBookmark", "EditLables"

template <typename T, size_t N>
bool SameArray(const T (&a)[N], const T (&b)[N]) {
  for (size_t i = 0; i < N; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

}  // namespace

bool EditPreferences::SameValues(const EditPreferences& o) const {
  if (x != o.x || y != o.y || width != o.width || height != o.height) return false;
  if (std::strncmp(font, o.font, sizeof font) != 0) return false;
  if (pointSize != o.pointSize || italic != o.italic || bold != o.bold) return false;
  if (fromTop != o.fromTop || matchCase != o.matchCase || wholeWord != o.wholeWord || down != o.down) return false;
  if (toolbar != o.toolbar || statusbar != o.statusbar || autoIndent != o.autoIndent ||
      columnWarning != o.columnWarning || saveOnExit != o.saveOnExit)
    return false;
  if (!SameArray(foreground, o.foreground) || !SameArray(background, o.background)) return false;
  if (functionWidth != o.functionWidth) return false;
  for (int i = 0; i < kPlacedDialogs; ++i)
    if (!SameArray(dialogs[i], o.dialogs[i])) return false;
  return sortLabels == o.sortLabels && autoLabels == o.autoLabels && numPad == o.numPad &&
         checkSyntax == o.checkSyntax;
}

void ReadPreferences(EditToMoxel& cb, const char* suffix, EditPreferences& p, COLORREF custom[16]) {
  cb.GetWindowPlacement(&p.x, &p.y, &p.width, &p.height, suffix);
  // RECT is four 32-bit values on every build; the core holds it as raw
  // storage so that it needs no system header.
  alignas(8) unsigned char desktop[4 * sizeof(int32_t)] = {};
  cb.GetDesktopRect(reinterpret_cast<RECT*>(desktop));
  int32_t edges[4];
  std::memcpy(edges, desktop, sizeof edges);
  p.desktop = {edges[0], edges[1], edges[2], edges[3]};
  cb.GetFont(p.font, static_cast<int>(sizeof p.font), &p.pointSize, &p.italic, &p.bold, suffix);
  p.font[sizeof p.font - 1] = 0;
  p.pointSize = SanitisePointSize(p.pointSize);
  cb.GetFindOptions(&p.fromTop, &p.matchCase, &p.wholeWord, &p.down, suffix);
  p.toolbar = cb.GetToolbar(suffix);
  p.statusbar = cb.GetStatusbar(suffix);
  p.autoIndent = cb.GetAutoIndent(suffix);
  p.columnWarning = cb.GetColumnWarning(suffix);
  p.saveOnExit = cb.GetSaveOnExit(suffix);
  cb.GetColors(kColorRoles, p.foreground, p.background, suffix);
  // A stored code past the 16 colours would index beyond the table.
  for (int& code : p.foreground) code = SanitiseColourCode(code);
  for (int& code : p.background) code = SanitiseColourCode(code);
  p.functionWidth = cb.GetFunctionWidth(suffix);
  for (int i = 0; i < kPlacedDialogs; ++i)
    cb.GetDialogPlacement(i, &p.dialogs[i][0], &p.dialogs[i][1], &p.dialogs[i][2], &p.dialogs[i][3], suffix);
  cb.GetCustomColors(custom, suffix);
  for (int i = 0; i < 16; ++i) custom[i] = SanitiseCustomColour(custom[i]);
  p.sortLabels = cb.GetSortLabels(suffix);
  p.autoLabels = cb.GetAutoLabels(suffix);
  p.numPad = cb.GetNumPadScreenDraw(suffix);
  p.checkSyntax = cb.GetCheckSyntax(suffix);
}

void WritePreferences(EditToMoxel& cb, const char* suffix, const EditPreferences& p, const COLORREF custom[16]) {
  cb.SetWindowPlacement(p.x, p.y, p.width, p.height, suffix);
  cb.SetFont(p.font, p.pointSize, p.italic, p.bold, suffix);
  cb.SetFindOptions(p.fromTop, p.matchCase, p.wholeWord, p.down, suffix);
  cb.SetToolbar(p.toolbar, suffix);
  cb.SetStatusbar(p.statusbar, suffix);
  cb.SetAutoIndent(p.autoIndent, suffix);
  cb.SetColumnWarning(p.columnWarning, suffix);
  cb.SetSaveOnExit(p.saveOnExit, suffix);
  cb.SetColors(kColorRoles, p.foreground, p.background, suffix);
  cb.SetFunctionWidth(p.functionWidth, suffix);
  for (int i = 0; i < kPlacedDialogs; ++i)
    cb.SetDialogPlacement(i, p.dialogs[i][0], p.dialogs[i][1], p.dialogs[i][2], p.dialogs[i][3], suffix);
  cb.SetCustomColors(custom, suffix);
  cb.SetSortLabels(p.sortLabels, suffix);
  cb.SetAutoLabels(p.autoLabels, suffix);
  cb.SetNumPadScreenDraw(p.numPad, suffix);
  cb.SetCheckSyntax(p.checkSyntax, suffix);
}

EditRect PlaceEditWindow(int x, int y, int w, int h, const EditRect& d) {
  if (w <= 0) w = kDefaultSize;
  if (h <= 0) h = kDefaultSize;
  const int deskWidth = d.right - d.left;
  const int deskHeight = d.bottom - d.top;
  if (deskWidth > 0 && w > deskWidth) w = deskWidth;
  if (deskHeight > 0 && h > deskHeight) h = deskHeight;
  // Compare in 64 bits: a stored origin near INT_MAX must not wrap.
  if (x >= d.left && static_cast<long long>(x) + w > d.right) x = d.left - 1;
  if (y >= d.top && static_cast<long long>(y) + h > d.bottom) y = d.top - 1;
  const int left = x >= d.left ? x : d.left + (deskWidth - w) / 2;
  const int top = y >= d.top ? y : d.top + (deskHeight - h) / 2;
  return {left, top, left + w, top + h};
}
