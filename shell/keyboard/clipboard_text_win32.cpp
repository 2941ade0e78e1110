#include "clipboard_text_win32.h"

#include <cstring>

bool PutTextOnClipboard(HWND owner, const std::string& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
  if (!block) return false;
  char* p = static_cast<char*>(GlobalLock(block));
  if (!p) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(p, text.data(), text.size());
  p[text.size()] = 0;
  GlobalUnlock(block);
  bool opened = false;
  for (int attempt = 0; attempt < 10 && !(opened = OpenClipboard(owner)); ++attempt) Sleep(10);
  if (!opened) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_TEXT, block) != nullptr;
  CloseClipboard();
  if (!placed) GlobalFree(block);
  return placed;
}
