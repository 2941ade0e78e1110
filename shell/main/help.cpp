// Help: "moxel.chm" through HTML Help where the system has it, else
// "moxel.hlp" through WinHelp; both beside the program file.
#include <cstring>
#include <string>

#include "main_window.h"
#include "resource_ids.h"
#include "shell/keyboard/input_mode.h"
#include "shell_state.h"

namespace {

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
constexpr UINT kHhDisplayToc = 0x0001;
constexpr UINT kHhDisplaySearch = 0x0003;
constexpr UINT kHhHelpContext = 0x000F;
constexpr UINT kHhCloseAll = 0x0012;

struct HhFtsQuery {
  int cbStruct;
  BOOL fUniCodeStrings;
  LPCSTR pszSearchQuery;
  LONG iProximity;
  BOOL fStemmedSearch;
  BOOL fTitleOnly;
  BOOL fExecute;
  LPCSTR pszWindow;
};

std::string BesideProgram(const char* name) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string p(path, n);
  size_t slash = p.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : p.substr(0, slash + 1)) + name;
}

bool UseHtmlHelp() {
  OSVERSIONINFOA v = {};
  v.dwOSVersionInfoSize = sizeof v;
  GetVersionExA(&v);
  return v.dwPlatformId == VER_PLATFORM_WIN32_NT || v.dwMinorVersion != 0;
}

HtmlHelpFunction HtmlHelpEntry() {
  static HtmlHelpFunction entry = [] {
    HMODULE module = LoadLibraryA("hhctrl.ocx");
    return module ? reinterpret_cast<HtmlHelpFunction>(GetProcAddress(module, "HtmlHelpA")) : nullptr;
  }();
  return entry;
}

// WinHelp-style commands, translated for HTML Help.
void Help(UINT command, ULONG_PTR data) {
  if (UseHtmlHelp()) {
    HtmlHelpFunction hh = HtmlHelpEntry();
    if (!hh) return;  // no help system: the command does nothing
    std::string file = BesideProgram("moxel.chm");
    switch (command) {
      case HELP_CONTEXT: hh(GetDesktopWindow(), file.c_str(), kHhHelpContext, data); break;
      case HELP_CONTENTS: hh(GetDesktopWindow(), file.c_str(), kHhDisplayToc, 0); break;
      case HELP_PARTIALKEY: {
        HhFtsQuery query = {sizeof query, FALSE, reinterpret_cast<LPCSTR>(data), 0, FALSE, FALSE, FALSE, nullptr};
        hh(GetDesktopWindow(), file.c_str(), kHhDisplaySearch, reinterpret_cast<DWORD_PTR>(&query));
        break;
      }
      default: hh(nullptr, nullptr, kHhCloseAll, 0); break;
    }
    return;
  }
  WinHelpA(Shell.mainWindow, BesideProgram("moxel.hlp").c_str(), command, data);
}

// Keyboard help topic for each keyboard-mode number.
int KeyboardContext(int mode) {
  static const int kContexts[] = {0, 130, 175, 121, 124, 122, 120, 119, 123, 118, 179, 150, 151, 156};
  return mode >= 1 && mode <= 13 ? kContexts[mode] : 0;
}

}  // namespace

void ShowHelp(int command) {
  static char empty[] = "";
  switch (command) {
    case CMD_HELP_CONTENTS:
      Help(HELP_CONTENTS, 0);
      break;
    case CMD_HELP_KEYBOARD:
      if (int context = KeyboardContext(InputMode.modeNumber)) {
        Help(HELP_CONTEXT, static_cast<ULONG_PTR>(context));
        break;
      }
      Help(HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(empty));
      break;
    default:
      Help(HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(empty));
      break;
  }
}

void CloseHelp() { Help(HELP_QUIT, 0); }

void ShowHelpContext(int context) { Help(HELP_CONTEXT, static_cast<ULONG_PTR>(context)); }
