// The system find dialog's memory: the history lists of find and replace
// texts, and the request-flags byte that goes with key 1094.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kFindHistoryLimit = 10;
constexpr size_t kFindTextLimit = 99;
constexpr size_t kFindBufferSize = 100;

// Newest text first, as the combo box lists them.
struct FindHistory {
  std::vector<std::string> texts;
};

// What the combo box must do after a text was used.
struct FindHistoryChange {
  int removedIndex;  // an entry to delete first (the text moved to the top, or the oldest dropped); -1: none
};

// Puts the text (cut to 99 characters) at the newest place: a text already in
// the list moves there, a new one is added and, when the list is full, the
// oldest is dropped. Empty texts are not remembered.
FindHistoryChange UseFindText(FindHistory* history, const std::string& text);

enum class FindButton { kFindNext, kReplace, kReplaceAll };

// Bits: 1 direction up, 2 replace, 4 replace all, 8 match case, 16 whole word
// only, 32 find.
uint8_t FindRequestFlags(FindButton button, bool up, bool matchCase, bool wholeWord);
