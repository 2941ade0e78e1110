#include "serial_shell.h"

#include <cstdio>
#include <string>

#include "aux_port.h"
#include "comm.h"
#include "engine.h"
#include "outbox.h"
#include "render_notify.h"
#include "serial_system_win32.h"
#include "shell_config.h"
#include "shell_state.h"
#include "win_serial.h"

namespace {

// The message directory as the messaging settings give it: on, with a folder.
MessagingFolders Messaging(bool* on) {
  tavix::VariantIni& ini = Config.variantIni;
  MessagingFolders f;
  char current[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof current, current);
  *on = ini.read_migrated_int("Messageing enabled", 1) != 0;
  f.directory = ini.read_migrated_string("Directory", WithSeparator(current).c_str(), 512);
  f.useSubdirectory = ini.read_migrated_int("Use subdirectory", 1) != 0;
  f.scanExtension = ini.read_migrated_string("Scan extension", "", 10);
  if (f.directory.empty()) *on = false;
  return f;
}

AuxPortSettings AuxSettings() {
  const tavix::ConfigBlock& c = Config.store.config;
  AuxPortSettings s;
  s.port = c.auxiliary_port;
  s.speed = c.auxiliary_speed;
  s.crTerminate = c.auxiliary_cr_terminate != 0;
  s.read = c.auxiliary_read != 0;
  Messaging(&s.messagingOn);
  return s;
}

// A fresh outbox file; the folder is made when it is missing.
std::string OutboxFileName() {
  bool on = false;
  MessagingFolders f = Messaging(&on);
  std::string folder = OutboxFolder(f);
  if (!on || folder.empty()) return std::string();
  CreateDirectoryA(WithSeparator(f.directory).c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  for (unsigned long stamp = GetTickCount();; ++stamp) {
    std::string name = AuxOutboxFileName(f, stamp);
    if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES) return name;
  }
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
