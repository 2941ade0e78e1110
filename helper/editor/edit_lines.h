// The program's lines as the edit window holds them: an ordered array of
// 8-bit text lines (no terminators), filled from the terminal's fixed-length
// records while the program loads.
#pragma once

#include <string>
#include <vector>

class EditLines {
 public:
  // One stored record of the program being loaded. `text` points at the
  // record's characters; the byte just before it is the continuation flag
  // (non-zero: this record continues the previous line). Trailing white space
  // is cut; a continuation first gets back the blanks cut from the record
  // before it, so a long line split over records joins exactly.
  void AddLoadedLine(const char* text, int length);

  int Count() const { return static_cast<int>(lines_.size()); }
  bool Exists(int index) const { return index >= 0 && index < Count(); }
  const std::string& At(int index) const { return lines_[static_cast<size_t>(index)]; }
  std::string& At(int index) { return lines_[static_cast<size_t>(index)]; }
  void Insert(int index, std::string text);
  void Erase(int index);
  void Clear();
  // The widest line seen, for horizontal scrolling.
  int Widest() const { return widest_; }
  void NoteWidth(int length) {
    if (length > widest_) widest_ = length;
  }
  // The sum of all line lengths without their trailing white space: the
  // count the host checks a save against.
  long long TrimmedCharacterCount() const;

 private:
  std::vector<std::string> lines_;
  int lastCut_ = 0;
  int widest_ = 0;
};

// White space as the editor trims it.
bool IsEditSpace(char c);
// Length of text without its trailing white space.
size_t TrimmedLength(const std::string& text);
