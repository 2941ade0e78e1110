// One attachment of the viewer's list: what the host's entry text names,
// what examining the file found, and how the list shows it. Portable: the
// list window asks the system, this file decides.
#pragma once

#include <cstdint>
#include <string>

namespace viewer {

// The six states of an entry, numbered as the list has always numbered them.
enum class EntryState {
  kNotOpened = 1,       // not yet opened
  kDisplayable = 2,     // the image control has shown it
  kSystemProgram = 3,   // to be opened by the system's default program
  kNotDisplayable = 4,  // the file could not be reached (see the error code)
  kOpen = 5,            // open in an image window
  kInvalid = 6,         // an empty or device path, or an image that failed to load
};

// The system error codes the list tells apart.
constexpr uint32_t kErrorAccessDenied = 5;
constexpr uint32_t kErrorSharingViolation = 32;
constexpr uint32_t kErrorFileNotFound = 2;

struct Entry {
  std::string path;
  std::string description;
  EntryState state = EntryState::kNotOpened;
  uint32_t error = 0;      // for kNotDisplayable: the system's code
  uint64_t size = 0;       // bytes, 0 when unknown
  std::string typeName;    // the shell's type name, or one of the list's own texts
  int icon = -1;           // the small icon's index in the list's image list
  int pages = 0;           // page count once the image has been looked at
};

// The host's entry text: path, one 0xFE byte, description; without the
// separator the whole text is the path.
Entry ParseEntry(const char* text);

// Paths that are never opened: empty ones, and the device paths of the
// image control's rule (image_path.h): "\\.\" and "\\?\" paths and the
// reserved device names as the last component with any extension.
bool IsDevicePath(const std::string& path);

// What opening the file for reading found.
struct Examined {
  bool opened = false;
  uint32_t error = 0;  // when not opened
  uint64_t size = 0;   // when opened
};

// The entry after examining: its state, size and error; the type text for
// failures ("Invalid file", "Access denied", "File not found"). The shell's
// type name comes later, only for reachable files.
void ApplyExamined(Entry& entry, const Examined& found);

// The thumbnail's red text for an unreachable entry: "ACCESS DENIED" for
// code 5, "FILE IN USE" for 32, "NOT FOUND" otherwise; empty for others.
const char* ThumbnailFailureText(const Entry& entry);

// How an entry is opened, by its state.
enum class OpenAction {
  kImageWindow,    // the library's own image window
  kSystemOpen,     // the system's "open" verb
  kRefuse,         // "Unable to open image"
};
OpenAction DecideOpen(const Entry& entry, bool useDefaultViewer);

// How an entry is printed.
enum class PrintAction {
  kImageControl,   // through the image control
  kSystemPrint,    // the system's "print" verb
  kInvalid,        // "Invalid file type"
};
PrintAction DecidePrint(const Entry& entry);

// Whether the image control is meant for this path (by its extension):
// the formats the library decodes itself.
bool IsImageExtension(const std::string& path);

}  // namespace viewer
