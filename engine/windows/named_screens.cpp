#include "named_screens.h"

#include <cstring>

#include "block_store.h"
#include "cell_primitives.h"
#include "engine_context.h"
#include "render_notify.h"
#include "saved_windows.h"
#include "whandler.h"
#include "window_placement.h"

namespace {

constexpr uint32_t kTitleBytes = sizeof(WindowState::userScreenTitles);
static_assert(kTitleBytes == 410, "ten titles of 41 bytes");
constexpr uint8_t kNoItemsCount = 32;  // the host byte for a count of 0

NamedScreenStore InitialStore() {
  NamedScreenStore s{};
  for (int i = 0; i < kNamedScreens; ++i) {
    s.records[i].next = static_cast<int16_t>(i + 1 < kNamedScreens ? i + 1 : kNoRecord);
    s.records[i].previous = static_cast<int16_t>(i - 1);
  }
  s.head = 0;
  s.tail = kNamedScreens - 1;
  s.scratch.next = s.scratch.previous = kNoRecord;
  return s;
}

// Names reach us NUL-terminated from the parameter buffer; measure at most
// one more than a record can hold.
size_t BoundedLength(const char* name) {
  size_t n = 0;
  while (n <= static_cast<size_t>(kNamedScreenNameMax) && name[n]) ++n;
  return n;
}

void Unlink(int i) {
  NamedScreenStore& s = NamedScreens;
  NamedScreenRecord& r = s.records[i];
  if (r.previous != kNoRecord)
    s.records[r.previous].next = r.next;
  else
    s.head = r.next;
  if (r.next != kNoRecord)
    s.records[r.next].previous = r.previous;
  else
    s.tail = r.previous;
  r.next = r.previous = kNoRecord;
}

void MoveToHead(int i) {
  NamedScreenStore& s = NamedScreens;
  if (s.head == i) return;
  Unlink(i);
  NamedScreenRecord& r = s.records[i];
  r.next = s.head;
  r.previous = kNoRecord;
  if (s.head != kNoRecord) s.records[s.head].previous = static_cast<int16_t>(i);
  s.head = static_cast<int16_t>(i);
  if (s.tail == kNoRecord) s.tail = static_cast<int16_t>(i);
}

// Copy a record's saved fields, keeping the target's list links.
void CopyContentFields(NamedScreenRecord& to, const NamedScreenRecord& from) {
  const int16_t next = to.next, previous = to.previous;
  to = from;
  to.next = next;
  to.previous = previous;
}

int FindRecord(const char* name) {
  const size_t length = BoundedLength(name);
  if (length == 0 || length > static_cast<size_t>(kNamedScreenNameMax)) return kNoRecord;
  for (int i = 0; i < kNamedScreens; ++i) {
    const NamedScreenRecord& r = NamedScreens.records[i];
    if (r.name[0] && std::memcmp(r.name, name, length + 1) == 0) return i;
  }
  return kNoRecord;
}

struct Interior {
  int col, row, width, height;
};

// The current text window; false when it is not a rectangle on the screen.
bool CurrentInterior(Interior& in) {
  const WindowState& w = Screen.win;
  in = Interior{w.winLeft, w.winTop, w.winRight - w.winLeft + 1, w.winBottom - w.winTop + 1};
  return in.width >= 1 && in.height >= 1 && in.col + in.width <= kScreenCols && in.row + in.height <= kScreenRows;
}

void BlankWindow() {
  Interior in;
  if (!CurrentInterior(in)) return;
  ClearWindow(in.col, in.row, in.width, in.height, CurrentAttribute(), false);
}

void SwitchItemsOff() {
  Engine.pickLists->SetItemCount(kNoItemsCount);
  Screen.win.choiceCount = 0;
}

}  // namespace

NamedScreenStore NamedScreens = InitialStore();

void ResetNamedScreens() { NamedScreens = InitialStore(); }

bool FindNamedScreen(const char* name) {
  const int i = FindRecord(name);
  if (i == kNoRecord) return false;
  CopyContentFields(NamedScreens.scratch, NamedScreens.records[i]);
  MoveToHead(i);
  return true;
}

void RememberNamedScreen(const char* name) {
  NamedScreenRecord& s = NamedScreens.scratch;
  const size_t length = BoundedLength(name);
  Interior in;
  if (length > static_cast<size_t>(kNamedScreenNameMax) || !CurrentInterior(in)) {
    s.name[0] = 0;
    return;
  }
  std::memcpy(s.name, name, length + 1);
  s.col = static_cast<uint8_t>(in.col);
  s.row = static_cast<uint8_t>(in.row);
  s.width = static_cast<uint8_t>(in.width);
  s.height = static_cast<uint8_t>(in.height);
  s.style = Screen.win.windowStyle;
  std::memcpy(s.borders, Screen.win.borders, sizeof s.borders);
  s.content = 0;
}

