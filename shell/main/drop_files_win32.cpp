// The files of a drop into the queue for the host: a shell file list, or
// virtual files written first to a path the user picks ("Save Dropped File").
// Kept apart from the shell's records: the shell headers' names clash.
#include "drop_files.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include "framing.h"
#include "host_items.h"

namespace {

UINT ContentsFormat() {
  static UINT format = RegisterClipboardFormatA("FileContents");
  return format;
}

// A path the host can be told: the short form when the long one holds a
// framing byte.
bool QueuePath(const std::string& path, const std::string& position) {
  std::string text = path;
  if (!FramingSafe(text)) {
    char shortForm[MAX_PATH];
    DWORD n = GetShortPathNameA(path.c_str(), shortForm, sizeof shortForm);
    if (n > 0 && n < sizeof shortForm) text.assign(shortForm, n);
  }
  return QueueHostItem(text, position, 0);
}

// The contents of item `index`; a memory block may be larger than the file,
// so the descriptor's size, when it gives one, is what is written.
bool WriteContents(IDataObject* data, LONG index, const FILEDESCRIPTORA& descriptor, const std::string& path) {
  const bool sized = (descriptor.dwFlags & FD_FILESIZE) != 0 && descriptor.nFileSizeHigh == 0;
  FORMATETC f = {static_cast<CLIPFORMAT>(ContentsFormat()), nullptr, DVASPECT_CONTENT, index,
                 TYMED_HGLOBAL | TYMED_ISTREAM};
  STGMEDIUM m = {};
  if (data->GetData(&f, &m) != S_OK) return false;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool ok = file != INVALID_HANDLE_VALUE;
  DWORD written = 0;
  if (ok && m.tymed == TYMED_HGLOBAL) {
    const void* bytes = GlobalLock(m.hGlobal);
    DWORD size = static_cast<DWORD>(GlobalSize(m.hGlobal));
    if (sized && descriptor.nFileSizeLow < size) size = descriptor.nFileSizeLow;
    ok = bytes && WriteFile(file, bytes, size, &written, nullptr) && written == size;
    GlobalUnlock(m.hGlobal);
  } else if (ok && m.tymed == TYMED_ISTREAM) {
    char buffer[64 * 1024];
    ULONG n = 0;
    while (ok && SUCCEEDED(m.pstm->Read(buffer, sizeof buffer, &n)) && n > 0)
      ok = WriteFile(file, buffer, n, &written, nullptr) && written == n;
  } else {
    ok = false;
  }
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  ReleaseStgMedium(&m);
  if (!ok) DeleteFileA(path.c_str());
  return ok;
}

}  // namespace

int QueueFileList(IDataObject* data, const std::string& position) {
  FORMATETC f = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM m = {};
  if (data->GetData(&f, &m) != S_OK) return 0;
  int queued = 0;
  HDROP drop = static_cast<HDROP>(m.hGlobal);
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    char path[MAX_PATH];
    if (DragQueryFileA(drop, i, path, sizeof path) && QueuePath(path, position)) ++queued;
  }
  ReleaseStgMedium(&m);
  return queued;
}

int QueueVirtualFiles(IDataObject* data, HWND owner, const std::string& position) {
  FORMATETC f = {static_cast<CLIPFORMAT>(RegisterClipboardFormatA("FileGroupDescriptor")), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM m = {};
  if (data->GetData(&f, &m) != S_OK) return 0;
  int queued = 0;
  const auto* group = static_cast<const FILEGROUPDESCRIPTORA*>(GlobalLock(m.hGlobal));
  const UINT count = group ? group->cItems : 0;
  for (UINT i = 0; i < count; ++i) {
    const FILEDESCRIPTORA& descriptor = group->fgd[i];
    // A folder entry has no contents of its own.
    if ((descriptor.dwFlags & FD_ATTRIBUTES) && (descriptor.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    // The dialog offers the file's own name; a name within a dropped folder
    // keeps its folder part in the descriptor.
    const char* name = descriptor.cFileName;
    for (const char* p = descriptor.cFileName; *p; ++p)
      if (*p == '\\' || *p == '/') name = p + 1;
    char path[MAX_PATH];
    lstrcpynA(path, name, sizeof path);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrTitle = "Save Dropped File";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameA(&ofn)) continue;
    if (!WriteContents(data, static_cast<LONG>(i), descriptor, path)) {
      MessageBoxA(owner, "The dropped file could not be written", "Moxel", MB_OK | MB_ICONSTOP);
      continue;
    }
    if (QueuePath(path, position)) ++queued;
  }
  if (group) GlobalUnlock(m.hGlobal);
  ReleaseStgMedium(&m);
  return queued;
}

