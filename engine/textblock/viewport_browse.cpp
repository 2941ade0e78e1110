// Keyboard mode 2: the user slides a viewport (ESC V / ESC v) or the scrolling
// viewer's block (kind 5) sideways and ends with a key; one short reply names
// the key and the item.
#include "block_editors.h"
#include "edit_relay.h"
#include "engine_context.h"
#include "key_codes.h"
#include "line_store.h"
#include "local_mode.h"
#include "menu_selection.h"
#include "pick_items.h"
#include "reply_buffer.h"
#include "screen_model.h"
#include "text_block.h"
#include "viewport.h"

namespace {

constexpr int kBrowseMode = 2;
constexpr int kNoKind = -1;

struct BrowseState {
  bool active;
  bool block;   // the scrolling viewer of a kind-5 block
  int form;     // 0 from ESC V, 1 from ESC v and the viewer
  int offset;   // the viewer's first visible column
};
BrowseState V;

bool Still() { return V.active; }

void End(int code, int item, int kind = kNoKind) {
  if (kind != kNoKind) AppendByte(static_cast<uint8_t>(kind + 32));
  AppendByte(static_cast<uint8_t>(code + 32));
  AppendByte(static_cast<uint8_t>(item + 32));
  if (V.form == 1) AppendByte('\n');
  Flush();
  const bool block = V.block;
  V = BrowseState{};
  if (Screen.menuSelection) SetMenuSelection(false);
  ReleaseKeyboard();
  if (block) FinishTextBlock();
}

void Slide(int by) {
  if (V.block) {
    const int next = V.offset + by;
    if (next < 0 || next + TextBlock.width > LineStore.lineLength) return;
    V.offset = next;
    ShowBlockRows();
    return;
  }
  const WindowState& w = Screen.win;
  if (!w.vpBuffer) return;
  const int next = w.vpOffset + by;
  if (next < 0 || next + w.vpWidth > w.vpLineLength) return;
  ScrollViewportTo(next);
}

int EndingCode(int32_t code) {
  namespace key = keycode;
  if (code == key::kEscape) return 27;
  if (code >= key::kF1 && code <= key::kF12) return code - 875;
  switch (code) {
    case key::kDown: return 10;
    case key::kUp: return 26;
    case key::kPageUp: return 12;
    case key::kPageDown: return 14;
    case key::kHome: return 161;
    case key::kEnd: return 163;
    case key::kDdeRequest: return 153;
    case key::kNoViewWindow: return 154;
    default: return -1;
  }
}

void HandleKey(int32_t code) {
  namespace key = keycode;
  const int current = Screen.win.CurrentChoice;
  if (code == key::kAltAlone) {
    SetMenuSelection(!Screen.menuSelection);
    return;
  }
  if (Screen.menuSelection) {
    if (code == key::kEscape) {
      SetMenuSelection(false);
      return;
    }
    if (int item = MenuSelectionChoice(code)) {
      End(0, item);
      return;
    }
    if (code < 1000 || code <= key::kRight || code == key::kMouseEvent) return;
  }
  if (code >= key::kAltBase) {
    if (int item = ItemForKey(code - key::kAltBase)) End(0, item);
    return;
  }
  switch (code) {
    case key::kLeft: Slide(-1); return;
    case key::kRight: Slide(1); return;
    case key::kHostEot:
      AppendByte('&');
      AppendByte(' ');
      if (V.form == 1) AppendByte('\n');
      return;
    case key::kEditEvent:
      if (V.form == 1) {
        if (int session = TakeEditEventSession()) End(157, current, session);
      }
      return;
    default:
      break;
  }
  const int ending = EndingCode(code);
  if (ending >= 0) End(ending, current);
}

void Begin(bool block, int form) {
  V = BrowseState{};
  V.active = true;
  V.block = block;
  V.form = form;
  MarkHostBusy();
  TakeKeyboard(BrowseKey, kBrowseMode);
}

}  // namespace

int BrowseKey(int32_t code) {
  if (Still()) HandleKey(code);
  FinishKey();
  return 1;
}

int BlockViewOffset() { return V.block ? V.offset : 0; }

void StartHostBrowse(bool lowerForm) {
  Begin(false, lowerForm ? 1 : 0);
  ReplayTypeAhead(BrowseKey, Still);
  FinishKey();
}

void StartBlockViewer() {
  Begin(true, 1);
  PlaceBlockCursor();
  DeliverBlockStartInput(BrowseKey, Still);
  FinishKey();
}

void AbandonBrowse(bool release) {
  if (!V.active) return;
  V = BrowseState{};
  if (Screen.menuSelection) SetMenuSelection(false);
  if (release) ReleaseKeyboard();
}
