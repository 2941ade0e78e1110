// The editor's token scan of one line: which colour role each character of
// the line-number gutter and of the text is painted in. Only visible lines
// are scanned when painting, so one scan is a single left-to-right pass.
#pragma once

#include <string>
#include <vector>

// Colour roles, in the order of the colour preferences.
enum EditRole {
  kRoleText = 0,
  kRoleSelection = 1,
  kRoleComment = 2,
  kRoleReserved = 3,
  kRoleBookmark = 4,
  kRoleFound = 5,
  kRoleString = 6,
  kRoleMarker = 7,
};
constexpr int kRoleCount = 8;

// Letters, digits, "$", "%" and ".": the characters of identifiers, labels
// and variable names, and what "whole word" finds refuse beside a match.
bool IsIdentifierChar(unsigned char c);

// A run of text columns [start, end) in one role.
struct TokenRun {
  int start;
  int end;
  int role;
};

// The five gutter cells of a line: bookmark and found string share the
// cells (0-2 bookmark, 3-4 found) when both mark the line.
void GutterRoles(bool bookmarked, bool found, int roles[5]);

// The runs of the line's text in order, covering every column of the text
// exactly once (nothing for an empty line). With colouring off the whole
// text is one plain run. `runs` is cleared first.
void ScanLine(const char* text, size_t length, bool colouring, std::vector<TokenRun>& runs);
inline void ScanLine(const std::string& text, bool colouring, std::vector<TokenRun>& runs) {
  ScanLine(text.data(), text.size(), colouring, runs);
}
