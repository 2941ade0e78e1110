#include "pick_list.h"

#include "edit_relay.h"
#include "engine_context.h"
#include "local_mode.h"
#include "pick_items.h"
#include "render_notify.h"
#include "reply_buffer.h"
#include "screen_model.h"

PickSelectionState PickSelection;

namespace {

constexpr int kPickListMode = 1;
constexpr int kNoKind = -1;

bool SelectionActive() { return PickSelection.active && !PickSelection.waitingMessage; }

// The reply: [kind + 32] code + 32, item + 32, and LF for form 1. Then the
// keyboard goes back to normal; the busy flag stays until the host is ready.
void EndSelection(int code, int item, int kind = kNoKind) {
  if (kind != kNoKind) AppendByte(static_cast<uint8_t>(kind + 32));
  AppendByte(static_cast<uint8_t>(code + 32));
  AppendByte(static_cast<uint8_t>(item + 32));
  if (PickSelection.form == 1) AppendByte('\n');
  Flush();
  WindowState& w = Screen.win;
  int old = w.CurrentChoice;
  w.CurrentChoice = 0;
  RepaintItem(old);
  PickSelection.active = false;
  PickSelection.waitingMessage = false;
  ReleaseKeyboard();
  Engine.keyboard->SetLocalCaret(false);
}

void EndWithCurrent(int code) { EndSelection(code, Screen.win.CurrentChoice); }

void MessageDelivered() {
  if (PickSelection.active && PickSelection.waitingMessage) {
    PickSelection.waitingMessage = false;
    EndWithCurrent(154);
  }
}

// Move the highlight; at an edge a navigation-only selection ends.
void Navigate(ItemDirection direction, int edgeCode) {
  int current = Screen.win.CurrentChoice;
  int next = NearestItem(current, direction);
  if (next) {
    HighlightItem(next);
  } else if (edgeCode && PickSelection.mode != 0) {
    EndWithCurrent(edgeCode);
  }
}

// The codes that end a selection straight away, 0 when the key is not one.
int EndingCode(int32_t code) {
  if (code == key::kEnter) return 13;
  if (code == key::kEscape) return 27;
  if (code >= key::kF1 && code <= key::kCtrlF12) return code - 911;
  if (code >= key::kAltF1 && code <= key::kAltF12) return code - 935;
  switch (code) {
    case key::kPageUp: return 12;
    case key::kPageDown: return 14;
    case key::kShiftHome: return 2;
    case key::kShiftEnd: return 3;
    case key::kDdeRequest: return 153;
    case key::kExitKey1075:
    case key::kAltDelete:
    case key::kExitKey2171: return 5;
    case key::kHostEot: return 6;
    default: return 0;
  }
}

void MouseClick() {
  int values[5] = {0, 0, 0, 0, 0};
  Engine.keyboard->LastMouseEvent(values);
  int item = ItemAtCell(values[1], values[2]);
  if (item) EndSelection(13, item);
}

// The events only the second form carries.
void PcMessage() {
  if (!SendPcMessage()) return;
  // The selection is left while the message shows: keys typed meanwhile
  // wait in the type-ahead queue (the host is still busy).
  PickSelection.waitingMessage = true;
  ReleaseKeyboard();
  SetMessageDoneHandler(MessageDelivered);
  Engine.keyboard->DeliverPcMessage();
}

void BrowseRequest() {
  int code = 0;
  if (SendBrowseRequest(&code)) EndWithCurrent(code);
}

void EditWindowEvent() {
  if (int session = TakeEditEventSession()) EndSelection(157, Screen.win.CurrentChoice, session);
}

void HotKey(int32_t code) {
  if (PickSelection.mode != 0) return;
  int32_t keyCode = code >= key::kAltBase ? code - key::kAltBase : code;
  int item = ItemForKey(keyCode);
  if (item) EndSelection(0, item);
}

void HandleKey(int32_t code) {
  const int current = Screen.win.CurrentChoice;
  switch (code) {
    case key::kDown:
      if (!current) {
        if (int first = FirstActiveItem()) HighlightItem(first);
      } else {
        Navigate(ItemDirection::kDown, 14);
      }
      return;
    case key::kUp:
      if (current) Navigate(ItemDirection::kUp, 12);
      return;
    case key::kLeft:
      if (current) Navigate(ItemDirection::kLeft, 0);
      return;
    case key::kRight:
      if (!current) {
        if (int first = FirstActiveItem()) HighlightItem(first);
      } else {
        Navigate(ItemDirection::kRight, 0);
      }
      return;
    case key::kMouseEvent:
      MouseClick();
      return;
    case key::kMessageArrived:
      if (PickSelection.form == 1) PcMessage();
      return;
    case key::kItemQueued:
      if (PickSelection.form == 1) BrowseRequest();
      return;
    case key::kEditEvent:
      if (PickSelection.form == 1) EditWindowEvent();
      return;
    default:
      break;
  }
  if (int ending = EndingCode(code)) {
    EndWithCurrent(ending);
    return;
  }
  // Items may carry the Insert and Delete keys; the rest of the special
  // keys below the Alt range mean nothing here.
  if (code < 1000 || code >= key::kAltBase || code == key::kInsert || code == key::kDelete) HotKey(code);
}

}  // namespace

void ResetPickSelection() { PickSelection = PickSelectionState{}; }

int PickListKey(int32_t code) {
  if (SelectionActive()) HandleKey(code);
  FinishKey();
  return 1;
}

void PickLists::DefineItem(const uint8_t p[4], const char* key) { DefineChoiceItem(p, key); }

void PickLists::SetItemCount(uint8_t count) { SetChoiceCount(count); }

void PickLists::StartSelection(uint8_t current, uint8_t mode, bool lowerForm) {
  WindowState& w = Screen.win;
  Engine.keyboard->SetLocalCaret(true);
  int choice = current < 32 ? 0 : current - 32;
  if (choice > w.choiceCount) choice = w.choiceCount;
  w.CurrentChoice = static_cast<uint8_t>(choice);
  PickSelection.mode = mode - 32;
  PickSelection.form = lowerForm ? 1 : 0;
  PickSelection.waitingMessage = false;
  for (int i = 1; i <= w.choiceCount && i <= kMaxChoices; ++i) MarkItem(i);
  if (w.choiceCount > 0) CursorToItem(choice ? choice : 1);
  PickSelection.active = true;
  MarkHostBusy();
  TakeKeyboard(PickListKey, kPickListMode);
  ReplayTypeAhead(PickListKey, SelectionActive);
  DeliverPendingEvents(PickListKey, SelectionActive);
  FinishKey();
}

void PickLists::Abandon() {
  if (PickSelection.active) {
    int old = Screen.win.CurrentChoice;
    Screen.win.CurrentChoice = 0;
    RepaintItem(old);
  }
  ResetPickSelection();
}
