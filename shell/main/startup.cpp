// Program entry: the start-up order, the window classes and the instance
// initialisation.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "engine_bridge.h"
#include "main_window.h"
#include "login_report_win32.h"
#include "message_box.h"
#include "drop_target.h"
#include "message_loop.h"
#include "messaging_shell.h"
#include "shell/sound/tone_player_win32.h"
#include "resource_ids.h"
#include "shell/config/user_directory.h"
#include "shell/render/renderer.h"
#include "shell_config.h"
#include "shell_state.h"
#include "serial_shell.h"
#include "shell/editlink/helper_link_win32.h"
#include "shell/printing/printing_win32.h"

namespace {

HANDLE browseMutex;

bool RegisterWindowClasses(HINSTANCE instance) {
  WNDCLASSA view = {};
  view.lpfnWndProc = ViewWindowProc;
  view.hInstance = instance;
  view.lpszClassName = kViewClass;
  view.hCursor = LoadCursor(nullptr, IDC_ARROW);

  WNDCLASSA main = {};
  main.style = CS_DBLCLKS;
  main.lpfnWndProc = MainWindowProc;
  main.hInstance = instance;
  main.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TAVIX));
  main.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  main.lpszMenuName = MAKEINTRESOURCEA(IDM_MAIN);
  main.lpszClassName = kMainClass;

  WNDCLASSA full = {};
  full.style = CS_DBLCLKS;
  full.lpfnWndProc = MainWindowProc;
  full.hInstance = instance;
  full.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  full.lpszClassName = kFullScreenClass;

  return RegisterClassA(&view) && RegisterClassA(&main) && RegisterClassA(&full);
}

// On Windows NT the configuration lives in a per-user directory seeded from
// the start directory, which then becomes the current directory.
void PrepareUserDirectory() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version) || version.dwPlatformId != VER_PLATFORM_WIN32_NT) return;
  std::string userDir = tavix::user_directory_for(std::getenv("USERPROFILE"));
  if (userDir.empty()) return;
  char start[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(sizeof start, start);
  if (n == 0 || n >= sizeof start) return;
  if (tavix::prepare_user_directory(userDir, start)) SetCurrentDirectoryA(userDir.c_str());
}

// The stored placement is used when complete, recorded on a screen of the
// same width, and the window it gives fits the work area.
bool StoredPlacementFits(int width, int height, RECT& out) {
  const tavix::ConfigStore& store = Config.store;
  if (!Shell.savedPlacementValid || !store.placement.complete()) return false;
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  out = {store.placement.window_x, store.placement.window_y, store.placement.window_x + width,
         store.placement.window_y + height};
  return out.left >= work.left && out.top >= work.top && out.right <= work.right && out.bottom <= work.bottom;
}

bool InitialiseInstance(int show) {
  Shell.msgWheel = RegisterWindowMessageA("MSWHEEL_ROLLMSG");
  Shell.msgSourceRequest = RegisterWindowMessageA("Message Source Request");
  Shell.msgTester = RegisterWindowMessageA("MoxelTester");
  Shell.accelMain = LoadAcceleratorsA(Shell.instance, MAKEINTRESOURCEA(IDA_MAIN));
  Shell.accelBusy = LoadAcceleratorsA(Shell.instance, MAKEINTRESOURCEA(IDA_BUSY));
  Shell.accelEdit = LoadAcceleratorsA(Shell.instance, MAKEINTRESOURCEA(IDA_EDIT));

  int width, height;
  WindowSizeForFont(*Shell.mainFont, &width, &height);
  int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  RECT stored;
  if (StoredPlacementFits(width, height, stored)) {
    x = stored.left;
    y = stored.top;
  }
  Shell.savedPlacementValid = false;

  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  if (FontIsScalable(*Shell.mainFont)) style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
  Shell.mainWindow = CreateWindowA(kMainClass, kProgramTitle, style, x, y, width, height, nullptr, nullptr,
                                   Shell.instance, nullptr);
  if (!Shell.mainWindow) return false;
  FitWindowToGrid();

  CreateRenderObjects();
  AttachSound(Shell.mainWindow);
  SetSoundMode(Config.store.config.sound_mode);
  PostMessageA(Shell.mainWindow, WM_SETCURSOR, reinterpret_cast<WPARAM>(Shell.mainWindow), HTCLIENT);
  Shell.paintTarget = Shell.mainWindow;

  InstallDiscardHandler();
  Shell.capsLock = (GetKeyState(VK_CAPITAL) & 1) != 0;
  ClearCaretHideBits();
  UpdateSpinnerNow();

  ShowWindow(Shell.mainWindow, show);
  UpdateWindow(Shell.mainWindow);

  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  Config.store.config.printer = 0;  // the printer selection starts every run at 0
  AttachPrinting();
  SetMenuMarks();
  Config.store.correct_mouse_settings();
  if (ApplyColorOverrides()) InvalidateRect(Shell.mainWindow, nullptr, FALSE);
  return true;
}

// The first action after the window is up.
void PostFirstAction() {
  const tavix::ConfigBlock& c = Config.store.config;
  const tavix::CommandLine& cl = Config.commandLine;
  HMENU menu = GetMenu(Shell.mainWindow);
  if (!Config.channelConfigured) {
    EnableMenuItem(menu, CMD_CONNECT, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(menu, CMD_DIAL, MF_BYCOMMAND | MF_GRAYED);
    DrawMenuBar(Shell.mainWindow);
    PostMessageA(Shell.mainWindow, WM_COMMAND, CMD_COMMUNICATIONS, 0);
    return;
  }
  bool dialProfile = !cl.dial_profile.empty();
  if (c.autoconnect || !cl.user_id.empty()) {
    PostMessageA(Shell.mainWindow, WM_COMMAND, dialProfile ? CMD_DIAL : CMD_CONNECT, 0);
    return;
  }
  if (c.autodial || dialProfile) PostMessageA(Shell.mainWindow, WM_COMMAND, CMD_DIAL, 0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  if (!previous) {
    if (!RegisterWindowClasses(instance)) return 0;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    browseMutex = CreateMutexA(nullptr, FALSE, "MoxelBrowse");
    StartLoginReport();
  }
  Shell.instance = instance;
  PrepareUserDirectory();
  Shell.arrowCursor = LoadCursor(nullptr, IDC_ARROW);
  LoadConfiguration(commandLine);
  ConnectHelperLibrary();
  Shell.savedPlacementValid = Config.store.placement_valid;
  AttachEngineToShell();
  AttachChannelEvents();
  LoadMessagingSettings();
  StartAutoLoginFromCommandLine();
  if (!SetUpFonts(instance, Config.store)) {
    ShowStringMessage(nullptr, IDS_NO_SUITABLE_FONT);
    return 0;
  }
  DWORD ole = OleBuildVersion();
  if (HIWORD(ole) == 23 && LOWORD(ole) >= 631) Shell.oleReady = SUCCEEDED(OleInitialize(nullptr));
  if (!InitialiseInstance(show)) return 0;
  AttachSerialLines(Shell.mainWindow);
  RegisterDropTarget(Shell.mainWindow);
  // The watcher and the window values ("lwindow" always, "window" from the source).
  StartMessaging();
  OpenAuxiliaryPort();
  PostFirstAction();
  int code = RunMessageLoop();
  if (browseMutex) CloseHandle(browseMutex);
  if (Shell.oleReady) OleUninitialize();
  return code;
}
