#include "input_field.h"

#include <cstring>

#include "cell_primitives.h"
#include "engine_context.h"
#include "field_editors.h"
#include "glyph_table.h"
#include "local_mode.h"
#include "menu_selection.h"
#include "edit_relay.h"
#include "pick_items.h"
#include "render_notify.h"
#include "reply_buffer.h"
#include "screen_model.h"
#include "viewport.h"

InputFieldState Field;

namespace {

constexpr uint8_t kFieldClass = 3;
constexpr int kEditTimer = 5;
constexpr int kNoEditingType = 27;
constexpr uint8_t kHighestExitKey = 255 - 32;

struct TypeInfo {
  FieldEditor editor;
  int mode;
};

// The editor and keyboard-mode number of a field type. Types without an
// editor of their own (24, and anything the host sends beyond 27) edit as
// plain text, so the user can still finish the field and the host gets what
// was typed.
TypeInfo EditorOfType(int t) {
  if (t >= 1 && t <= 10) return {FieldEditor::kNumeric, 7};
  if (t >= 11 && t <= 20) return {FieldEditor::kNumeric, 6};
  switch (t) {
    case 21: return {FieldEditor::kPlain, 8};
    case 22: return {FieldEditor::kSeparator, 5};
    case 23: return {FieldEditor::kSeparator, 3};
    case 25: return {FieldEditor::kSeparator, 4};
    case kNoEditingType: return {FieldEditor::kNoEditing, 9};
    default: return {FieldEditor::kPlain, 9};
  }
}

bool FieldStill() { return Field.active && !Field.waitingMessage; }

bool OnViewportRow(int row) {
  const WindowState& w = Screen.win;
  return w.vpBuffer != 0 && w.vpLineLength > 0 && row >= w.vpRow && row < w.vpRow + w.vpHeight;
}

// Give the field's cells their classes back (a field replaced or ended).
void RestoreClasses() {
  for (int i = 0; i < Field.width; ++i) CellAt(Field.col + i, Field.row)->attrClass = Field.classes[i];
  if (Field.width > 0) InvalidateCells(Field.col, Field.row, Field.width, 1);
}

int TrimmedLength() {
  int n = Field.width;
  while (n > 0 && Field.text[n - 1] == ' ') --n;
  return n;
}

void MessageDelivered() {
  if (Field.active && Field.waitingMessage) {
    Field.waitingMessage = false;
    EndField(154, Screen.win.CurrentChoice);
  }
}

// ---- Start -------------------------------------------------------------

struct Geometry {
  int col, row, width;
  bool viewport;  // col is in line-buffer terms
};

Geometry FieldGeometry(const uint8_t p[5]) {
  const WindowState& w = Screen.win;
  Geometry g{};
  g.row = p[1] >= 32 ? w.winTop + (p[1] - 32) : w.cursorRow;
  if (g.row > w.winBottom) g.row = w.winBottom;
  if (g.row >= kWorkRows) g.row = kWorkRows - 1;
  g.col = p[0] >= 32 ? w.winLeft + (p[0] - 32) : w.cursorCol;
  if (g.col < 0) g.col = 0;
  int limit = w.winRight;
  if (OnViewportRow(g.row)) {
    if (g.col < w.vpCol) {
      limit = w.vpCol - 1;
    } else {
      limit = w.vpCol + w.vpLineLength - 1;
      g.viewport = true;
    }
  }
  if (g.col > limit) g.col = limit < 0 ? 0 : limit;
  int room = limit - g.col + 1;
  g.width = p[2] < 32 ? room : p[2] - 32;
  if (g.width > room) g.width = room;
  if (g.width < 0) g.width = 0;
  // The field buffer holds 80 characters; a viewport line can be longer.
  if (g.width > kFieldBufferSize) g.width = kFieldBufferSize;
  return g;
}

// Scroll the viewport so that the whole field shows, and turn its column
// into a screen column. A field wider than the viewport is cut to it: only
// what shows on the screen can be edited there.
void BringIntoView(Geometry* g) {
  WindowState& w = Screen.win;
  if (g->width > w.vpWidth) g->width = w.vpWidth < 0 ? 0 : w.vpWidth;
  int k = g->col - w.vpCol;
  int offset = w.vpOffset;
  if (k < offset) offset = k;
  if (k + g->width > offset + w.vpWidth) offset = k + g->width - w.vpWidth;
  if (offset != w.vpOffset) ScrollViewportTo(offset);
  g->col = w.vpCol + k - w.vpOffset;
  // Whatever the offset became, the field stays within the visible columns.
  if (g->col < w.vpCol) g->col = w.vpCol;
  int right = w.vpCol + w.vpWidth;
  if (g->col + g->width > right) g->width = right - g->col;
  if (g->width < 0) g->width = 0;
}

void BeginField(const uint8_t p[5], const char* text, bool lowerForm) {
  Geometry g = FieldGeometry(p);
  if (g.viewport) BringIntoView(&g);
  // Never past the grid, whatever the window and viewport records say.
  if (g.col >= kScreenCols) g.col = kScreenCols - 1;
  if (g.col + g.width > kScreenCols) g.width = kScreenCols - g.col;

  Field.active = true;
  Field.waitingMessage = false;
  Field.col = g.col;
  Field.row = g.row;
  Field.width = g.width;
  int offset = p[3] - 32;
  if (offset > g.width - 1) offset = g.width - 1;
  if (offset < 0) offset = 0;
  Field.offset = Field.hostOffset = offset;
  Field.autoExit = p[4] - 32 == 1;
  Field.form = lowerForm ? 1 : 0;
  Field.modified = false;
  Field.firstKey = offset == 0;

  const uint8_t typeByte = static_cast<uint8_t>(text[0]);
  Field.type = typeByte - 32;
  TypeInfo info = EditorOfType(Field.type);
  Field.editor = info.editor;
  Field.blankEnds = Field.type == 21;
  Field.exitKeyCount = 0;
  if (typeByte) {
    // The reply carries the code as one byte (code + 32): an exit key above
    // 223 cannot be told to the host, so it stays an ordinary key.
    for (const char* k = text + 1; *k && Field.exitKeyCount < kMaxExitKeys; ++k)
      if (static_cast<uint8_t>(*k) <= kHighestExitKey) Field.exitKeys[Field.exitKeyCount++] = static_cast<uint8_t>(*k);
  }

  for (int i = 0; i < Field.width; ++i) {
    Cell* cell = CellAt(Field.col + i, Field.row);
    Field.classes[i] = cell->attrClass;
    cell->attrClass = kFieldClass;
    Field.text[i] = cell->glyph;
  }
  std::memcpy(Field.start, Field.text, Field.width);
  std::memset(Field.separator, 0, sizeof Field.separator);
  if (Field.width > 0) InvalidateCells(Field.col, Field.row, Field.width, 1);

  if (Field.editor == FieldEditor::kNumeric) StartNumericEditor();
  if (Field.editor == FieldEditor::kSeparator) StartSeparatorEditor();
  PlaceFieldCursor();

  Field.localEditing = Field.type == 26;
  if (Field.localEditing) Engine.keyboard->SetLocalEditing(true);
  MarkHostBusy();
  TakeKeyboard(InputFieldKey, info.mode);
  DeliverPendingEvents(InputFieldKey, FieldStill);
  if (FieldStill()) InputFieldKey(key::kFieldStarted);
  ReplayTypeAhead(InputFieldKey, FieldStill);
  FinishKey();
}

// ---- Keys common to every type ---------------------------------------

bool EventsBlocked() { return Field.eventBlock || Field.hiddenInput; }

void HostAbort() {
  static const char kAbort[] = "&   ";
  if (Field.form == 0) AppendByte('\n');
  AppendString(kAbort);
  if (Field.form == 1) AppendByte('\n');
  Flush();
}

// The menu selection over the screen's pick-list items; true when the key
// was taken.
bool MenuSelectionKey(int32_t code) {
  const bool on = Screen.menuSelection != 0;
  if (code == key::kAltAlone) {
    SetMenuSelection(!on);
    return true;
  }
  if (code >= key::kAltBase) {
    if (int item = ItemForKey(code - key::kAltBase)) {
      EndField(0, item);
      return true;
    }
  }
  if (!on) return false;
  if (code == key::kEscape) {
    SetMenuSelection(false);
    return true;
  }
  // While choosing, characters, arrows, Enter and clicks do not reach the
  // editor.
  const bool choosing = code < 1000 || (code >= key::kDown && code <= key::kRight) || code == key::kMouseEvent;
  if (!choosing) return false;
  if (int item = MenuSelectionChoice(code)) EndField(0, item);
  return true;
}

bool EventKey(int32_t code) {
  if (code != key::kMessageArrived && code != key::kItemQueued && code != key::kEditEvent) return false;
  if (EventsBlocked() || Field.form != 1) return true;
  if (code == key::kMessageArrived) {
    if (SendPcMessage()) {
      // The field is left while the message shows: keys typed meanwhile
      // wait in the type-ahead queue (the host is still busy).
      Field.waitingMessage = true;
      ReleaseKeyboard();
      SetMessageDoneHandler(MessageDelivered);
      Engine.keyboard->DeliverPcMessage();
    }
  } else if (code == key::kItemQueued) {
    int ending = 0;
    if (SendBrowseRequest(&ending)) EndField(ending, Screen.win.CurrentChoice);
  } else {
    if (int session = TakeEditEventSession()) EndField(157, Screen.win.CurrentChoice, session);
  }
  return true;
}

bool MouseKey(int32_t code) {
  if (code != key::kMouseEvent) return false;
  int values[5] = {0, 0, 0, 0, 0};
  Engine.keyboard->LastMouseEvent(values);
  const WindowState& w = Screen.win;
  if (values[1] >= w.winLeft && values[1] <= w.winRight && values[2] >= w.winTop && values[2] <= w.winBottom)
    EndField(16);
  return true;
}

bool ExitKey(int32_t code) {
  if (code < 0 || code > 255) return false;
  for (int i = 0; i < Field.exitKeyCount; ++i) {
    if (Field.exitKeys[i] == code) {
      EndField(code);
      return true;
    }
  }
  return false;
}

// The ending keys; true when the field ended.
bool EndingKey(int32_t code) {
  const bool restricted = Screen.menuSelection != 0 || code >= key::kAltBase;
  if (restricted) {
    if (code >= key::kF1 && code <= key::kF12) code += key::kAltF1 - key::kF1;
    if (code >= key::kAltF1 && code <= key::kAltF12) {
      EndField(1, code - 911);
      return true;
    }
    if (code == key::kDdeRequest) {
      EndField(153);
      return true;
    }
    return false;
  }
  int ending = -1;
  int item = 0;
  if (code >= key::kF1 && code <= key::kShiftF12) {
    ending = code - 875;
  } else if (code >= key::kCtrlF1 && code <= key::kCtrlF12) {
    ending = 1;
    item = code - 887;
  } else if (code >= key::kAltF1 && code <= key::kAltF12) {
    ending = 1;
    item = code - 911;
  } else {
    switch (code) {
      case key::kEnter: ending = 13; break;
      case key::kTab: ending = 9; break;
      case key::kEscape: ending = 27; break;
      case key::kDown: ending = 10; break;
      case key::kUp: ending = 26; break;
      case key::kPageUp: ending = 12; break;
      case key::kPageDown: ending = 14; break;
      case key::kShiftHome: ending = 2; break;
      case key::kShiftEnd: ending = 3; break;
      case key::kShiftPageUp: ending = 28; break;
      case key::kShiftPageDown: ending = 30; break;
      case key::kShiftInsert: ending = 4; break;
      case key::kShiftDelete: ending = 5; break;
      case key::kShiftTab: ending = 11; break;
      case key::kDdeRequest: ending = 153; break;
      case key::kF13: ending = 15; break;
      default: return false;
    }
  }
  EndField(ending, item);
  return true;
}

void HandleKey(int32_t code) {
  if (MenuSelectionKey(code)) return;
  if (code == key::kHostEot) {
    HostAbort();
    return;
  }
  if (EventKey(code) || MouseKey(code) || ExitKey(code) || EndingKey(code)) return;
  if (code >= key::kAltBase) return;
  switch (Field.editor) {
    case FieldEditor::kPlain: PlainEditorKey(code); break;
    case FieldEditor::kNumeric: NumericEditorKey(code); break;
    case FieldEditor::kSeparator: SeparatorEditorKey(code); break;
    case FieldEditor::kNoEditing:
      if (code == key::kFieldStarted) EndField(13);
      break;
  }
}

}  // namespace

