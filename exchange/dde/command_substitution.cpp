#include "command_substitution.h"

#include <cstring>
#include <string>

namespace {

// The first "%1" or "%L"; null when there is none.
const char* FindPlaceholder(const char* command) {
  for (const char* p = std::strchr(command, '%'); p; p = std::strchr(p + 1, '%'))
    if (p[1] == '1' || p[1] == 'L') return p;
  return nullptr;
}

}  // namespace

SubstitutionResult SubstituteArgument(char* command, const char* argument, bool hostProgram) {
  std::string arg = argument ? argument : "";
  const char* placeholder = FindPlaceholder(command);
  std::string result;
  if (!placeholder) {
    if (!hostProgram || arg.empty()) return SubstitutionResult::kNoPlaceholder;
    result = std::string(command) + arg;
    if (result.size() >= kHelperCommandSize) return SubstitutionResult::kTooLong;
    std::memcpy(command, result.c_str(), result.size() + 1);
    return SubstitutionResult::kNoPlaceholder;
  }
  const char* tail = placeholder + 2;
  const char* cut = placeholder;
  const bool quoted = cut > command && cut[-1] == '"';
  if (quoted) --cut;
  if (*tail == '"') ++tail;
  if (hostProgram && !arg.empty() && arg[0] == ' ') arg.erase(0, 1);
  if (quoted && arg.find(' ') != std::string::npos) arg = '"' + arg + '"';
  result.assign(command, static_cast<size_t>(cut - command));
  result += arg;
  result += tail;
  if (result.size() >= kHelperCommandSize) return SubstitutionResult::kTooLong;
  std::memcpy(command, result.c_str(), result.size() + 1);
  return SubstitutionResult::kSubstituted;
}
