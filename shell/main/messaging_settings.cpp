// [Message] at start-up and after the settings dialog: the switches, the
// message directory and its folders, the notice rules, and whether this
// instance is the message source (the named mutex "Moxel-messaging").
#include <windows.h>

#include <cstdio>
#include <string>

#include "messaging_folders.h"
#include "messaging_internal.h"
#include "messaging_keys.h"
#include "messaging_shell.h"
#include "shell_config.h"
#include "shell_state.h"

namespace {

const char* const kFolders[] = {"FromPC", "ToPC", "Msg-in", "Msg-ack"};
constexpr char kConflictQuestion[] =
    "Messaging is already active on this PC\nMessaging will be input disabled for this session\n\n"
    "Do you want to receive this warning in the future?";

HANDLE sourceMutex;

// A folder with every missing parent; an existing one counts.
bool MakeFolderPath(const std::string& path) {
  std::string p = path;
  while (!p.empty() && (p.back() == '\\' || p.back() == '/')) p.pop_back();
  if (p.empty() || (p.size() == 2 && p[1] == ':')) return true;
  DWORD attributes = GetFileAttributesA(p.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  size_t parent = p.find_last_of("\\/");
  if (parent != std::string::npos && parent > 0 && !MakeFolderPath(p.substr(0, parent))) return false;
  return CreateDirectoryA(p.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::string CurrentDirectoryWithBackslash() {
  char here[MAX_PATH] = "";
  DWORD n = GetCurrentDirectoryA(sizeof here, here);
  std::string s = n > 0 && n < sizeof here ? here : ".";
  if (s.back() != '\\') s += '\\';
  return s;
}

}  // namespace

bool MakeMessagingFolders(const std::string& directory, bool subfolders) {
  if (directory.empty() || !MakeFolderPath(directory)) return false;
  if (!subfolders) return true;
  const std::string base = WithSeparator(directory);
  for (const char* folder : kFolders)
    if (!MakeFolderPath(base + folder)) return false;
  return true;
}

bool TakeSourceMutex() {
  if (!sourceMutex) sourceMutex = CreateMutexA(nullptr, FALSE, "Moxel-messaging");
  if (!sourceMutex) return false;
  // A source that died without letting go leaves the mutex abandoned: it is ours then.
  const DWORD r = WaitForSingleObject(sourceMutex, 0);
  return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
}

HANDLE SourceMutexHandle() {
  if (!sourceMutex) sourceMutex = CreateMutexA(nullptr, FALSE, "Moxel-messaging");
  return sourceMutex;
}

void ReleaseSourceMutex() {
  if (sourceMutex && Messaging.source) ReleaseMutex(sourceMutex);
  Messaging.source = false;
}

void CloseSourceMutex() {
  ReleaseSourceMutex();
  if (sourceMutex) CloseHandle(sourceMutex);
  sourceMutex = nullptr;
}

void LoadMessagingFolders() {
  const MessagingKeys keys = ReadMessagingKeys(Config.variantIni);
  Messaging.haveDirectory = false;
  Messaging.directory[0] = 0;
  Messaging.useSubdirectory = keys.useSubdirectory;
  std::string directory = keys.directory.empty() ? CurrentDirectoryWithBackslash() : keys.directory;
  // The current directory serves this run when the folders cannot be made
  // there; the setting stays as the user wrote it.
  if (!MakeMessagingFolders(directory, Messaging.useSubdirectory)) {
    directory = CurrentDirectoryWithBackslash();
    if (!MakeMessagingFolders(directory, Messaging.useSubdirectory)) return;
  }
  std::snprintf(Messaging.directory, sizeof Messaging.directory, "%s", directory.c_str());
  Messaging.haveDirectory = true;
}

void LoadMessagingRules() {
  const MessagingKeys keys = ReadMessagingKeys(Config.variantIni);
  Messaging.scanExtension = keys.scanExtension;
  Messaging.useMsgInExtensions = keys.useMsgInExtensions;
  Messaging.msgInExtensions = keys.msgInExtensions;
}

void LoadMessagingSettings() {
  tavix::VariantIni& ini = Config.variantIni;
  const bool wasSource = Messaging.source;
  ResetMessaging();
  Messaging.source = wasSource;
  MessagingKeys keys = ReadMessagingKeys(ini);
  Messaging.enabled = keys.enabled;
  Messaging.notifyConflict = keys.notifyConflict;
  if (Messaging.enabled && !Messaging.source) {
    Messaging.source = TakeSourceMutex();
    if (!Messaging.source && !Messaging.notifyConflict &&
        MessageBoxA(Shell.mainWindow, kConflictQuestion, kProgramTitle, MB_YESNO | MB_ICONEXCLAMATION) == IDNO) {
      Messaging.notifyConflict = keys.notifyConflict = true;
      WriteMessagingKeys(ini, keys, false);
    }
  }
  LoadMessagingFolders();
  LoadMessagingRules();
  WriteMessagingDirectoryValue();
}

void WriteMessagingDirectoryValue() {
  if (Messaging.enabled && Messaging.source && Messaging.haveDirectory)
    tavix::write_messaging_directory(Config.registry, Messaging.directory);
}
