#include "image_path.h"

#include <cctype>

namespace {

bool IsSlash(char c) { return c == '\\' || c == '/'; }

bool ReservedName(std::string name) {
  // "NUL.txt", "nul " and "COM1:" (and a stream "nul:x") are the device too.
  const size_t cut = name.find_first_of(".:");
  if (cut != std::string::npos) name.resize(cut);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  static const char* const kNames[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
  for (const char* n : kNames)
    if (name == n) return true;
  if (name.size() == 4 && (name.compare(0, 3, "COM") == 0 || name.compare(0, 3, "LPT") == 0))
    return name[3] >= '1' && name[3] <= '9';
  return false;
}

}  // namespace

bool IsDevicePath(const std::string& path) {
  if (path.size() >= 4 && IsSlash(path[0]) && IsSlash(path[1]) && (path[2] == '.' || path[2] == '?') &&
      IsSlash(path[3]))
    return true;
  const size_t slash = path.find_last_of("\\/");
  std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
  // "C:NUL" names the device as well.
  if (slash == std::string::npos && last.size() > 2 && last[1] == ':' &&
      std::isalpha(static_cast<unsigned char>(last[0])))
    last = last.substr(2);
  return ReservedName(last);
}
