#include "engine_bridge.h"

#include "main_window.h"

#include <cstdio>
#include <cstring>

#include "comm.h"
#include "edit_relay.h"
#include "engine.h"
#include "render_notify.h"
#include "message_line.h"
#include "file_selection.h"
#include "shell/dialogs/tray_icon_win32.h"
#include "login_report_win32.h"
#include "shell/ingress/auto_login.h"
#include "shell/ingress/ingress.h"
#include "shell/keyboard/input_mode.h"
#include "shell/keyboard/key_dispatcher.h"
#include "shell/keyboard/keyboard_messages_win32.h"
#include "shell/render/renderer.h"
#include "shell/sound/tone_player_win32.h"
#include "shell_config.h"
#include "shell_state.h"
#include "shell_timers.h"
#include "dialing_shell.h"
#include "serial_shell.h"
#include "shell/editlink/helper_link_win32.h"
#include "aux_port.h"
#include "file_port_win32.h"
#include "print_service.h"
#include "transfer_objects.h"
#include "transfer_service.h"
#include "advise_seam.h"
#include "conversations.h"
#include "dde_port_win32.h"
#include "shell/config/helper_list.h"

namespace {

constexpr UINT kSpinnerMilliseconds = 250;

class Win32EngineShell final : public EngineShell {
 public:
  void InvalidateCells(int col, int row, int width, int height) override {
    InvalidateCellRect(col, row, width, height);
  }
  void CursorMoved() override { MoveCaret(); }

  bool SoundEnabled() override { return true; }
  bool TonePlaying() override { return SoundPlaying(); }
  void QueueTone(int length, int frequency) override { QueueSoundTone(length, frequency); }

  void StartTimer(int id, int milliseconds) override {
    if (Shell.mainWindow) SetTimer(Shell.mainWindow, static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), nullptr);
  }
  void StopTimer(int id) override {
    if (Shell.mainWindow) KillTimer(Shell.mainWindow, static_cast<UINT_PTR>(id));
  }

  void SetSpinnerRunning(bool running) override {
    if (running) {
      StartTimer(kTimerSpinner, kSpinnerMilliseconds);
      AddCaretHideBits(kCaretHiddenBusy);
    } else {
      StopTimer(kTimerSpinner);
      RemoveCaretHideBits(kCaretHiddenBusy);
    }
  }
  void ResetStatusIndicators() override { ClearCaretHideBits(); }

  void SetCaptionText(const char* text) override {
    char caption[512];
    if (text && *text) {
      std::snprintf(caption, sizeof caption, "%s %s", ConfiguredTitle(), text);
    } else {
      std::snprintf(caption, sizeof caption, "%s", ConfiguredTitle());
    }
    if (Shell.mainWindow) SetWindowTextA(Shell.mainWindow, caption);
  }
  void BringToForeground() override {
    if (!Shell.mainWindow) return;
    if (IsIconic(Shell.mainWindow)) ShowWindow(Shell.mainWindow, SW_RESTORE);
    SetForegroundWindow(Shell.mainWindow);
  }
  void ActivateWindowBehind() override {
    // The first visible, titled top-level window below ours in the z-order.
    for (HWND w = GetWindow(Shell.mainWindow, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (!IsWindowVisible(w) || GetParent(w) || GetWindowTextLengthA(w) == 0) continue;
      SetForegroundWindow(w);
      return;
    }
  }
  void SetOptionFlag(bool set) override { optionFlag_ = set; }
  void SetDisconnectPassword(const uint8_t* bytes, int length) override {
    SetHostDisconnectPassword(bytes, length);
  }
  int ReceiveTraceLength() override { return TraceDumpLength(); }
  uint8_t ReceiveTraceByte(int index) override { return TraceDumpByte(index); }
  void ScreenInitialised() override { StopAutoLogin(); }
  void HostMessageArrived(const char* text, int length) override {
    std::string line(text, static_cast<size_t>(length));
    ShowOrUpdateTrayIcon(Shell.instance, Shell.mainWindow, line.c_str());
  }
  const char* UserId() override { return Config.store.active.userid; }
  bool UserScreenListEnabled() override { return Config.store.config.udef_screens != 0; }
  void FailureNotice() override {
    if (Shell.mainWindow) PostMessageA(Shell.mainWindow, WM_COMMAND, kFailureNoticeCommand, 0);
  }

  bool optionFlag_ = false;
};

// The engine's view of the current channel.
class CurrentChannelPort final : public ChannelPort {
 public:
  void write(const uint8_t* bytes, int count) override { Channels.current->write(bytes, count); }
  bool when_drained(void (*callback)()) override { return Channels.current->when_drained(callback); }
  const char* local_address() override { return Channels.current->local_address(); }
};

// ESC L I / ESC L O go to the login report with the window's title.
class ShellLoginReport final : public LoginReportSeam {
 public:
  void AnnounceLogin(const char* text) override { ReportLogin(text, MainTitle()); }
  void AnnounceLogout() override { ReportLogout(MainTitle()); }
};

// The transfers and file services, and ESC D B: the file-selection service.
class ShellFiles final : public TransferService {
 public:
  void ChoosePath(bool directory, const char* text, char* out, int outSize) override {
    ChoosePathForHost(directory, text, out, outSize);
  }
};

// The helper commands' named programs: [Helpers-32] of the configuration.
int ReadConfiguredHelper(const char* name, char* out, int size) {
  return tavix::ReadHelperCommand(Config.variantIni, name, out, size);
}

Win32EngineShell engineShell;
DdeAdviseSeam ddeAdvise;
ShellLoginReport loginReport;
ShellFiles files;
TransparentPrintService printing;
Win32FilePort fileSystem;
CurrentChannelPort channelPort;

const char* MainTitleText() {
  static std::string title;
  title = MainTitle();
  return title.c_str();
}

// A long download's byte counter: the window repaints now, not when the
// socket messages let it.
void RepaintNow() {
  FlushRenderNotifications();
  if (Shell.paintTarget) UpdateWindow(Shell.paintTarget);
}

void WriteKeyBytes(const uint8_t* bytes, int count) { Channels.current->write(bytes, count); }
void WriteAutoLogin(const uint8_t* bytes, int count) { Channels.current->write(bytes, count); }

}  // namespace

