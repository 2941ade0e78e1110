// Labels of a program: a line whose first word (after leading spaces) is an
// identifier directly followed by ":" that is not ":=".
#pragma once

#include <string>
#include <vector>

class EditLines;

// Whether the line carries a label; when it does, its text and the text
// column just after the colon.
bool FindLabel(const std::string& line, std::string* label, int* column);

struct EditLabel {
  int line;    // line index
  int column;  // text column just after the colon
  std::string text;
};
// Every label of the program, by line or (stably) by label text.
std::vector<EditLabel> CollectLabels(const EditLines& lines, bool sortByLabel);
// The line index of the first label named `name` (exact), or -1.
int FindLabelLine(const EditLines& lines, const std::string& name);

extern const char kNoLabelsText[];  // "File has no labels"
