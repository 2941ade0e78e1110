#include "image_path.h"

#include <cctype>

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

bool IsDevicePath(const std::string& path) {
  if (path.size() >= 4 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/') &&
      (path[2] == '.' || path[2] == '?') && (path[3] == '\\' || path[3] == '/'))
    return true;
  size_t slash = path.find_last_of("\\/:");
  std::string name = Upper(slash == std::string::npos ? path : path.substr(slash + 1));
  // "nul.txt" and "COM1 .tif" are the device too.
  name = name.substr(0, name.find('.'));
  while (!name.empty() && (name.back() == ' ')) name.pop_back();
  if (name == "CON" || name == "PRN" || name == "AUX" || name == "NUL" || name == "CONIN$" || name == "CONOUT$")
    return true;
  if (name.size() == 4 && (name.compare(0, 3, "COM") == 0 || name.compare(0, 3, "LPT") == 0) && name[3] >= '1' &&
      name[3] <= '9')
    return true;
  return false;
}