// ---- Shared with the editors ------------------------------------------

void ShowField() {
  for (int i = 0; i < Field.width; ++i) {
    Cell* cell = CellAt(Field.col + i, Field.row);
    uint8_t ch = Field.text[i];
    cell->glyph = Field.hiddenInput && ch != ' ' && !Field.separator[i] ? '*' : GlyphTable[ch];
    cell->attrClass = kFieldClass;
  }
  if (Field.width > 0) InvalidateCells(Field.col, Field.row, Field.width, 1);
}

void PlaceFieldCursor() {
  Screen.win.cursorCol = static_cast<int16_t>(Field.col + Field.offset);
  Screen.win.cursorRow = static_cast<uint8_t>(Field.row);
  CursorMoved();
}

void BlankField(bool keepSeparators) {
  for (int i = 0; i < Field.width; ++i)
    if (!(keepSeparators && Field.separator[i])) Field.text[i] = ' ';
}

void EndField(int code, int item, int kind) {
  if (!Field.active) return;
  if (Field.editor == FieldEditor::kNumeric) FinishNumericEntry();
  Field.insert = false;
  if (Screen.menuSelection) SetMenuSelection(false);
  RestoreClasses();

  const int length = TrimmedLength();
  AppendBytes(Field.text, length);
  if (Field.form == 0) AppendByte('\n');
  if (kind != kNoKind) AppendByte(static_cast<uint8_t>(kind + 32));
  AppendByte(static_cast<uint8_t>(code + 32));
  AppendByte(static_cast<uint8_t>(item + 32));
  AppendByte(static_cast<uint8_t>(Field.offset + 32));
  AppendByte(Field.modified ? '!' : ' ');
  if (Field.form == 1) AppendByte('\n');
  Flush();

  Field.active = false;
  Field.waitingMessage = false;
  ReleaseKeyboard();
  Field.hiddenInput = false;
  Engine.shell->StopTimer(kEditTimer);
  if (Field.localEditing) {
    Field.localEditing = false;
    Engine.keyboard->SetLocalEditing(false);
  }
}

// ---- Entry points --------------------------------------------------------

void ResetInputField() {
  std::memset(&Field, 0, sizeof Field);
}

int InputFieldKey(int32_t code) {
  if (FieldStill()) HandleKey(code);
  FinishKey();
  return 1;
}

bool InputFieldHidesInput() { return Field.active && Field.hiddenInput; }

void InputFields::StartField(const uint8_t p[5], const char* text, bool lowerForm) {
  // A new field replaces one in progress, which ends without a reply.
  if (Field.active) {
    RestoreClasses();
    if (Field.localEditing) Engine.keyboard->SetLocalEditing(false);
    Field.active = false;
  }
  BeginField(p, text, lowerForm);
}

void InputFields::SetEditorFlag(char which) {
  if (which == 'E') Field.hiddenInput = true;
  if (which == 'm') Field.eventBlock = true;
  if (which == 'M') Field.eventBlock = false;
}

void InputFields::Abandon() {
  if (Field.active) {
    RestoreClasses();
    if (Field.localEditing) Engine.keyboard->SetLocalEditing(false);
  }
  ResetInputField();
}
