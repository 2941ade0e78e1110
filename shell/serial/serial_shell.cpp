#include "serial_shell.h"

#include <cstdio>
#include <string>

#include "aux_port.h"
#include "comm.h"
#include "engine.h"
#include "messaging_folders.h"
#include "outbox.h"
#include "render_notify.h"
#include "serial_system_win32.h"
#include "shell_config.h"
#include "shell_state.h"
#include "win_serial.h"

namespace {

AuxPortSettings AuxSettings() {
  const tavix::ConfigBlock& c = Config.store.config;
  AuxPortSettings s;
  s.port = c.auxiliary_port;
  s.speed = c.auxiliary_speed;
  s.crTerminate = c.auxiliary_cr_terminate != 0;
  s.read = c.auxiliary_read != 0;
  s.messagingOn = Messaging.enabled && Messaging.haveDirectory && Messaging.directory[0];
  return s;
}

// A new outbox file, created here so that no other file is appended to; the
// outbox passes it over while it is filled.
std::string OutboxFileName() {
  static unsigned counter = 0;
  const MessagingFolders f = CurrentMessagingFolders();
  if (!Messaging.enabled || OutboxFolder(f).empty()) return std::string();
  CreateDirectoryA(WithSeparator(f.directory).c_str(), nullptr);
  CreateDirectoryA(OutboxFolder(f).c_str(), nullptr);
  for (unsigned tries = 0; tries < 100000; ++tries) {
    const std::string name = AuxOutboxFileName(f, counter++);
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      CloseHandle(h);
      Messaging.auxOutboxFile = name;
      return name;
    }
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return std::string();
}

void WriteHost(const uint8_t* bytes, int count) { Channels.current->write(bytes, count); }

void StartTimer(int id, int milliseconds) {
  if (Shell.mainWindow) SetTimer(Shell.mainWindow, static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), nullptr);
}

void StopTimer(int id) {
  if (Shell.mainWindow) KillTimer(Shell.mainWindow, static_cast<UINT_PTR>(id));
}

bool HoldKeys() {
  if (Screen.busy) return false;  // the host holds them already
  HostBusy();
  FlushRenderNotifications();
  return true;
}

void ReleaseKeys() {
  HostReady();
  FlushRenderNotifications();
}

void MessageArrived() {
  Messaging.auxOutboxFile.clear();  // filled: the outbox takes it now
  if (Shell.mainWindow) PostMessageA(Shell.mainWindow, kMsgMessageArrived, 0, 0);
}

void Unavailable() { MessageBoxA(Shell.mainWindow, "Auxiliary port unavailable", kProgramTitle, MB_OK | MB_ICONSTOP); }

class ShellAuxPort final : public AuxPortSeam {
 public:
  bool IsOpen() override { return AuxiliaryPort.IsOpen(); }
  void StartHostRead(int seconds) override { AuxiliaryPort.StartHostRead(seconds); }
  void Write(const uint8_t* bytes, int count) override { AuxiliaryPort.Write(bytes, count); }
};

ShellAuxPort auxSeam;

}  // namespace

void AttachSerialLines(HWND mainWindow) {
  SerialCalls.SetWindow(mainWindow);
  SerialChannel.attach(&SerialCalls);
  AuxPortHooks h;
  h.writeHost = WriteHost;
  h.startTimer = StartTimer;
  h.stopTimer = StopTimer;
  h.holdKeys = HoldKeys;
  h.releaseKeys = ReleaseKeys;
  h.messageArrived = MessageArrived;
  h.unavailable = Unavailable;
  h.outboxFileName = OutboxFileName;
  AuxiliaryPort.Attach(&SerialCalls, h);
}

AuxPortSeam* AuxPortSeamForShell() { return &auxSeam; }

void OpenAuxiliaryPort() {
  AuxiliaryPort.Configure(AuxSettings());
  AuxiliaryPort.Open();
}

void CloseAuxiliaryPort() { AuxiliaryPort.Close(); }

void AuxiliaryDataArrived(WPARAM wParam, LPARAM lParam) {
  AuxiliaryPort.DataArrived(wParam, lParam);
  FlushRenderNotifications();
}

void AuxiliaryReadTimedOut() {
  AuxiliaryPort.HostReadTimedOut();
  FlushRenderNotifications();
}
