#include "find_history.h"

FindHistoryChange UseFindText(FindHistory* history, const std::string& text) {
  FindHistoryChange change = {-1};
  const std::string entry = text.substr(0, kFindTextLimit);
  if (entry.empty()) return change;
  std::vector<std::string>& texts = history->texts;
  for (size_t i = 0; i < texts.size(); ++i) {
    if (texts[i] == entry) {
      texts.erase(texts.begin() + static_cast<std::ptrdiff_t>(i));
      change.removedIndex = static_cast<int>(i);
      texts.insert(texts.begin(), entry);
      return change;
    }
  }
  if (texts.size() >= kFindHistoryLimit) {
    change.removedIndex = static_cast<int>(texts.size()) - 1;
    texts.pop_back();
  }
  texts.insert(texts.begin(), entry);
  return change;
}

uint8_t FindRequestFlags(FindButton button, bool up, bool matchCase, bool wholeWord) {
  uint8_t flags = 0;
  if (up) flags |= 1;
  if (button != FindButton::kFindNext) flags |= 2;
  if (button == FindButton::kReplaceAll) flags |= 4;
  if (matchCase) flags |= 8;
  if (wholeWord) flags |= 16;
  if (button != FindButton::kReplace) flags |= 32;
  return flags;
}
