#include "user_screen_list.h"

#include <cstdio>
#include <cstring>

#include "cell_primitives.h"
#include "engine_context.h"
#include "render_notify.h"
#include "saved_windows.h"
#include "screen_model.h"
#include "window_placement.h"

UserScreenListState UserScreenList;

namespace {

constexpr int kListCol = 15;
constexpr int kListRow = 6;
constexpr int kListWidth = 49;
constexpr int kListHeight = 13;
constexpr uint8_t kListClass = 15;
constexpr int kTitleOffset = 8;
constexpr int kSlotColumn = 6;

bool AnyTitle() {
  for (const auto& title : Screen.win.userScreenTitles)
    if (title[0]) return true;
  return false;
}

void Text(int row, int offset, const char* text, int maxLength) {
  int n = static_cast<int>(std::strlen(text));
  if (n > maxLength) n = maxLength;
  WriteText(kListCol + offset, kListRow + row, reinterpret_cast<const uint8_t*>(text), n);
}

void Frame(int row, uint8_t left, uint8_t fill, uint8_t right) {
  const CellAttribute a{kListClass, Screen.win.curLevel, 0};
  FillCellsWith(kListCol, kListRow + row, kListWidth, fill, a);
  FillCellsWith(kListCol, kListRow + row, 1, left, a);
  FillCellsWith(kListCol + kListWidth - 1, kListRow + row, 1, right, a);
}

void Glyph(int row, int offset, uint8_t glyph) {
  WriteText(kListCol + offset, kListRow + row, &glyph, 1);
}

void DrawList() {
  Frame(0, 201, 205, 187);
  Text(0, 10, "Assigned User Defined Screens", kListWidth - 11);
  Frame(1, 204, 205, 185);
  Glyph(1, kSlotColumn, 209);
  Text(1, 2, "Alt+", 4);
  Text(1, 21, "Screen Title", 12);
  for (int slot = 1; slot <= kUserScreens; ++slot) {
    const int row = 1 + slot;
    Frame(row, 186, ' ', 186);
    Glyph(row, kSlotColumn, 179);
    char key[8];
    std::snprintf(key, sizeof key, "F%d=", slot);
    Text(row, 2, key, 4);
    Text(row, kTitleOffset, Screen.win.userScreenTitles[slot - 1], kUserScreenTitleSize - 1);
  }
  Frame(12, 200, 205, 188);
  Glyph(12, kSlotColumn, 207);
  InvalidateCells(kListCol, kListRow, kListWidth, kListHeight);
}

}  // namespace

void ShowUserScreenList() {
  if (UserScreenList.shown || !AnyTitle() || !Engine.shell->UserScreenListEnabled()) return;
  WindowPlacement w{kListCol, kListRow, kListWidth, kListHeight, kNoBorderStyle, {1, 1, 1, 1}};
  FitPlacement(w, false);
  if (!OpenSavedWindow(w, true)) return;
  UserScreenList.shown = true;
  UserScreenList.block = Screen.win.savedTop;
  DrawList();
}

void HideUserScreenList() {
  if (!UserScreenList.shown) return;
  UserScreenList.shown = false;
  // Only the list's own block is closed: one the host opened over it stays.
  if (Screen.win.savedTop == UserScreenList.block) CloseOneWindowStep();
  UserScreenList.block = 0;
}

void ResetUserScreenList() { UserScreenList = UserScreenListState{}; }
