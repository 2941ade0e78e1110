#include "text_numbering.h"

#include "line_store.h"
#include "text_block.h"

namespace {

bool Continues(int line) {
  if (line <= 0 || line >= LineStore.lineCount) return false;
  uint8_t* text = LineStore.LineAt(line);
  return text && LineFlag(text) == kLineContinues;
}

}  // namespace

int GroupStart(int line) {
  if (TextBlock.kind != kBlockNumbered) return line;
  while (Continues(line)) --line;
  LineStore.UnlockAll();
  return line;
}

int RecordNumber(int line) {
  if (TextBlock.kind != kBlockNumbered) return line + 1;
  int number = 0;
  const int last = line < LineStore.lineCount ? line : LineStore.lineCount - 1;
  for (int i = 0; i <= last; ++i)
    if (!Continues(i)) ++number;
  // Lines past the stored ones count one each.
  if (line > last) number += line - last;
  LineStore.UnlockAll();
  return number;
}

int GroupLength(int first) {
  int n = 1;
  if (TextBlock.kind == kBlockNumbered)
    while (Continues(first + n)) ++n;
  LineStore.UnlockAll();
  return n;
}
