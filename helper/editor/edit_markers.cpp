#include "edit_markers.h"

#include <algorithm>

bool LineMarkers::Has(int line) const { return std::binary_search(lines_.begin(), lines_.end(), line); }

void LineMarkers::Set(int line) {
  auto it = std::lower_bound(lines_.begin(), lines_.end(), line);
  if (it == lines_.end() || *it != line) lines_.insert(it, line);
}

void LineMarkers::Clear(int line) {
  auto it = std::lower_bound(lines_.begin(), lines_.end(), line);
  if (it != lines_.end() && *it == line) lines_.erase(it);
}

bool LineMarkers::Toggle(int line) {
  if (Has(line)) {
    Clear(line);
    return false;
  }
  Set(line);
  return true;
}

int LineMarkers::NextAfter(int line) const {
  if (lines_.empty()) return -1;
  auto it = std::upper_bound(lines_.begin(), lines_.end(), line);
  return it == lines_.end() ? lines_.front() : *it;
}

void LineMarkers::LinesInserted(int at, int count) {
  if (count <= 0) return;
  for (int& l : lines_) {
    if (l >= at) l += count;
  }
}

void LineMarkers::LinesDeleted(int at, int count) {
  if (count <= 0) return;
  std::vector<int> kept;
  kept.reserve(lines_.size());
  for (int l : lines_) {
    if (l < at) {
      kept.push_back(l);
    } else if (l >= at + count) {
      kept.push_back(l - count);
    }
  }
  lines_.swap(kept);
}
