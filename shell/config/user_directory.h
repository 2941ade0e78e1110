// Where the configuration files live: the start directory, or on Windows NT a
// per-user directory "%USERPROFILE%\Corvane" seeded from the start directory.
#pragma once

#include <string>

namespace tavix {

// The configuration files as the program addresses them: in the current
// directory, which is the per-user directory once that is prepared.
extern const char kIniPath[];         // "./corvane.ini"
extern const char kLocalDialPath[];   // "./corvane.ldl"
extern const char kGlobalDialPath[];  // "./corvane.gdl"

// The files that follow the user into the per-user directory, in copy order.
extern const char* const kUserFiles[3];  // corvane.ini, corvane.ldl, corvane.gdl

// The per-user directory for a USERPROFILE value; empty when the value is
// missing or empty (the start directory is then kept: an unexpanded
// "%USERPROFILE%" would name a folder relative to the start directory).
std::string user_directory_for(const char* user_profile);

// Creates user_dir with every missing parent, then copies each of the user
// files that exists in start_dir but not yet in user_dir. Returns true when
// every step succeeded: the caller then makes user_dir the current directory.
bool prepare_user_directory(const std::string& user_dir, const std::string& start_dir);

}  // namespace tavix