bool RestoreNamedScreenContent() {
  const NamedScreenRecord& s = NamedScreens.scratch;
  Interior in;
  if (!s.name[0] || !CurrentInterior(in) || in.col != s.col || in.row != s.row || in.width != s.width ||
      in.height != s.height)
    return false;
  _whandler_windows block;
  if (!block.Attach(s.content) || block.Size() != kTitleBytes + static_cast<uint32_t>(in.width) * in.height)
    return false;
  WindowState& w = Screen.win;
  block.Read(w.userScreenTitles, kTitleBytes);
  for (auto& title : w.userScreenTitles) title[kUserScreenTitleSize - 1] = 0;
  const CellAttribute a = CurrentAttribute();
  uint8_t glyphs[kScreenCols];
  for (int row = in.row; row < in.row + in.height; ++row) {
    block.Read(glyphs, static_cast<uint32_t>(in.width));
    for (int i = 0; i < in.width; ++i) {
      Cell* c = CellAt(in.col + i, row);
      c->glyph = glyphs[i];
      c->attrClass = a.attrClass;
      c->level = a.level;
      c->choice = a.choice;
    }
  }
  InvalidateFrame();
  return true;
}

bool NamedScreenOpen(const char* name) {
  if (!FindNamedScreen(name)) return false;
  const NamedScreenRecord& s = NamedScreens.scratch;
  WindowPlacement w{};
  w.col = s.col;
  w.row = s.row;
  w.width = s.width;
  w.height = s.height;
  w.style = s.style;
  std::memcpy(w.borders, s.borders, sizeof w.borders);
  FitPlacement(w, false);
  // A window that cannot be opened cannot show the screen: the host must
  // draw it itself.
  if (!OpenSavedWindow(w, false)) return false;
  // A record that no longer fits the screen is not shown in a window of
  // another size: the window goes again and the host draws its screen.
  if (!RestoreNamedScreenContent()) {
    CloseOneWindowStep();
    return false;
  }
  return true;
}

bool NamedScreenCheckClear(const char* name) {
  SwitchItemsOff();
  if (FindNamedScreen(name) && RestoreNamedScreenContent()) return true;
  RememberNamedScreen(name);
  BlankWindow();
  std::memset(Screen.win.userScreenTitles, 0, sizeof Screen.win.userScreenTitles);
  return false;
}

bool NamedScreenLoad(const char* name) {
  if (FindNamedScreen(name) && RestoreNamedScreenContent()) return true;
  RememberNamedScreen(name);
  return false;
}

void NamedScreenSave() {
  NamedScreenStore& store = NamedScreens;
  NamedScreenRecord& s = store.scratch;
  if (!s.name[0]) return;
  if (s.width < 1 || s.height < 1 || s.col + s.width > kScreenCols || s.row + s.height > kScreenRows) {
    s.name[0] = 0;
    return;
  }
  _whandler_windows block;
  if (!block.Allocate(kTitleBytes + static_cast<uint32_t>(s.width) * s.height)) {
    s.name[0] = 0;
    Engine.shell->FailureNotice();
    return;
  }
  block.Write(Screen.win.userScreenTitles, kTitleBytes);
  uint8_t glyphs[kScreenCols];
  for (int row = s.row; row < s.row + s.height; ++row) {
    for (int i = 0; i < s.width; ++i) glyphs[i] = CellAt(s.col + i, row)->glyph;
    block.Write(glyphs, s.width);
  }
  // A name saved again replaces its older screen, which would otherwise be
  // found first for ever; a new name takes the least recently used record.
  int taken = FindRecord(s.name);
  if (taken == kNoRecord) taken = store.tail;
  NamedScreenRecord& r = store.records[taken];
  FreeBlock(r.content);
  r.name[0] = 0;
  s.content = block.Handle();
  CopyContentFields(r, s);
  MoveToHead(taken);
}

void DiscardAllNamedScreens() {
  NamedScreenStore& store = NamedScreens;
  for (int i = store.tail; i != kNoRecord; i = store.records[i].previous) {
    NamedScreenRecord& r = store.records[i];
    if (!r.content) continue;
    FreeBlock(r.content);
    r.content = 0;
    r.name[0] = 0;
  }
  store.scratch.content = 0;
}
