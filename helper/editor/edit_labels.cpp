#include "edit_labels.h"

#include <algorithm>

#include "edit_lines.h"
#include "edit_syntax.h"

const char kNoLabelsText[] = "File has no labels";

bool FindLabel(const std::string& line, std::string* label, int* column) {
  size_t start = 0;
  while (start < line.size() && line[start] == ' ') ++start;
  size_t end = start;
  while (end < line.size() && IsIdentifierChar(static_cast<unsigned char>(line[end]))) ++end;
  if (end == start || end >= line.size() || line[end] != ':') return false;
  if (end + 1 < line.size() && line[end + 1] == '=') return false;
  if (label) label->assign(line, start, end - start);
  // The column after the colon: the label's length plus the spaces before it.
  if (column) *column = static_cast<int>(end + 1);
  return true;
}

std::vector<EditLabel> CollectLabels(const EditLines& lines, bool sortByLabel) {
  std::vector<EditLabel> labels;
  std::string text;
  int column = 0;
  for (int i = 0; i < lines.Count(); ++i) {
    if (FindLabel(lines.At(i), &text, &column)) labels.push_back(EditLabel{i, column, text});
  }
  if (sortByLabel) {
    std::stable_sort(labels.begin(), labels.end(),
                     [](const EditLabel& a, const EditLabel& b) { return a.text < b.text; });
  }
  return labels;
}

int FindLabelLine(const EditLines& lines, const std::string& name) {
  std::string text;
  for (int i = 0; i < lines.Count(); ++i) {
    if (FindLabel(lines.At(i), &text, nullptr) && text == name) return i;
  }
  return -1;
}
