// Where PC messaging keeps its files: [Message] "Messageing enabled",
// "Directory" and "Use subdirectory", and the folders made from them at
// start-up. The "&" transfer endpoint writes into the "ToPC" folder.
#include <windows.h>

#include <cstdio>
#include <string>

#include "main_window.h"
#include "messaging_folders.h"
#include "shell_config.h"

namespace {

constexpr char kMessageSection[] = "Message";
const char* const kFolders[] = {"FromPC", "ToPC", "Msg-in", "Msg-ack"};

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

bool MakeMessagingFolders(const std::string& directory, bool subfolders) {
  if (!MakeFolderPath(directory)) return false;
  if (!subfolders) return true;
  std::string base = directory;
  if (base.back() != '\\' && base.back() != '/') base += '\\';
  for (const char* folder : kFolders)
    if (!MakeFolderPath(base + folder)) return false;
  return true;
}

std::string CurrentDirectoryWithBackslash() {
  char here[MAX_PATH] = "";
  DWORD n = GetCurrentDirectoryA(sizeof here, here);
  std::string s = n > 0 && n < sizeof here ? here : ".";
  if (s.back() != '\\') s += '\\';
  return s;
}

}  // namespace

void LoadMessagingFolders() {
  tavix::VariantIni& ini = Config.variantIni;
  ResetMessaging();
  Messaging.enabled = ini.read_migrated_int("Messageing enabled", 1) != 0;
  Messaging.useSubdirectory = ini.read_migrated_int("Use subdirectory", 1) != 0;
  const std::string here = CurrentDirectoryWithBackslash();
  std::string directory = ini.read_migrated_string("Directory", "", kMessageDirectorySize);
  if (directory.empty()) directory = here;
  if (!MakeMessagingFolders(directory, Messaging.useSubdirectory)) {
    // The current directory instead, kept as the setting.
    directory = here;
    if (!MakeMessagingFolders(directory, Messaging.useSubdirectory)) return;
    ini.write_string(kMessageSection, "Directory", directory.c_str());
  }
  std::snprintf(Messaging.directory, sizeof Messaging.directory, "%s", directory.c_str());
  Messaging.haveDirectory = true;
}
