// A set of marked line indexes (user bookmarks, found strings), kept in
// ascending order and moved with the lines when lines are inserted or
// deleted.
#pragma once

#include <vector>

class LineMarkers {
 public:
  bool Has(int line) const;
  // Set or clear the mark; Toggle returns the new state.
  void Set(int line);
  void Clear(int line);
  bool Toggle(int line);
  void ClearAll() { lines_.clear(); }
  bool Empty() const { return lines_.empty(); }
  int Count() const { return static_cast<int>(lines_.size()); }
  const std::vector<int>& Lines() const { return lines_; }
  // The first mark after `line`, wrapping to the first mark; -1 when none.
  int NextAfter(int line) const;
  // Lines [at, at + count) were inserted: marks at or below move down.
  void LinesInserted(int at, int count);
  // Lines [at, at + count) were deleted: their marks go, those below move up.
  void LinesDeleted(int at, int count);

 private:
  std::vector<int> lines_;
};
