#include "edit_syntax.h"

#include <cstring>

#include "edit_keywords.h"

bool IsIdentifierChar(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '$' || c == '%' ||
         c == '.';
}

void GutterRoles(bool bookmarked, bool found, int roles[5]) {
  for (int i = 0; i < 5; ++i) {
    if (bookmarked && found) {
      roles[i] = i < 3 ? kRoleBookmark : kRoleFound;
    } else if (bookmarked) {
      roles[i] = kRoleBookmark;
    } else if (found) {
      roles[i] = kRoleFound;
    } else {
      roles[i] = kRoleText;
    }
  }
}

namespace {

constexpr char kGetArg[] = "get(arg.)";
constexpr size_t kGetArgLength = 9;

bool StartsWithGetArg(const char* text, size_t at, size_t length) {
  if (length - at < kGetArgLength) return false;
  for (size_t i = 0; i < kGetArgLength; ++i) {
    unsigned char c = static_cast<unsigned char>(text[at + i]);
    if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + 32);
    if (c != static_cast<unsigned char>(kGetArg[i])) return false;
  }
  return at + kGetArgLength == length || !IsIdentifierChar(static_cast<unsigned char>(text[at + kGetArgLength]));
}

// Adds a run, joining it to the previous one when the role is the same.
void Emit(std::vector<TokenRun>& runs, int start, int end, int role) {
  if (!runs.empty() && runs.back().role == role && runs.back().end == start) {
    runs.back().end = end;
    return;
  }
  runs.push_back(TokenRun{start, end, role});
}

}  // namespace

void ScanLine(const char* text, size_t length, bool colouring, std::vector<TokenRun>& runs) {
  runs.clear();
  if (length == 0) return;
  const int n = static_cast<int>(length);
  if (!colouring) {
    runs.push_back(TokenRun{0, n, kRoleText});
    return;
  }
  bool statementStart = true;
  size_t i = 0;
  while (i < length) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const int start = static_cast<int>(i);
    if (IsIdentifierChar(c)) {
      size_t end = i;
      if (StartsWithGetArg(text, i, length)) {
        end = i + kGetArgLength;
      } else {
        while (end < length && IsIdentifierChar(static_cast<unsigned char>(text[end]))) ++end;
      }
      const size_t tokenLength = end - i;
      if (statementStart && tokenLength == 3 && std::memcmp(text + i, "REM", 3) == 0) {
        Emit(runs, start, n, kRoleComment);
        return;
      }
      Emit(runs, start, static_cast<int>(end), FindKeyword(text + i, tokenLength) >= 0 ? kRoleReserved : kRoleText);
      statementStart = false;
      i = end;
    } else if (c == ' ') {
      size_t end = i;
      while (end < length && text[end] == ' ') ++end;
      Emit(runs, start, static_cast<int>(end), kRoleText);
      i = end;
    } else if ((c == '*' || c == '!') && statementStart) {
      Emit(runs, start, n, kRoleComment);
      return;
    } else if (c == '"' || c == '\'' || c == '\\') {
      const void* close = std::memchr(text + i + 1, c, length - i - 1);
      const size_t end = close ? static_cast<size_t>(static_cast<const char*>(close) - text) + 1 : length;
      // Two literals side by side stay two runs.
      runs.push_back(TokenRun{start, static_cast<int>(end), kRoleString});
      i = end;
    } else {
      if (c == ':' || c == ';') statementStart = true;
      Emit(runs, start, start + 1, kRoleText);
      ++i;
    }
  }
}
