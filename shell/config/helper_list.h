// The helper applications of [Helpers-32] (variant-aware): names of PC
// programs the host's helper commands and the user's list refer to. The
// section also holds messaging keys of older versions, which are never
// helpers.
#pragma once

#include <string>
#include <vector>

#include "shell/config/variant_ini.h"

namespace tavix {

constexpr std::size_t kHelperNameSize = 80;      // at most 79 characters
constexpr std::size_t kHelperCommandSize = 120;  // at most 119 characters

// "Messageing enabled", "Notify conflict", "Directory", "Use subdirectory"
// and "Scan extension", in any case.
bool IsMessagingKey(const char* name);

// A name the user may add: not empty, at most 79 characters, no blank and
// no "=", not starting with "[" or ";", and not a messaging key.
bool IsValidHelperName(const char* name);

// The helper names in file order: the variant's section first, then the
// general one's names the variant does not have; messaging keys left out.
std::vector<std::string> HelperNames(VariantIni& ini);

// The helper's command into out (at most size - 1 characters); the result is
// the command's whole length, or -1 for no such helper (or an empty one).
int ReadHelperCommand(VariantIni& ini, const char* name, char* out, int size);

// Writes name = command into the variant's helper section; false when the
// name is refused or the file cannot be written.
bool WriteHelper(VariantIni& ini, const char* name, const char* command);
// Removes name from the variant's helper section.
bool DeleteHelper(VariantIni& ini, const char* name);

}  // namespace tavix
