// Line-level editing rules of the program editor that need no window:
// pasted text split into lines, indentation stops, comment marks, the text
// "Copy Lines" puts on the clipboard and the numeric-pad drawing bytes.
#pragma once

#include <string>
#include <vector>

// Pasted text split at CR, LF and CR LF (each one break). A text ending in a
// break gives a last empty piece: the caret goes to the start of a new line.
std::vector<std::string> SplitPastedText(const std::string& text);

// Count of leading spaces.
int IndentOf(const std::string& line);
// Indentation stops: 10, then every third column (13, 16, 19 ...).
int NextIndentStop(int indent);      // 0-9 -> 10, else the next stop above
int PreviousIndentStop(int indent);  // >= 14 -> stop below, 11-13 -> 10, <= 10 -> 0
// The line with its leading spaces set to `indent` (only spaces change).
std::string WithIndent(const std::string& line, int indent);

// "!" put in front of the line.
std::string CommentedLine(const std::string& line);
// The first "!" removed when only spaces precede it; false (line unchanged)
// when there is none.
bool UncommentLine(std::string& line);

// "Copy Lines": each line as its number "%-5d" then its text, lines ended by
// CR LF. False when the text would pass `limit` bytes ("Selected text is too
// large to copy").
bool CopyLinesText(const std::vector<std::string>& lines, int firstIndex, size_t limit, std::string& out);
extern const char kCopyTooLargeText[];
extern const char kCopyFailedText[];
extern const char kPasteFailedText[];

// Numeric-pad keys of the drawing table.
enum NumPadKey { kPad0, kPad1, kPad2, kPad3, kPad4, kPad5, kPad6, kPad7, kPad8, kPad9, kPadDecimal };
// The byte a numeric-pad key inserts, or -1 for none (Ctrl+Alt+decimal).
// With screen drawing off the unmodified keys type their digit or ".".
int NumPadByte(int key, bool ctrl, bool alt, bool screenDraw);
