// The receive-trace commands: the viewer and its pages, saving and loading
// debug data, and the received-data dump.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "main_window.h"
#include "resource_ids.h"
#include "shell/ingress/debug_data.h"
#include "shell/ingress/received_dump.h"
#include "shell/ingress/trace_viewer.h"
#include "shell/render/renderer.h"
#include "shell_config.h"
#include "shell_state.h"

namespace {

// The top-level position of "De&Bug" in menu 105.
constexpr UINT kDebugMenuPosition = 8;

void Repaint() { InvalidateRect(Shell.paintTarget, nullptr, FALSE); }

bool AskDebugFile(HWND owner, bool save, char* path, DWORD size) {
  std::string filter = std::string(kDebugDataFilterName) + '\0' + kDebugDataFilterPattern + '\0' + '\0';
  path[0] = 0;
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = path;
  ofn.nMaxFile = size;
  ofn.lpstrDefExt = kDebugDataExtension;
  ofn.lpstrTitle = save ? kDebugDataTitleSave : kDebugDataTitleLoad;
  ofn.Flags = OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
  return save ? GetSaveFileNameA(&ofn) != 0 : GetOpenFileNameA(&ofn) != 0;
}

void ShowFailure(HWND owner, const char* message) {
  if (message) MessageBoxA(owner, message, kProgramTitle, MB_OK | MB_ICONSTOP);
}

}  // namespace

bool TraceViewerOpen() { return TraceViewerCells() != nullptr; }

void ToggleTraceViewerCommand() {
  bool open = ToggleTraceViewer();
  HiliteMenuItem(Shell.mainWindow, GetMenu(Shell.mainWindow), kDebugMenuPosition,
                 MF_BYPOSITION | (open ? MF_HILITE : MF_UNHILITE));
  if (open) {
    AddCaretHideBits(kCaretHiddenTrace);
  } else {
    RemoveCaretHideBits(kCaretHiddenTrace);
  }
  Repaint();
}

void TracePageCommand(bool older) {
  if ((older ? TraceViewerOlder() : TraceViewerNewer())) Repaint();
}

void SaveDebugDataCommand(HWND owner) {
  if (!TraceViewerOpen()) return;
  char path[MAX_PATH];
  if (!AskDebugFile(owner, true, path, sizeof path)) return;
  ShowFailure(owner, SaveDebugDataFile(path));
}

void LoadDebugDataCommand(HWND owner) {
  if (!TraceViewerOpen()) return;
  char path[MAX_PATH];
  if (!AskDebugFile(owner, false, path, sizeof path)) return;
  ShowFailure(owner, LoadDebugDataFile(path));
  RenderTraceViewer();
  Repaint();
}

void ReceivedDataDumpCommand() {
  char directory[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(sizeof directory, directory);
  if (n == 0 || n >= sizeof directory) return;
  std::string path = ReceivedDumpFileName(directory, Config.store.config.rcv_ext);
  if (!WriteReceivedDumpFile(path.c_str())) return;  // nothing when it cannot be created
  ShellExecuteA(Shell.mainWindow, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
