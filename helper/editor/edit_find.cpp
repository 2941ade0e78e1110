#include "edit_find.h"

#include <cstring>

#include "edit_lines.h"
#include "edit_syntax.h"

const char kStringNotFoundText[] = "String not found";
const char kFoundAndMarkedText[] = "Found and marked";

namespace {
inline unsigned char Fold(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }
}  // namespace

TextSearch::TextSearch(const std::string& what, const FindOptions& options) : what_(what), options_(options) {
  if (!options_.matchCase) {
    for (char& c : what_) c = static_cast<char>(Fold(static_cast<unsigned char>(c)));
  }
}

bool TextSearch::MatchesAt(const std::string& line, size_t at) const {
  const size_t n = what_.size();
  if (at + n > line.size()) return false;
  if (options_.matchCase) {
    if (std::memcmp(line.data() + at, what_.data(), n) != 0) return false;
  } else {
    for (size_t i = 0; i < n; ++i) {
      if (Fold(static_cast<unsigned char>(line[at + i])) != static_cast<unsigned char>(what_[i])) return false;
    }
  }
  if (options_.wholeWord) {
    if (at > 0 && IsIdentifierChar(static_cast<unsigned char>(line[at - 1]))) return false;
    if (at + n < line.size() && IsIdentifierChar(static_cast<unsigned char>(line[at + n]))) return false;
  }
  return true;
}

int TextSearch::Forward(const std::string& line, int from) const {
  const size_t n = what_.size();
  if (n == 0 || line.size() < n) return -1;
  const size_t lastStart = line.size() - n;
  const unsigned char first = static_cast<unsigned char>(what_[0]);
  const bool foldFirst = !options_.matchCase && first >= 'a' && first <= 'z';
  {
    size_t at = from < 0 ? 0 : static_cast<size_t>(from);
    while (at <= lastStart) {
      // Skip ahead to the next place the first character could match.
      const char* p = line.data() + at;
      const size_t left = lastStart - at + 1;
      const void* hit = std::memchr(p, first, left);
      if (foldFirst) {
        const void* upper = std::memchr(p, first - 32, left);
        if (!hit || (upper && upper < hit)) hit = upper;
      }
      if (!hit) return -1;
      at = static_cast<size_t>(static_cast<const char*>(hit) - line.data());
      if (MatchesAt(line, at)) return static_cast<int>(at);
      ++at;
    }
    return -1;
  }
}

int TextSearch::Backward(const std::string& line, int before) const {
  const size_t n = what_.size();
  if (n == 0 || line.size() < n) return -1;
  const size_t lastStart = line.size() - n;
  long long at = before < 0 || static_cast<size_t>(before) > line.size() ? static_cast<long long>(line.size()) + 1 : before;
  at -= 1;
  if (at > static_cast<long long>(lastStart)) at = static_cast<long long>(lastStart);
  for (; at >= 0; --at) {
    if (MatchesAt(line, static_cast<size_t>(at))) return static_cast<int>(at);
  }
  return -1;
}

bool FindFrom(const EditLines& lines, const TextSearch& search, int line, int column, int first, int last,
              bool wrap, FindHit& hit) {
  if (!search.Valid() || lines.Count() == 0) return false;
  if (first < 0) first = 0;
  if (last >= lines.Count()) last = lines.Count() - 1;
  if (first > last) return false;
  if (line < first) line = first, column = 0;
  if (line > last) line = last, column = -1;
  const bool down = search.Options().down;
  auto found = [&](int l, int c) {
    hit.line = l;
    hit.column = c;
    hit.length = search.Length();
    return true;
  };
  // The starting line from the caret on, then the lines beyond it.
  int c = down ? search.Forward(lines.At(line), column) : search.Backward(lines.At(line), column);
  if (c >= 0) return found(line, c);
  if (down) {
    for (int l = line + 1; l <= last; ++l) {
      if ((c = search.First(lines.At(l))) >= 0) return found(l, c);
    }
  } else {
    for (int l = line - 1; l >= first; --l) {
      if ((c = search.Last(lines.At(l))) >= 0) return found(l, c);
    }
  }
  if (!wrap) return false;
  // Once round from the other end, up to and including the starting line's
  // part that was not searched.
  if (down) {
    for (int l = first; l <= line; ++l) {
      c = search.First(lines.At(l));
      if (c >= 0 && (l < line || c < column)) return found(l, c);
    }
  } else {
    for (int l = last; l >= line; --l) {
      c = search.Last(lines.At(l));
      if (c >= 0 && (l > line || column < 0 || c >= column)) return found(l, c);
    }
  }
  return false;
}

std::vector<int> MatchingLines(const EditLines& lines, const TextSearch& search, int first, int last) {
  std::vector<int> out;
  if (!search.Valid()) return out;
  if (first < 0) first = 0;
  if (last >= lines.Count()) last = lines.Count() - 1;
  for (int l = first; l <= last; ++l) {
    if (search.First(lines.At(l)) >= 0) out.push_back(l);
  }
  return out;
}

int ReplaceInLine(std::string& line, const TextSearch& search, const std::string& with) {
  if (!search.Valid()) return 0;
  int count = 0;
  std::string out;
  size_t from = 0;
  // Matches are found in the original text, so a replacement is never
  // searched again.
  for (int at; (at = search.Forward(line, static_cast<int>(from))) >= 0;) {
    out.append(line, from, static_cast<size_t>(at) - from);
    out += with;
    from = static_cast<size_t>(at) + static_cast<size_t>(search.Length());
    ++count;
  }
  if (count == 0) return 0;
  out.append(line, from, std::string::npos);
  line.swap(out);
  return count;
}
