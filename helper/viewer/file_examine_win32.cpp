#include "file_examine_win32.h"

#include <windows.h>
#include <shellapi.h>

namespace viewer {

namespace {

Examined OpenForReading(const std::string& path) {
  Examined found;
  // Full sharing: another reader or writer does not make the file "in
  // use"; only a holder that shares nothing (or a delete pending) does.
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    found.error = GetLastError();
    return found;
  }
  LARGE_INTEGER size = {};
  if (GetFileType(file) != FILE_TYPE_DISK) {
    // Not a file on a disk after all (a pipe or a device under a plain name).
    found.error = ERROR_ACCESS_DENIED;
  } else if (!GetFileSizeEx(file, &size)) {
    found.error = GetLastError();
  } else {
    found.opened = true;
    found.size = static_cast<uint64_t>(size.QuadPart);
  }
  CloseHandle(file);
  return found;
}

}  // namespace

void ExamineEntry(Entry& entry) {
  // Device names and device paths are never opened.
  const Examined found = IsDevicePath(entry.path) ? Examined{} : OpenForReading(entry.path);
  ApplyExamined(entry, found);
  if (entry.state == EntryState::kInvalid || entry.state == EntryState::kNotDisplayable) return;
  SHFILEINFOA info = {};
  const DWORD_PTR list = SHGetFileInfoA(entry.path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                        SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  if (!list) {
    entry.typeName = "Invalid file type";
    entry.icon = -1;
    return;
  }
  entry.typeName = info.szTypeName;
  entry.icon = info.iIcon;
}

void* SystemSmallImageList() {
  SHFILEINFOA info = {};
  return reinterpret_cast<void*>(
      SHGetFileInfoA("x.txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                     SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

}  // namespace viewer
