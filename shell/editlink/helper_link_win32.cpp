#include "helper_link_win32.h"

#include <string>

#include "edit_relay.h"

HelperLinkState HelperLink;
EditToMoxelI TheEditToMoxel;
HelperToMoxelI TheHelperToMoxel;

// The shell provides these (main window, configuration, string table).
HWND HelperLinkMainWindow();
tavix::VariantIni& HelperLinkConfiguration();
void HelperLinkShowString(HWND owner, UINT id);

namespace {

constexpr UINT kEditNoticeMessage = WM_USER + 10;  // 1034
constexpr UINT kEditSessionsClosedString = 28;
constexpr char kLibraryName[] = "helper.dll";

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The folder of the running program, with its trailing backslash.
std::string ProgramFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  if (n == 0 || n >= sizeof path) return std::string();
  std::string folder(path, n);
  const size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

class ShellEditPort final : public EditLinkPort {
 public:
  // Coalesced: one 1034 waits in the queue at a time.
  void NotifyPending() override {
    if (HelperLink.notifyPosted) return;
    HWND main = HelperLinkMainWindow();
    if (main && PostMessageA(main, kEditNoticeMessage, 0, 0)) HelperLink.notifyPosted = true;
  }
  // Never inside the window's own command: the close runs from the loop.
  void RequestClose(int session) override {
    HelperLink.closeRequests.push_back(session);
    if (HWND main = HelperLinkMainWindow()) PostMessageA(main, WM_COMMAND, kEditCloseRequestCommand, 0);
  }
};

ShellEditPort shellPort;

// The viewer's slots of the library's MoxelToHelper, as the host's
// sequences reach them.
class ShellViewer final : public ViewerSeam {
 public:
  void AddItem(const char* text) override {
    if (HelperLink.helper) HelperLink.helper->AddItem(text);
  }
  void ClearList() override {
    if (HelperLink.helper) HelperLink.helper->ClearList();
  }
  void ShowList() override {
    if (HelperLink.helper) HelperLink.helper->ShowList();
  }
};

ShellViewer shellViewer;

}  // namespace

DesktopRect ComputeDesktopRect() {
  DesktopRect d;
  d.right = GetSystemMetrics(SM_CXSCREEN);
  d.bottom = GetSystemMetrics(SM_CYSCREEN);
  OSVERSIONINFOA v = {};
  v.dwOSVersionInfoSize = sizeof v;
  const bool multiMonitorSystem =
      GetVersionExA(&v) && ((v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && v.dwMinorVersion != 0) ||
                            (v.dwPlatformId == VER_PLATFORM_WIN32_NT && v.dwMajorVersion >= 5));
  if (multiMonitorSystem && GetSystemMetrics(SM_CMONITORS) >= 2) {
    d.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    d.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    d.right = d.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    d.bottom = d.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  }
  return d;
}

void ConnectHelperLibrary() {
  TheEditToMoxel.Attach(&HelperLinkConfiguration(), &shellPort, ComputeDesktopRect());
  TheHelperToMoxel.Attach(&HelperLinkConfiguration());
  const std::string path = ProgramFolder() + kLibraryName;
  HelperLink.module = path.size() > sizeof kLibraryName ? LoadLibraryA(path.c_str()) : nullptr;
  if (!HelperLink.module) return;
  HelperLink.connect = Export<ConnectToHelperFn>(HelperLink.module, "ConnectToHelper");
  HelperLink.createEditWindow = Export<CreateEditWindowFn>(HelperLink.module, "CreateEditWindow");
  HelperLink.openFileName = Export<HelperOpenFileNameFn>(HelperLink.module, "HelperOpenFileName");
  if (HelperLink.connect) HelperLink.helper = HelperLink.connect(&TheHelperToMoxel);
}

void HelperIdlePhase() {
  if (!HelperLink.helper) return;
  MSG waiting;
  for (long count = 0; !PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE); ++count)
    if (!HelperLink.helper->OnIdle(count)) break;
}

bool HelperPreTranslate(MSG& msg) { return HelperLink.helper && HelperLink.helper->PreTranslateMessage(&msg); }

ViewerSeam* ViewerSeamForShell() { return &shellViewer; }

void CloseViewerList() {
  if (HelperLink.helper) HelperLink.helper->CloseList();
}

void EditNoticeArrived() { HelperLink.notifyPosted = false; }

void CloseRequestedEditSessions() {
  std::vector<int> sessions;
  sessions.swap(HelperLink.closeRequests);
  for (int session : sessions) CloseEditSessionFromShell(session);
}

bool EditSessionsBusy() { return EditRelay.edit && EditRelay.edit->AnyBusy(); }

void CloseAllEditSessions() {
  if (!EditRelay.edit) return;
  EditRelay.edit->CloseAll();
  ForgetEditWindows();
}

void EditSessionsAfterConnectionLoss(HWND owner) {
  MoxelToEdit* edit = EditRelay.edit;
  if (!edit) return;
  // Decided first: the closing and the switch to view-only empty the queues.
  const bool busy = edit->AnyBusy() != 0;
  edit->CloseIdle();
  edit->SetAllViewOnly();
  if (busy) HelperLinkShowString(owner, kEditSessionsClosedString);
}
