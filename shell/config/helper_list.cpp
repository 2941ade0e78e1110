#include "shell/config/helper_list.h"

#include <cstring>

#include "shell/config/sections.h"

namespace tavix {

namespace {

bool EqualNoCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    char x = *a >= 'a' && *a <= 'z' ? static_cast<char>(*a - 32) : *a;
    char y = *b >= 'a' && *b <= 'z' ? static_cast<char>(*b - 32) : *b;
    if (x != y) return false;
  }
  return *a == *b;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  for (const std::string& n : names)
    if (EqualNoCase(n.c_str(), name.c_str())) return true;
  return false;
}

}  // namespace

bool IsMessagingKey(const char* name) {
  static const char* const kKeys[] = {"Messageing enabled", "Notify conflict", "Directory", "Use subdirectory",
                                      "Scan extension"};
  for (const char* key : kKeys)
    if (EqualNoCase(name, key)) return true;
  return false;
}

bool IsValidHelperName(const char* name) {
  const size_t n = std::strlen(name);
  if (n == 0 || n >= kHelperNameSize) return false;
  if (name[0] == '[' || name[0] == ';') return false;
  if (std::strpbrk(name, " =\t")) return false;
  return !IsMessagingKey(name);
}

std::vector<std::string> HelperNames(VariantIni& ini) {
  std::vector<std::string> names;
  std::vector<std::string> sections;
  if (!ini.variant().empty()) sections.push_back(ini.write_section(kHelpersSection));
  sections.push_back(kHelpersSection);
  for (const std::string& section : sections) {
    for (const std::string& name : ini.file().key_names(section.c_str())) {
      if (IsMessagingKey(name.c_str()) || Contains(names, name)) continue;
      names.push_back(name);
    }
  }
  return names;
}

int ReadHelperCommand(VariantIni& ini, const char* name, char* out, int size) {
  if (!name[0] || IsMessagingKey(name)) return -1;
  // Room beyond any command line, so a longer one is seen as long.
  char value[1024];
  const std::size_t n = ini.read_string(kHelpersSection, name, "", value, sizeof value);
  if (n == 0) return -1;
  if (size > 0) {
    const std::size_t k = n < static_cast<std::size_t>(size - 1) ? n : static_cast<std::size_t>(size - 1);
    std::memcpy(out, value, k);
    out[k] = 0;
  }
  return n >= sizeof value - 1 ? static_cast<int>(sizeof value) : static_cast<int>(n);
}

bool WriteHelper(VariantIni& ini, const char* name, const char* command) {
  if (!IsValidHelperName(name)) return false;
  return ini.write_string(kHelpersSection, name, command);
}

bool DeleteHelper(VariantIni& ini, const char* name) {
  if (!name[0] || IsMessagingKey(name)) return false;
  return ini.write_string(kHelpersSection, name, nullptr);
}

}  // namespace tavix
