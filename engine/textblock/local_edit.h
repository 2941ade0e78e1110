// Local edit mode: the user edits the block's lines on the screen; every
// change becomes a record for the host, sent when an ending key ends the edit.
#pragma once

#include <cstdint>

constexpr int kLocalEditMode = 11;
constexpr int kFindPromptMode = 12;
constexpr int kFindTextSize = 80;

struct LocalEditState {
  bool active;
  bool insert;
  bool altPrefix;      // 1070 came: the next letter is its Alt form
  int changedGroup;    // first line of the changed group, -1: none
  bool notFound;       // the last search found nothing
  // The find prompt (mode 12).
  bool prompting;
  bool promptFresh;    // the first key replaces the previous text
  int searchFrom;      // line the prompt's search starts at
  char findText[kFindTextSize];
  char entry[kFindTextSize];
  bool matchCase, wholeWord;
  // One copied line group (Alt+C, Alt+M; Alt+P puts it back).
  uint8_t copied[4][256];
  uint8_t copiedFlags[4];
  int copiedLines;
};
// Owned by local_edit.cpp.
extern LocalEditState LocalEdit;

// The status glyph of the editor's state at column 25 of the status row.
uint8_t LocalEditStatusGlyph();
void AbandonLocalEdit(bool releaseKeyboard);
