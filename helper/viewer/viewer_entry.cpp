#include "viewer_entry.h"

#include <cctype>
#include <cstring>

#include "image_path.h"

namespace viewer {

Entry ParseEntry(const char* text) {
  Entry e;
  if (!text) return e;
  const char* mark = std::strchr(text, '\xfe');
  if (!mark) {
    e.path = text;
  } else {
    e.path.assign(text, mark);
    e.description = mark + 1;
  }
  return e;
}

namespace {

std::string Upper(const std::string& s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

bool IsDevicePath(const std::string& path) { return path.empty() || ::IsDevicePath(path); }

void ApplyExamined(Entry& entry, const Examined& found) {
  if (IsDevicePath(entry.path)) {
    entry.state = EntryState::kInvalid;
    entry.typeName = "Invalid file";
    entry.size = 0;
    entry.error = 0;
    return;
  }
  if (!found.opened) {
    entry.state = EntryState::kNotDisplayable;
    entry.error = found.error;
    entry.size = 0;
    entry.typeName = found.error == kErrorAccessDenied ? "Access denied" : "File not found";
    return;
  }
  entry.size = found.size;
  entry.error = 0;
  // A file that was unreachable before and is reachable now starts again.
  if (entry.state == EntryState::kNotDisplayable) entry.state = EntryState::kNotOpened;
}

const char* ThumbnailFailureText(const Entry& entry) {
  if (entry.state != EntryState::kNotDisplayable) return "";
  if (entry.error == kErrorAccessDenied) return "ACCESS DENIED";
  if (entry.error == kErrorSharingViolation) return "FILE IN USE";
  return "NOT FOUND";
}

OpenAction DecideOpen(const Entry& entry, bool useDefaultViewer) {
  switch (entry.state) {
    case EntryState::kNotOpened:
    case EntryState::kDisplayable:
      return useDefaultViewer ? OpenAction::kSystemOpen : OpenAction::kImageWindow;
    case EntryState::kSystemProgram:
    case EntryState::kNotDisplayable:
      return OpenAction::kSystemOpen;
    case EntryState::kOpen:
    case EntryState::kInvalid:
      break;
  }
  return OpenAction::kRefuse;
}

PrintAction DecidePrint(const Entry& entry) {
  switch (entry.state) {
    case EntryState::kDisplayable:
    case EntryState::kOpen:
      return PrintAction::kImageControl;
    case EntryState::kInvalid:
      return PrintAction::kInvalid;
    default:
      return PrintAction::kSystemPrint;
  }
}

bool IsImageExtension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  const std::string ext = Upper(path.substr(dot + 1));
  static const char* const kImages[] = {"PNG", "TIF", "TIFF", "JPG", "JPEG", "JPE", "BMP", "DIB", "GIF"};
  for (const char* e : kImages)
    if (ext == e) return true;
  return false;
}

}  // namespace viewer
