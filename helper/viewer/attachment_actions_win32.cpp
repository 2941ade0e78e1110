#include "attachment_actions_win32.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "framework.h"
#include "image_control_win32.h"

namespace viewer {

namespace {

constexpr int kHiddenControlId = 0x7FF0;

// A hidden image control over the file, fully decoded; null when the file
// does not load.
CImageControl* LoadHidden(HWND owner, const char* path) {
  RECT at = {0, 0, 64, 64};
  CImageControl* control = CImageControl::Create(owner, kHiddenControlId, at);
  if (!control) return nullptr;
  ShowWindow(control->Window(), SW_HIDE);
  // The page at its own size: what is copied or printed is the whole page,
  // not a picture of the hidden window's size.
  control->SetDisplayMode(kActualSize);
  ImageLoadStatus status = control->Load(path);
  if (status == kImageDecoding) status = control->Finish();
  if (status != kImageLoaded) {
    DestroyWindow(control->Window());
    return nullptr;
  }
  return control;
}

std::string LibraryFolder() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(HelperModule(), path, sizeof path);
  if (n == 0 || n >= sizeof path) return std::string();
  std::string folder(path, n);
  const size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

}  // namespace

bool RunSystemVerb(HWND owner, const char* verb, const char* path) {
  const HINSTANCE started = ShellExecuteA(owner, verb, path, nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(started) > 32;
}

bool PrintThroughImageControl(HWND owner, const char* path) {
  CImageControl* control = LoadHidden(owner, path);
  if (!control) return false;
  // The default printer, without asking: the list's command prints at once.
  PRINTDLGA pd = {};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  bool printed = false;
  if (PrintDlgA(&pd) && pd.hDC) {
    printed = control->Print(pd.hDC, 1, control->PageCount() > 0 ? control->PageCount() : 1, path);
    DeleteDC(pd.hDC);
  }
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  DestroyWindow(control->Window());
  return printed;
}

bool CopyThroughImageControl(HWND owner, const char* path) {
  CImageControl* control = LoadHidden(owner, path);
  if (!control) return false;
  const bool copied = control->CopyToClipboard(owner);
  DestroyWindow(control->Window());
  return copied;
}

void OpenViewerHelp(HWND owner) {
  // The system's help viewer is the program that opens .chm files.
  RunSystemVerb(owner, "open", (LibraryFolder() + "AttachViewer.chm").c_str());
}

const char* LibraryVersionText() {
  static std::string text;
  if (!text.empty()) return text.c_str();
  HRSRC found = FindResourceA(HelperModule(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));  // RT_VERSION
  HGLOBAL loaded = found ? LoadResource(HelperModule(), found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return "";
  // VerQueryValue needs a writable copy.
  const DWORD size = SizeofResource(HelperModule(), found);
  std::string copy(static_cast<const char*>(data), size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(&copy[0], "\\", reinterpret_cast<void**>(&info), &length) || !info) return "";
  char version[64];
  std::snprintf(version, sizeof version, "Version %u.%u.%u.%u", static_cast<unsigned>(HIWORD(info->dwProductVersionMS)),
                static_cast<unsigned>(LOWORD(info->dwProductVersionMS)),
                static_cast<unsigned>(HIWORD(info->dwProductVersionLS)),
                static_cast<unsigned>(LOWORD(info->dwProductVersionLS)));
  text = version;
  return text.c_str();
}

}  // namespace viewer
