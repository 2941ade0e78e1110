#include "messaging_files_win32.h"

#include <windows.h>

#include "host_items.h"

bool Win32MessagingFiles::List(const std::string& folder, std::vector<MessagingFileEntry>* entries) {
  entries->clear();
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const DWORD a = found.dwFileAttributes;
    MessagingFileEntry e;
    e.name = found.cFileName;
    if (e.name == "." || e.name == "..") continue;
    e.readOnly = (a & FILE_ATTRIBUTE_READONLY) != 0;
    e.hidden = (a & FILE_ATTRIBUTE_HIDDEN) != 0;
    e.system = (a & FILE_ATTRIBUTE_SYSTEM) != 0;
    e.directory = (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.size = static_cast<uint64_t>(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
    e.time = static_cast<uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32 | found.ftLastWriteTime.dwLowDateTime;
    entries->push_back(e);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
}

bool Win32MessagingFiles::ReadAll(const std::string& path, std::string* bytes) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char buffer[64 * 1024];
  DWORD n = 0;
  bool ok = true;
  while ((ok = ReadFile(f, buffer, sizeof buffer, &n, nullptr) != 0) && n > 0) bytes->append(buffer, n);
  CloseHandle(f);
  return ok;
}

bool Win32MessagingFiles::Move(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) != 0;
}

std::string Win32MessagingFiles::ShortPath(const std::string& path) {
  char out[MAX_PATH];
  DWORD n = GetShortPathNameA(path.c_str(), out, sizeof out);
  return n > 0 && n < sizeof out ? std::string(out, n) : std::string();
}

namespace {

// Long enough for any producer; a lock held longer than this is lost work
// of another thread, not something to hang the window on.
constexpr DWORD kQueueLockWait = 5000;

HANDLE QueueMutex() {
  static HANDLE mutex = CreateMutexA(nullptr, FALSE, "MoxelBrowse");
  return mutex;
}

void* GlobalAllocate(size_t size) { return GlobalAlloc(GMEM_MOVEABLE, size); }
void* GlobalLockBlock(void* block) { return GlobalLock(static_cast<HGLOBAL>(block)); }
void GlobalUnlockBlock(void* block) { GlobalUnlock(static_cast<HGLOBAL>(block)); }
void GlobalReleaseBlock(void* block) { GlobalFree(static_cast<HGLOBAL>(block)); }
bool AcquireQueue() {
  HANDLE m = QueueMutex();
  if (!m) return false;
  const DWORD r = WaitForSingleObject(m, kQueueLockWait);
  return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
}
void RelinquishQueue() {
  if (HANDLE m = QueueMutex()) ReleaseMutex(m);
}

}  // namespace

void UseGlobalHostItemMemory() {
  SetHostItemMemory({GlobalAllocate, GlobalLockBlock, GlobalUnlockBlock, GlobalReleaseBlock, AcquireQueue,
                     RelinquishQueue});
}
