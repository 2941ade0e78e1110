#include "roster_paths.h"

#include <cstring>

namespace roster {

namespace {

const char kLibraryName[] = "\\helper.dll";
const char kSettingsName[] = "\\corvane.ini";
const char kUnexpanded[] = "%USERPROFILE%";

// Length of a text of at most `limit` bytes that need not end in a zero.
std::size_t BoundedLength(const char* text, std::size_t limit) {
  std::size_t n = 0;
  while (n < limit && text[n] != 0) ++n;
  return n;
}

// out = first[0..n) + second, when it fits with its zero.
bool Join(const char* first, std::size_t n, const char* second, char (&out)[kTextSize]) {
  out[0] = 0;
  const std::size_t m = std::strlen(second);
  if (n + m + 1 > kTextSize) return false;
  std::memcpy(out, first, n);
  std::memcpy(out + n, second, m + 1);
  return true;
}

}  // namespace

bool LibraryPathFromStartup(const char* value, std::size_t size, char (&out)[kTextSize]) {
  out[0] = 0;
  if (!value) return false;
  if (size > kTextSize) size = kTextSize;
  const std::size_t n = BoundedLength(value, size);
  if (n == 0) return false;
  return Join(value, n, kLibraryName, out);
}

bool SettingsPathFromProfile(const char* expanded, std::size_t needed, char (&out)[kTextSize]) {
  out[0] = 0;
  if (!expanded || needed == 0 || needed > kTextSize) return false;
  const std::size_t n = BoundedLength(expanded, kTextSize);
  if (n == 0 || n == kTextSize) return false;
  if (std::strstr(expanded, kUnexpanded)) return false;
  return Join(expanded, n, kSettingsName, out);
}

bool FolderOf(const char* path, char (&out)[kTextSize]) {
  out[0] = 0;
  if (!path) return false;
  const char* slash = std::strrchr(path, '\\');
  if (!slash || slash == path) return false;
  const std::size_t n = static_cast<std::size_t>(slash - path);
  if (n + 1 > kTextSize) return false;
  std::memcpy(out, path, n);
  out[n] = 0;
  return true;
}

EntryResult BuildEntry(const char* path, const char* description, char (&out)[kTextSize]) {
  out[0] = 0;
  if (!path) path = "";
  if (!description) description = "";
  const std::size_t room = kTextSize - 1;
  const std::size_t p = std::strlen(path);
  if (p + 1 > room) return EntryResult::PathTooLong;
  std::size_t d = std::strlen(description);
  EntryResult result = EntryResult::Whole;
  if (p + 1 + d > room) {
    d = room - p - 1;
    result = EntryResult::DescriptionCut;
  }
  std::memcpy(out, path, p);
  out[p] = kEntrySeparator;
  std::memcpy(out + p + 1, description, d);
  out[p + 1 + d] = 0;
  return result;
}

}  // namespace roster
