#include "host_paths.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "messaging_folders.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

const char* LastPart(const char* path) {
  const char* part = path;
  for (const char* p = path; *p; ++p)
    if (IsSeparator(*p) || *p == ':') part = p + 1;
  return part;
}

bool SameIgnoringCase(const char* a, size_t n, const char* b) {
  if (std::strlen(b) != n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

bool ReservedDeviceName(const char* part) {
  // The base name: up to the first dot, without trailing blanks.
  size_t n = 0;
  while (part[n] && part[n] != '.') ++n;
  while (n > 0 && part[n - 1] == ' ') --n;
  static const char* const kNames[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
  for (const char* name : kNames)
    if (SameIgnoringCase(part, n, name)) return true;
  if (n == 4 && std::isdigit(static_cast<unsigned char>(part[3])) && part[3] != '0') {
    if (SameIgnoringCase(part, 3, "COM") || SameIgnoringCase(part, 3, "LPT")) return true;
  }
  return false;
}

bool Fits(int written, size_t size) { return written >= 0 && static_cast<size_t>(written) < size; }

}  // namespace

EndpointKind ClassifyEndpoint(const char* name) {
  if (std::strcmp(name, ":AUX") == 0) return EndpointKind::AuxPort;
  if (std::strcmp(name, ":LP") == 0) return EndpointKind::Printer;
  if (name[0] == '/') return EndpointKind::Helper;
  if (name[0] == '&') return EndpointKind::Inbox;
  return EndpointKind::File;
}

bool IsDevicePath(const char* path) {
  if (IsSeparator(path[0]) && IsSeparator(path[1]) && (path[2] == '.' || path[2] == '?') && IsSeparator(path[3]))
    return true;
  return ReservedDeviceName(LastPart(path));
}

bool FileEndpointPath(const char* name, char* out, size_t size) {
  if (!Fits(std::snprintf(out, size, "%s", name[0] ? name : kWorkFile), size)) return false;
  return !IsDevicePath(out);
}

bool InboxEndpointPath(const char* name, char* out, size_t size) {
  if (!name[0] || std::strpbrk(name, "\\/:") || std::strstr(name, "..")) return false;
  char folder[kHostPathSize];
  if (!MessagingFolderPrefix("ToPC", folder, sizeof folder)) return false;
  if (!Fits(std::snprintf(out, size, "%s%s", folder, name), size)) return false;
  return !IsDevicePath(out);
}

bool HasWildcard(const char* pattern) { return std::strpbrk(LastPart(pattern), "*?") != nullptr; }

bool WildcardMatch(const char* pattern, const char* name) {
  if (std::strcmp(pattern, "*.*") == 0 || std::strcmp(pattern, "*") == 0) return true;
  // Iterative match with one backtrack point for the last *.
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name) {
    if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (*pattern == '?' ||
               std::toupper(static_cast<unsigned char>(*pattern)) == std::toupper(static_cast<unsigned char>(*name))) {
      ++pattern;
      ++name;
    } else if (star) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  // "name.*" also matches "name" (no extension), as the system's search does.
  if (pattern[0] == '.' && pattern[1] == '*' && pattern[2] == 0) return true;
  return *pattern == 0;
}
