// The viewer thread: owns the hidden window, OLE, the helper library and the
// viewer, and runs the message loop the helper library relies on.
#include <ole2.h>

#include "roster_record.h"

namespace {

const char kClassName[] = "RosterClass";
const char kWindowTitle[] = "Roster";

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

bool CreateHiddenWindow() {
  WNDCLASSA wc = {};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = Roster.module;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kClassName;
  if (!RegisterClassA(&wc)) return false;
  Roster.window = CreateWindowA(kClassName, kWindowTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, Roster.module, nullptr);
  return Roster.window != nullptr;
}

MoxelToHelper* Connect() {
  // By full path; the library's own dependencies are looked for beside it.
  HMODULE helper = LoadLibraryExA(Roster.libraryPath, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!helper) return nullptr;
  ConnectToHelperFn connect = Lookup<ConnectToHelperFn>(helper, "ConnectToHelper");
  if (!connect) return nullptr;
  return connect(RosterCallbacks());
}

// The viewer's list exists only after its first clear: an entry or a show
// that comes first creates it.
void EnsureList() {
  if (Roster.listMade) return;
  Roster.listMade = true;
  Roster.viewer->ClearList();
}

void Serve() {
  ResetEvent(Roster.request);
  switch (Roster.command) {
    case kClearList:
      Roster.listMade = true;
      Roster.viewer->ClearList();
      SetEvent(Roster.done);
      break;
    case kAddEntry:
      EnsureList();
      Roster.viewer->AddItem(Roster.entry);
      SetEvent(Roster.done);
      break;
    case kShowList:
      // The caller goes on as soon as the request is taken.
      SetEvent(Roster.done);
      EnsureList();
      Roster.viewer->ShowList();
      break;
    default:
      SetEvent(Roster.done);
      break;
  }
}

// Idle work runs while nothing is pending, with a count rising from 0, until
// the viewer says there is no more; then the thread sleeps until a request
// or input arrives.
int RunLoop() {
  bool idle = true;
  long count = 0;
  for (;;) {
    DWORD wait = MsgWaitForMultipleObjectsEx(1, &Roster.request, idle ? 0 : INFINITE, QS_ALLINPUT,
                                             MWMO_INPUTAVAILABLE);
    if (wait == WAIT_TIMEOUT) {
      if (!Roster.viewer->OnIdle(count++)) idle = false;
      continue;
    }
    idle = true;
    count = 0;
    if (wait == WAIT_OBJECT_0) {
      Serve();
      continue;
    }
    if (wait != WAIT_OBJECT_0 + 1) return 1;  // the wait itself failed
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) continue;
    if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
    if (Roster.viewer->PreTranslateMessage(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

DWORD WINAPI ViewerThread(LPVOID) {
  if (!CreateHiddenWindow()) {
    SetEvent(Roster.done);
    return 1;
  }
  OleInitialize(nullptr);
  MoxelToHelper* viewer = Connect();
  if (!viewer) {
    SetEvent(Roster.done);
    return 1;
  }
  Roster.viewer = viewer;
  Roster.connected = true;
  SetEvent(Roster.done);
  return static_cast<DWORD>(RunLoop());
}