void AttachEngineToShell() {
  EngineContext c{};
  c.shell = &engineShell;
  c.channel = &channelPort;
  c.loginReport = &loginReport;
  c.files = &files;
  c.printing = &printing;
  c.keyboard = AttachKeyboardToShell();
  c.dialing = DialSeamForShell();
  c.auxPort = AuxPortSeamForShell();
  c.viewer = ViewerSeamForShell();
  c.dde = &ddeAdvise;
  AttachEngine(c);
  TransferPorts = TransferWiring{&fileSystem, AuxPortWriteSync, AuxPortReleaseAfterTransfer, RepaintNow, nullptr, nullptr};
  // Helper endpoints ("/" names) and their DDE conversations.
  DdeSystem.Attach(&Shell.mainWindow, ReadConfiguredHelper);
  AttachDdePort(&DdeSystem);
  ResetEngine();
  // The first connection starts on the initialised 80 x 24 work area, as
  // every later one does after a close: a host that greets with plain text
  // (a login prompt) would otherwise write into a one-cell window.
  ScreenInitialisation();
  // The program editor's windows: the library's CreateEditWindow when
  // helper.dll was loaded (start-up step 7 comes first); without it kind 6
  // is answered "0".
  AttachEditWindows(EditWindowPort{HelperLink.createEditWindow, &TheEditToMoxel, MainTitleText});
  KeyBytesOut = WriteKeyBytes;
}

bool HandleEngineTimer(UINT_PTR id) {
  switch (id) {
    case kTimerMarquee:
      MarqueeTick();
      return true;
    case kTimerSpinner:
      AdvanceSpinner();
      return true;
    case kTimerDdeLaunch:
      DdeLaunchTimedOut();
      return true;
    case kTimerCursor:
      // The remembered cursor's timer: its owner arrives with the host windows.
      KillTimer(Shell.mainWindow, id);
      return true;
    default:
      return false;
  }
}

void StartAutoLoginFromCommandLine() {
  const tavix::CommandLine& cl = Config.commandLine;
  AutoLoginSettings s;
  s.userId = cl.user_id;
  s.hasPassword = !cl.password.empty();
  s.password = cl.password;
  s.hasAccount = !cl.account.empty();
  s.account = cl.account;
  s.hasScript = !cl.keystrokes.empty();
  s.script = cl.keystrokes;
  AutoLogin.write = WriteAutoLogin;
  AutoLogin.typeAhead = TypeAheadFromScript;
  if (!s.userId.empty()) StartAutoLogin(s);
}

void UpdateSpinnerNow() {
  AdvanceSpinner();
  FlushRenderNotifications();
}

bool LocalModeFlag() { return InputMode.localMode; }
bool BusyFlag() { return Screen.busy != 0; }
bool LocalEditingFlag() { return InputMode.localEditing; }

void InstallDiscardHandler() { SetInputMode(DiscardHandler, 0); }

void DispatchKeyCode(int code) { DispatchKey(code); }

std::string MainTitle() {
  char title[256] = "";
  if (Shell.mainWindow) GetWindowTextA(Shell.mainWindow, title, sizeof title);
  return title;
}

const char* ConfiguredTitle() {
  static char title[160];
  const std::string& label = Config.commandLine.host_label;
  if (label.empty()) {
    std::snprintf(title, sizeof title, "%s", kProgramTitle);
  } else {
    std::snprintf(title, sizeof title, "%s %s", kProgramTitle, label.c_str());
  }
  return title;
}
