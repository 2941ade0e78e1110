// The plain text editor of types 0, 21 and 26 (and of types without an
// editor of their own).
#include <cstring>

#include "field_editors.h"
#include "local_mode.h"

namespace {

constexpr int32_t kBackslash = '\\';

void TypeCharacter(uint8_t ch) {
  const int w = Field.width;
  if (Field.offset >= w) {
    LocalBell();
    return;
  }
  if (Field.blankEnds && ch == ' ') {
    EndField(32);
    return;
  }
  if (Field.firstKey) {
    BlankField(false);
    Field.firstKey = false;
  }
  if (Field.insert && Field.offset < w - 1)
    std::memmove(Field.text + Field.offset + 1, Field.text + Field.offset, w - Field.offset - 1);
  Field.text[Field.offset] = ch;
  ++Field.offset;
  Field.modified = true;
  ShowField();
  PlaceFieldCursor();
  if (Field.autoExit && Field.offset >= w) EndField(9);
}

void DeleteAtCursor() {
  const int w = Field.width;
  if (Field.offset >= w) return;
  std::memmove(Field.text + Field.offset, Field.text + Field.offset + 1, w - Field.offset - 1);
  Field.text[w - 1] = ' ';
  ShowField();
}

int EndOfText() {
  int n = Field.width;
  while (n > 0 && Field.text[n - 1] == ' ') --n;
  if (n > Field.width - 1) n = Field.width - 1;
  return n < 0 ? 0 : n;
}

}  // namespace

void PlainEditorKey(int32_t code) {
  const int w = Field.width;
  if (code >= 32 && code <= 255 && code != kBackslash) {
    TypeCharacter(static_cast<uint8_t>(code));
    return;
  }
  switch (code) {
    case key::kBackspace:
      if (Field.offset > 0) {
        --Field.offset;
        Field.text[Field.offset] = ' ';
        ShowField();
      }
      break;
    case key::kDelete:
      DeleteAtCursor();
      Field.firstKey = false;
      break;
    case kBackslash:
      for (int i = Field.offset; i < w; ++i) Field.text[i] = ' ';
      ShowField();
      Field.firstKey = false;
      break;
    case key::kCtrlR:
      std::memcpy(Field.text, Field.start, w);
      Field.offset = 0;
      Field.modified = false;
      Field.firstKey = false;
      ShowField();
      break;
    case key::kLeft:
      if (Field.offset == 0) {
        EndField(11);
        return;
      }
      --Field.offset;
      Field.firstKey = false;
      break;
    case key::kRight:
      if (Field.offset >= w - 1) {
        EndField(9);
        return;
      }
      ++Field.offset;
      Field.firstKey = false;
      break;
    case key::kHome:
      if (w >= 2) Field.offset = 0;
      Field.firstKey = false;
      break;
    case key::kEnd:
      Field.offset = EndOfText();
      Field.firstKey = false;
      break;
    case key::kInsert:
      Field.insert = !Field.insert;
      Field.firstKey = false;
      break;
    default:
      return;
  }
  PlaceFieldCursor();
}
