#include "edit_lines.h"

bool IsEditSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

size_t TrimmedLength(const std::string& text) {
  size_t n = text.size();
  while (n > 0 && IsEditSpace(text[n - 1])) --n;
  return n;
}

void EditLines::AddLoadedLine(const char* text, int length) {
  if (!text || length < 0) length = 0;
  const bool continues = text && text[-1] != 0;
  std::string piece = length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string();
  const size_t kept = TrimmedLength(piece);
  const int cut = static_cast<int>(piece.size() - kept);
  piece.resize(kept);
  if (continues && !lines_.empty()) {
    std::string& last = lines_.back();
    last.append(static_cast<size_t>(lastCut_), ' ');
    last += piece;
  } else {
    lines_.push_back(std::move(piece));
  }
  lastCut_ = cut;
  NoteWidth(static_cast<int>(lines_.back().size()));
}

void EditLines::Insert(int index, std::string text) {
  if (index < 0) index = 0;
  if (index > Count()) index = Count();
  NoteWidth(static_cast<int>(text.size()));
  lines_.insert(lines_.begin() + index, std::move(text));
}

void EditLines::Erase(int index) {
  if (Exists(index)) lines_.erase(lines_.begin() + index);
}

void EditLines::Clear() {
  lines_.clear();
  lastCut_ = 0;
  widest_ = 0;
}

long long EditLines::TrimmedCharacterCount() const {
  long long sum = 0;
  for (const std::string& line : lines_) sum += static_cast<long long>(TrimmedLength(line));
  return sum;
}
