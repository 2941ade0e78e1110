// The fixed-size texts of the roster library: the helper library's path, the
// settings file's path and the entry text handed to the viewer. Each lives in
// a 260-byte buffer (259 bytes and a terminating zero); nothing here writes
// past one, and a text that cannot fit is refused rather than cut where
// cutting would name another file.
#pragma once

#include <cstddef>

namespace roster {

constexpr std::size_t kTextSize = 260;
// The byte between the path and the description of an entry.
constexpr char kEntrySeparator = static_cast<char>(0xFE);

// The install folder as the registry gave it ("STARTUP": `size` bytes that may
// or may not end in a zero) followed by "\helper.dll". False, with `out` left
// empty, when the folder is empty or the whole path does not fit.
bool LibraryPathFromStartup(const char* value, std::size_t size, char (&out)[kTextSize]);

// The settings file: the expansion of "%USERPROFILE%\Corvane" followed by
// "\corvane.ini". `expanded` is what the expansion gave and `needed` the size
// it asked for (with its zero; more than 260 means it was cut). False, with
// `out` left empty, when the expansion failed or did not fit, when the
// variable was not set (the text still names "%USERPROFILE%"), or when the
// file name does not fit behind the folder.
bool SettingsPathFromProfile(const char* expanded, std::size_t needed, char (&out)[kTextSize]);

// The folder part of a settings path (everything before its last '\').
bool FolderOf(const char* path, char (&out)[kTextSize]);

enum class EntryResult {
  Whole,           // path, separator and description all fit
  DescriptionCut,  // the description was cut to what fits
  PathTooLong,     // the path and separator alone do not fit: nothing built
};

// The entry text: path, one byte 0xFE, description, a zero; at most 259 bytes
// before the zero. Null texts count as empty. On PathTooLong `out` is empty.
EntryResult BuildEntry(const char* path, const char* description, char (&out)[kTextSize]);

}  // namespace roster
