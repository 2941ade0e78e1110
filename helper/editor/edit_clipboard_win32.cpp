#include "edit_clipboard_win32.h"

#include <cstring>

bool PutClipboardText(HWND owner, const std::string& text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!memory) return false;
  void* at = GlobalLock(memory);
  if (!at) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(at, text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  if (!OpenClipboard(owner)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool put = SetClipboardData(CF_TEXT, memory) != nullptr;
  CloseClipboard();
  if (!put) GlobalFree(memory);  // still ours when the clipboard refused it
  return put;
}

bool GetClipboardText(HWND owner, std::string& text) {
  text.clear();
  if (!OpenClipboard(owner)) return false;
  bool ok = true;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    const char* at = static_cast<const char*>(GlobalLock(data));
    if (at) {
      // The block may lack its terminator: never read past its size.
      const size_t size = GlobalSize(data);
      text.assign(at, strnlen(at, size));
      GlobalUnlock(data);
    } else {
      ok = false;
    }
  }
  CloseClipboard();
  return ok;
}

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }
