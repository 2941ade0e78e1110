// The list view's columns and its sorting. Portable.
#pragma once

#include <vector>

#include "viewer_entry.h"
#include "viewer_settings.h"

namespace viewer {

enum class Column { kImage, kSize, kType };

struct ColumnSpec {
  Column column;
  const char* title;  // "Image", "Size", "Type"
  int width;
};

// "Image" first, then "Size" when shown, then "Type" when shown.
std::vector<ColumnSpec> ListColumns(const ViewerSettings& settings);

// Clicking a header: the first click sorts ascending, every later click (on
// whichever header) the other way from the one before.
class SortState {
 public:
  // The direction of this click (true: ascending).
  bool Click(Column column);
  bool sorted() const { return clicks_ > 0; }
  Column column() const { return column_; }
  bool ascending() const { return ascending_; }

 private:
  int clicks_ = 0;
  Column column_ = Column::kImage;
  bool ascending_ = true;
};

// Three-way comparison of two entries by a column: descriptions and type
// names without regard to case, sizes as numbers.
int CompareEntries(const Entry& a, const Entry& b, Column column);

// The order of `entries` (indexes) sorted by the column in the direction;
// equal entries keep their insertion order.
std::vector<int> SortedOrder(const std::vector<Entry>& entries, Column column, bool ascending);

}  // namespace viewer
