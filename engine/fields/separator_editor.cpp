// The editors with fixed separators: type 22 ("-"), the date of type 23
// ("/" placed at offsets 2 and 5, digits checked as month and day) and
// type 25 (a date without placing or checking).
#include <cstring>

#include "field_editors.h"
#include "local_mode.h"

namespace {

constexpr int32_t kBackslash = '\\';
constexpr int kDateSeparators[] = {2, 5};

bool DateType() { return Field.type == 23 || Field.type == 25; }
bool IsSeparator(int offset) { return offset >= 0 && offset < Field.width && Field.separator[offset]; }

// The cursor never rests on a separator: a move goes over the whole run.
void SkipRight() {
  while (IsSeparator(Field.offset)) ++Field.offset;
}

void MoveLeft() {
  const int before = Field.offset;
  --Field.offset;
  while (IsSeparator(Field.offset)) --Field.offset;
  if (Field.offset < 0) {
    Field.offset = before;
    EndField(11);
    return;
  }
  PlaceFieldCursor();
}

void MoveRight() {
  const int before = Field.offset;
  ++Field.offset;
  SkipRight();
  if (Field.offset >= Field.width) {
    Field.offset = before < Field.width ? before : Field.width;
    EndField(9);
    return;
  }
  PlaceFieldCursor();
}

int DigitAt(int offset) {
  uint8_t c = Field.text[offset];
  return c >= '0' && c <= '9' ? c - '0' : 0;
}

// Type 23 checks each digit against the month and day it builds.
bool DateDigitAllowed(int digit) {
  switch (Field.offset) {
    case 0: return digit <= 1;
    case 1: return DigitAt(0) * 10 + digit <= 12;
    case 3: return digit <= 3;
    case 4: return DigitAt(3) * 10 + digit <= 31;
    default: return true;
  }
}

bool Accepts(int32_t code) {
  const bool digit = code >= '0' && code <= '9';
  switch (Field.type) {
    case 22: return digit;
    case 23: return digit && DateDigitAllowed(code - '0');
    default: return code != '/';
  }
}

void TypeCharacter(int32_t code) {
  if (Field.offset >= Field.width || !Accepts(code)) {
    LocalBell();
    return;
  }
  if (Field.firstKey) {
    BlankField(true);
    Field.firstKey = false;
  }
  Field.text[Field.offset] = static_cast<uint8_t>(code);
  ++Field.offset;
  SkipRight();
  Field.modified = true;
  ShowField();
  PlaceFieldCursor();
  if (Field.autoExit && Field.offset >= Field.width) EndField(9);
}

}  // namespace

void StartSeparatorEditor() {
  Field.separatorChar = Field.type == 22 ? '-' : '/';
  if (Field.type == 23) {
    for (int at : kDateSeparators)
      if (at < Field.width) Field.text[at] = '/';
    std::memcpy(Field.start, Field.text, Field.width);
  }
  for (int i = 0; i < Field.width; ++i) Field.separator[i] = Field.text[i] == Field.separatorChar;
  if (Field.type == 23) ShowField();
  // The cursor never rests on a separator.
  while (IsSeparator(Field.offset)) ++Field.offset;
}

void SeparatorEditorKey(int32_t code) {
  switch (code) {
    case key::kBackspace:
    case key::kLeft: MoveLeft(); return;
    case key::kRight: MoveRight(); return;
    case key::kCtrlR:
      std::memcpy(Field.text, Field.start, Field.width);
      Field.offset = 0;
      while (IsSeparator(Field.offset)) ++Field.offset;
      Field.firstKey = false;
      ShowField();
      PlaceFieldCursor();
      return;
    case kBackslash:
      for (int i = Field.offset; i < Field.width; ++i)
        if (!Field.separator[i]) Field.text[i] = ' ';
      if (DateType()) Field.modified = true;
      ShowField();
      return;
    case key::kInsert:
    case key::kDelete:
    case key::kShiftInsert: LocalBell(); return;
    default: break;
  }
  if ((code == 'C' || code == 'c') && Field.type != 25) {
    Field.firstKey = true;
    BlankField(true);
    Field.modified = true;
    ShowField();
    return;
  }
  if (code >= 32 && code <= 255) TypeCharacter(code);
}
