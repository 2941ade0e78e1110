#include "dialing_shell.h"

#include <cstdio>

#include "comm.h"
#include "dial_entry.h"
#include "dial_service.h"
#include "dialog_controls.h"
#include "gdl_pass.h"
#include "main_window.h"
#include "message_box.h"
#include "resource_ids.h"
#include "root_cipher.h"
#include "shell/config/ini_win32.h"
#include "shell_config.h"
#include "shell_state.h"
#include "shell_timers.h"

namespace {

constexpr DWORD kLockMilliseconds = 180000;
constexpr char kNumberTooLong[] = "The dial string for this entry is too long; nothing was dialed.";

// "MoxelDialFile", shared by every terminal on the PC; timer 9 gives it up.
class Win32DialLock final : public DialLock {
 public:
  bool TryLock() override {
    if (held_) return true;
    if (!Mutex()) return false;
    DWORD r = WaitForSingleObject(mutex_, 0);
    held_ = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
    return held_;
  }
  void Unlock() override {
    StopTimer();
    if (held_) ReleaseMutex(mutex_);
    held_ = false;
  }
  bool LockedElsewhere() override {
    if (held_ || !Mutex()) return false;
    DWORD r = WaitForSingleObject(mutex_, 0);
    if (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED) {
      ReleaseMutex(mutex_);
      return false;
    }
    return true;
  }
  void RestartTimer() override { SetTimer(Shell.mainWindow, kTimerDialLock, kLockMilliseconds, nullptr); }
  void StopTimer() override { KillTimer(Shell.mainWindow, kTimerDialLock); }

 private:
  HANDLE Mutex() {
    if (!mutex_) mutex_ = CreateMutexA(nullptr, FALSE, "MoxelDialFile");
    return mutex_;
  }
  HANDLE mutex_ = nullptr;
  bool held_ = false;
};

std::string OsVersionText() {
  OSVERSIONINFOA v = {};
  v.dwOSVersionInfoSize = sizeof v;
  GetVersionExA(&v);
  char text[48];
  std::snprintf(text, sizeof text, "%lu.%lu.%lu", static_cast<unsigned long>(v.dwMajorVersion),
                static_cast<unsigned long>(v.dwMinorVersion), static_cast<unsigned long>(v.dwBuildNumber & 0xFFFF));
  return text;
}

struct DialingRecord {
  tavix::Win32Ini local{"./corvane.ldl"};
  tavix::Win32Ini global{"./corvane.gdl"};
  FileGdlStore store;
  Win32DialLock lock;
  GdlPass pass{store, lock};
  DialDirectoryService service{pass, lock, global, OsVersionText};
};

DialingRecord& Dialing() {
  static DialingRecord record;
  return record;
}

INT_PTR CALLBACK UserPasswordProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(box, DWLP_USER, lParam);
      SendDlgItemMessageA(box, IDC_PASSWORD_TEXT, EM_LIMITTEXT, 78, 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto* typed = reinterpret_cast<std::string*>(GetWindowLongPtrA(box, DWLP_USER));
        *typed = DialogText(box, IDC_PASSWORD_TEXT, 79);
        EndDialog(box, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(box, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

tavix::IniFile& LocalDirectoryFile() { return Dialing().local; }
tavix::IniFile& GlobalDirectoryFile() { return Dialing().global; }
DialSeam* DialSeamForShell() { return &Dialing().service; }
void DialLockExpired() { Dialing().pass.Expired(); }
void DialingDisconnected() { Dialing().pass.Abandon(); }
void ForgetDialledEntry() { Dialled = DialledRecord{}; }

bool AskUserPassword(HWND owner, std::string* typed) {
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PASSWORD_PROMPT), owner, UserPasswordProc,
                         reinterpret_cast<LPARAM>(typed)) == IDOK;
}

void SendStoredLoginPassword(HWND owner) {
  if (Dialled.password.empty()) return;
  std::string user;
  if (!AskUserPassword(owner, &user)) return;
  if (user.empty()) {
    // No key can be made from an empty password.
    ShowStringMessage(owner, IDS_INVALID_PASSWORD);
    return;
  }
  std::string text;
  if (!DecipherRoot(Dialled.password, user, &text)) return;  // unprintable: nothing is sent
  text += '\r';
  Channels.current->write(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
}

void DialEntry(HWND owner, const DirectoryEntry* entry, bool save) {
  ProfileStore profiles(Config.variantIni);
  profiles.EnsureDefault();
  const int n = profiles.Current();
  profiles.Select(n);
  DialProfile profile = profiles.Load(n);
  ActiveSettings configured;
  configured.block = Config.store.config;
  configured.port = Config.store.proxy_port;
  ActiveSettings active;
  DialledRecord dialled;
  switch (PrepareDial(entry, profile, profiles, Config.variantIni, configured, &active, &dialled)) {
    case DialOutcome::kNoDestination:
      ShowStringMessage(owner, IDS_NO_DESTINATION);
      return;
    case DialOutcome::kNumberTooLong:
      ShowMessage(owner, kNumberTooLong, kProgramTitle, MB_OK | MB_ICONSTOP);
      return;
    case DialOutcome::kHostTooLong:
      ShowStringMessage(owner, IDS_UNKNOWN_HOST);
      return;
    case DialOutcome::kBadPort:
      // Not a port: the connection cannot be made. Yes chooses again.
      if (ShowStringMessage(owner, IDS_UNABLE_TO_CONNECT, MB_YESNO | MB_DEFBUTTON2) == IDYES)
        PostMessageA(Shell.mainWindow, WM_COMMAND, CMD_DIAL, 0);
      return;
    case DialOutcome::kConnect:
      break;
  }
  Dialled = dialled;
  Config.store.active = active.block;
  Config.store.active_port = active.port;
  if (save) {
    Config.store.config = active.block;
    Config.store.proxy_port = active.port;
    Config.store.save_connection();
    Config.channelConfigured = tavix::settings_suffice_to_connect(Config.store.config);
  }
  Connect();
}
