#include "message_boxes.h"

#include <cstring>

namespace {

BOOL CALLBACK CollectStatic(HWND child, LPARAM param) {
  char name[32];
  GetClassNameA(child, name, sizeof name);
  if (_stricmp(name, "Static") == 0) {
    char text[1024];
    GetWindowTextA(child, text, sizeof text);
    std::string* out = reinterpret_cast<std::string*>(param);
    *out += text;
  }
  return TRUE;
}

struct Search {
  DWORD pid;
  const char* text;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
  Search* s = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != s->pid || !IsWindowVisible(window)) return TRUE;
  char name[32];
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "#32770") != 0) return TRUE;
  if (DialogText(window).find(s->text) == std::string::npos) return TRUE;
  s->found = window;
  return FALSE;
}

struct TitleSearch {
  DWORD pid;
  const char* title;
  HWND found;
};

BOOL CALLBACK FindTitled(HWND window, LPARAM param) {
  TitleSearch* s = reinterpret_cast<TitleSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != s->pid || !IsWindowVisible(window)) return TRUE;
  char name[32], title[256];
  GetClassNameA(window, name, sizeof name);
  GetWindowTextA(window, title, sizeof title);
  if (std::strcmp(name, "#32770") != 0 || std::strcmp(title, s->title) != 0) return TRUE;
  s->found = window;
  return FALSE;
}

}  // namespace

HWND FindDialogTitled(DWORD processId, const char* title) {
  TitleSearch s{processId, title, nullptr};
  EnumWindows(FindTitled, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::string DialogText(HWND dialog) {
  std::string text;
  EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&text));
  return text;
}

HWND FindMessageBox(DWORD processId, const char* text) {
  Search s{processId, text, nullptr};
  EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

void PressButton(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

bool AnswerMessageBox(DWORD processId, const char* text, int id, DWORD milliseconds) {
  HWND box = nullptr;
  DWORD start = GetTickCount();
  while (!(box = FindMessageBox(processId, text))) {
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(20);
  }
  PressButton(box, id);
  for (start = GetTickCount(); IsWindow(box); Sleep(20))
    if (GetTickCount() - start > 10000) return false;
  return true;
}
