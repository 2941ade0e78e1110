#include "file_port_win32.h"

namespace {

FileFailure FailureOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
      return FileFailure::NotFound;
    case ERROR_PATH_NOT_FOUND:
      return FileFailure::PathNotFound;
    default:
      return FileFailure::Other;
  }
}

// The file's identity: volume and index.
bool Identity(const char* path, BY_HANDLE_FILE_INFORMATION* info) {
  HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = GetFileInformationByHandle(h, info) != 0;
  CloseHandle(h);
  return ok;
}

}  // namespace

HANDLE Win32FilePort::At(FileHandle file) const {
  if (file < 0 || static_cast<size_t>(file) >= handles_.size()) return INVALID_HANDLE_VALUE;
  return handles_[static_cast<size_t>(file)];
}

FileHandle Win32FilePort::Open(const char* path, FileAccess access) {
  DWORD desired = GENERIC_READ, disposition = OPEN_EXISTING;
  if (access == FileAccess::Create) {
    desired = GENERIC_WRITE;
    disposition = CREATE_ALWAYS;
  } else if (access == FileAccess::Update) {
    desired = GENERIC_WRITE;
  }
  // A file being read stays open for others, even to be deleted.
  const DWORD share =
      access == FileAccess::Read ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE : FILE_SHARE_READ;
  HANDLE h = CreateFileA(path, desired, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    failure_ = FailureOf(GetLastError());
    return kNoFile;
  }
  // Only files: a path that opens something else is refused.
  if (GetFileType(h) != FILE_TYPE_DISK) {
    CloseHandle(h);
    failure_ = FileFailure::Other;
    return kNoFile;
  }
  failure_ = FileFailure::None;
  for (size_t i = 0; i < handles_.size(); ++i) {
    if (handles_[i] == INVALID_HANDLE_VALUE) {
      handles_[i] = h;
      return static_cast<FileHandle>(i);
    }
  }
  handles_.push_back(h);
  return static_cast<FileHandle>(handles_.size() - 1);
}

int Win32FilePort::Read(FileHandle file, uint8_t* bytes, int count) {
  HANDLE h = At(file);
  DWORD got = 0;
  if (h == INVALID_HANDLE_VALUE || !ReadFile(h, bytes, static_cast<DWORD>(count), &got, nullptr)) return -1;
  return static_cast<int>(got);
}

int Win32FilePort::Write(FileHandle file, const uint8_t* bytes, int count) {
  HANDLE h = At(file);
  DWORD done = 0;
  if (h == INVALID_HANDLE_VALUE || !WriteFile(h, bytes, static_cast<DWORD>(count), &done, nullptr)) return -1;
  return static_cast<int>(done);
}

bool Win32FilePort::Seek(FileHandle file, int64_t position) {
  HANDLE h = At(file);
  LARGE_INTEGER to;
  to.QuadPart = position;
  return h != INVALID_HANDLE_VALUE && SetFilePointerEx(h, to, nullptr, FILE_BEGIN) != 0;
}

void Win32FilePort::Close(FileHandle file) {
  HANDLE h = At(file);
  if (h == INVALID_HANDLE_VALUE) return;
  CloseHandle(h);
  handles_[static_cast<size_t>(file)] = INVALID_HANDLE_VALUE;
}

bool Win32FilePort::Remove(const char* path) { return DeleteFileA(path) != 0; }

bool Win32FilePort::Rename(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != 0;
}

bool Win32FilePort::MakeDirectory(const char* path) {
  if (CreateDirectoryA(path, nullptr)) return true;
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FilePort::List(const char* pattern, std::vector<FileListEntry>& out) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    FileListEntry e;
    e.name = found.cFileName;
    e.size = static_cast<int64_t>(static_cast<uint64_t>(found.nFileSizeHigh) << 32 | found.nFileSizeLow);
    e.directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.readOnly = (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    e.hidden = (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    e.system = (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    out.push_back(e);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
}

bool Win32FilePort::SameFile(const char* a, const char* b) {
  BY_HANDLE_FILE_INFORMATION x, y;
  if (!Identity(a, &x) || !Identity(b, &y)) return false;
  return x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
         x.nFileIndexLow == y.nFileIndexLow;
}
