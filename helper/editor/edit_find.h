// Finding text in the program: one line at a time in either direction, with
// "Match Case" and "Match Whole Word Only" (no identifier character directly
// before or after the match).
#pragma once

#include <string>
#include <vector>

class EditLines;

struct FindOptions {
  bool matchCase = false;
  bool wholeWord = false;
  bool down = true;
};

// A compiled search for one text: the folded pattern is kept so a search of
// many lines folds it only once.
class TextSearch {
 public:
  TextSearch(const std::string& what, const FindOptions& options);
  bool Valid() const { return !what_.empty(); }
  int Length() const { return static_cast<int>(what_.size()); }
  // The first match starting at or after `from` (down), or the last one
  // starting before `from` (up; `from` past the end means the whole line);
  // -1 when none.
  int InLine(const std::string& line, int from) const {
    return options_.down ? Forward(line, from) : Backward(line, from);
  }
  // Whatever the direction: the first match at or after `from`, the last
  // one starting before `before`.
  int Forward(const std::string& line, int from) const;
  int Backward(const std::string& line, int before) const;
  int First(const std::string& line) const { return Forward(line, 0); }
  int Last(const std::string& line) const { return Backward(line, static_cast<int>(line.size()) + 1); }
  const FindOptions& Options() const { return options_; }

 private:
  bool MatchesAt(const std::string& line, size_t at) const;
  std::string what_;
  FindOptions options_;
};

struct FindHit {
  int line = -1;
  int column = -1;
  int length = 0;
};

// Search lines [first, last] from (line, column) in the options' direction
// up to the end of that range. With `wrap` the search goes on once from the
// other end of the range and stops when it reaches its starting line again
// (that line's part not yet searched included). False when nothing is found.
bool FindFrom(const EditLines& lines, const TextSearch& search, int line, int column, int first, int last,
              bool wrap, FindHit& hit);
// Every line index in [first, last] holding a match, ascending.
std::vector<int> MatchingLines(const EditLines& lines, const TextSearch& search, int first, int last);
// Every match of the line replaced by `with`, scanning left to right past
// each replacement; the count of replacements.
int ReplaceInLine(std::string& line, const TextSearch& search, const std::string& with);

extern const char kStringNotFoundText[];  // "String not found"
extern const char kFoundAndMarkedText[];  // "Found and marked"
