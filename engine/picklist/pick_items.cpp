#include "pick_items.h"

#include "cell_primitives.h"
#include "render_notify.h"
#include "screen_model.h"

namespace {

constexpr uint8_t kNormalClass = 2;
constexpr uint8_t kItemClass = 4;
constexpr uint8_t kHotClass = 5;
constexpr uint8_t kBlinkClass = 8;
constexpr uint8_t kBlinkItemClass = 10;
constexpr uint8_t kInsertKeyByte = 165;
constexpr uint8_t kDeleteKeyByte = 166;
constexpr int32_t kInsertKey = 1052;
constexpr int32_t kDeleteKey = 1053;

int Clamped(uint8_t byte) { return byte < 32 ? 0 : byte - 32; }

// The item's cells that lie inside the grid: items come back from saved
// windows too, so their records are not trusted to be in range.
int CellsInGrid(const ChoiceItem& item) {
  if (item.row >= kScreenRows || item.col >= kScreenCols) return 0;
  int n = item.width;
  if (item.col + n > kScreenCols) n = kScreenCols - item.col;
  return n;
}

uint8_t MarkedClass(uint8_t old, bool hot) {
  if (hot) return kHotClass;
  if (old == kBlinkClass) return kBlinkItemClass;
  if (old == kHotClass || old == kBlinkItemClass) return old;
  return kItemClass;
}

const ChoiceItem& Item(int item) { return Screen.ChoiceItems[item - 1]; }

bool Overlaps(const ChoiceItem& a, const ChoiceItem& b) {
  return a.col < b.col + b.width && b.col < a.col + a.width;
}

}  // namespace

void MarkItem(int item) {
  if (item < 1 || item > kMaxChoices) return;
  const ChoiceItem& it = Item(item);
  int n = CellsInGrid(it);
  for (int k = 0; k < n; ++k) {
    Cell* cell = CellAt(it.col + k, it.row);
    cell->choice = static_cast<uint8_t>(item);
    cell->attrClass = MarkedClass(cell->attrClass, k + 1 == it.hotOffset);
  }
  RepaintItem(item);
}

void UnmarkItem(int item) {
  if (item < 1 || item > kMaxChoices) return;
  const ChoiceItem& it = Item(item);
  int n = CellsInGrid(it);
  for (int k = 0; k < n; ++k) {
    Cell* cell = CellAt(it.col + k, it.row);
    cell->attrClass = kNormalClass;
    cell->choice = 0;
  }
  RepaintItem(item);
}

void RepaintItem(int item) {
  if (item < 1 || item > kMaxChoices) return;
  const ChoiceItem& it = Item(item);
  int n = CellsInGrid(it);
  if (n > 0) InvalidateCells(it.col, it.row, n, 1);
}

void DefineChoiceItem(const uint8_t p[4], const char* key) {
  WindowState& w = Screen.win;
  if (w.choiceCount >= kMaxChoices) return;
  int col = w.winLeft + Clamped(p[0]);
  if (col > w.winRight) col = w.winRight;
  int row = w.winTop + Clamped(p[1]);
  if (row > w.winBottom) row = w.winBottom;
  int width = Clamped(p[2]);
  if (col + width - 1 > w.winRight) width = w.winRight - col + 1;
  if (width < 0) width = 0;
  int hot = Clamped(p[3]);
  if (hot > width) hot = width;

  const uint8_t first = static_cast<uint8_t>(key[0]);
  int32_t code = first;
  if (first == kInsertKeyByte) code = kInsertKey;
  else if (first == kDeleteKeyByte) code = kDeleteKey;
  else if (first >= 'a' && first <= 'z') code = first - 'a' + 'A';

  ChoiceItem& it = Screen.ChoiceItems[w.choiceCount];
  it.col = static_cast<uint8_t>(col);
  it.row = static_cast<uint8_t>(row);
  it.width = static_cast<uint8_t>(width);
  it.hotOffset = static_cast<uint8_t>(hot);
  it.keyCode = static_cast<uint16_t>(code);
  ++w.choiceCount;
  if (w.choiceHigh < w.choiceCount) w.choiceHigh = w.choiceCount;
  MarkItem(w.choiceCount);
}

void SetChoiceCount(uint8_t countByte) {
  WindowState& w = Screen.win;
  int target = Clamped(countByte);
  int high = w.choiceHigh > kMaxChoices ? kMaxChoices : w.choiceHigh;
  if (target > high) target = high;
  while (w.choiceCount > target) {
    UnmarkItem(w.choiceCount);
    --w.choiceCount;
  }
  while (w.choiceCount < target) {
    ++w.choiceCount;
    MarkItem(w.choiceCount);
  }
  // A highlight on an item that no longer counts goes with it.
  if (w.CurrentChoice > w.choiceCount) w.CurrentChoice = 0;
}

bool ItemActive(int item) {
  return item >= 1 && item <= Screen.win.choiceCount && item <= kMaxChoices && Item(item).width > 0;
}

int NearestItem(int current, ItemDirection direction) {
  if (current < 1 || current > Screen.win.choiceCount || current > kMaxChoices) return 0;
  const ChoiceItem& from = Item(current);
  int best = 0;
  int bestDistance = 0;
  for (int i = 1; i <= Screen.win.choiceCount && i <= kMaxChoices; ++i) {
    if (i == current || !ItemActive(i)) continue;
    const ChoiceItem& it = Item(i);
    int distance = 0;
    switch (direction) {
      case ItemDirection::kLeft:
        if (it.row != from.row || it.col >= from.col) continue;
        distance = from.col - it.col;
        break;
      case ItemDirection::kRight:
        if (it.row != from.row || it.col <= from.col) continue;
        distance = it.col - from.col;
        break;
      case ItemDirection::kDown:
        if (it.row <= from.row || !Overlaps(it, from)) continue;
        distance = it.row - from.row;
        break;
      case ItemDirection::kUp:
        if (it.row >= from.row || !Overlaps(it, from)) continue;
        distance = from.row - it.row;
        break;
    }
    // Strictly nearer only: on equal distances the item defined first stays.
    if (best == 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

int FirstActiveItem() {
  for (int i = 1; i <= Screen.win.choiceCount && i <= kMaxChoices; ++i)
    if (ItemActive(i)) return i;
  return 0;
}

int ItemForKey(int32_t key) {
  if (key <= 0) return 0;  // an item defined without a key character has no hot key
  if (key >= 'a' && key <= 'z') key = key - 'a' + 'A';
  for (int i = 1; i <= Screen.win.choiceCount && i <= kMaxChoices; ++i)
    if (ItemActive(i) && Item(i).keyCode == key) return i;
  return 0;
}

int ItemAtCell(int col, int row) {
  for (int i = 1; i <= Screen.win.choiceCount && i <= kMaxChoices; ++i) {
    if (!ItemActive(i)) continue;
    const ChoiceItem& it = Item(i);
    if (it.row == row && col >= it.col && col < it.col + it.width) return i;
  }
  return 0;
}

void CursorToItem(int item) {
  if (item < 1 || item > kMaxChoices) return;
  const ChoiceItem& it = Item(item);
  WindowState& w = Screen.win;
  if (it.row >= kScreenRows || it.col >= kScreenCols) return;
  w.cursorCol = it.col;
  w.cursorRow = it.row;
  CursorMoved();
}

void HighlightItem(int item) {
  WindowState& w = Screen.win;
  int old = w.CurrentChoice;
  w.CurrentChoice = static_cast<uint8_t>(item);
  RepaintItem(old);
  RepaintItem(item);
  if (item) CursorToItem(item);
}
