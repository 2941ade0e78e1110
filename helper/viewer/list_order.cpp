#include "list_order.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace viewer {

std::vector<ColumnSpec> ListColumns(const ViewerSettings& s) {
  std::vector<ColumnSpec> columns = {{Column::kImage, "Image", s.imageColWidth}};
  if (s.sizeColEnabled) columns.push_back({Column::kSize, "Size", s.sizeColWidth});
  if (s.typeColEnabled) columns.push_back({Column::kType, "Type", s.typeColWidth});
  return columns;
}

bool SortState::Click(Column column) {
  ascending_ = clicks_ == 0 ? true : !ascending_;
  ++clicks_;
  column_ = column;
  return ascending_;
}

namespace {

int CompareNoCase(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int x = std::tolower(static_cast<unsigned char>(a[i]));
    const int y = std::tolower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

}  // namespace

int CompareEntries(const Entry& a, const Entry& b, Column column) {
  switch (column) {
    case Column::kImage:
      return CompareNoCase(a.description, b.description);
    case Column::kType:
      return CompareNoCase(a.typeName, b.typeName);
    case Column::kSize:
      return a.size == b.size ? 0 : a.size < b.size ? -1 : 1;
  }
  return 0;
}

std::vector<int> SortedOrder(const std::vector<Entry>& entries, Column column, bool ascending) {
  std::vector<int> order(entries.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
    const int c = CompareEntries(entries[x], entries[y], column);
    return ascending ? c < 0 : c > 0;
  });
  return order;
}

}  // namespace viewer
