// Start-up: find the helper library through the registry, start the viewer
// thread and wait until it has connected (or ended).
#include <cstring>

#include "roster_record.h"

RosterRecord Roster;

namespace {

const char kInstallKey[] = "SOFTWARE\\Corvane\\Corvane Terminal Emulator";
const char kProfileFolder[] = "%USERPROFILE%\\Corvane";

// The library path from HKLM "STARTUP" (a string value), and the settings
// file. False when either is missing or would not fit: nothing is marked
// and a later call looks again.
bool LookUpPaths() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  // One byte more than a value may hold, to see one that is too long.
  char value[roster::kTextSize + 1] = {};
  DWORD type = 0, size = sizeof value;
  LONG status = RegQueryValueExA(key, "STARTUP", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ || size > roster::kTextSize) return false;
  char library[roster::kTextSize];
  if (!roster::LibraryPathFromStartup(value, size, library)) return false;

  char expanded[roster::kTextSize + 1] = {};
  DWORD needed = ExpandEnvironmentStringsA(kProfileFolder, expanded, roster::kTextSize);
  char settings[roster::kTextSize];
  if (!roster::SettingsPathFromProfile(expanded, needed, settings)) return false;

  std::memcpy(Roster.libraryPath, library, sizeof library);
  std::memcpy(Roster.settingsFile, settings, sizeof settings);
  return true;
}

bool ThreadEnded() { return !Roster.thread || WaitForSingleObject(Roster.thread, 0) == WAIT_OBJECT_0; }

// Waits for the done event, or for the viewer thread's end; true for done.
bool WaitForDone() {
  HANDLE both[2] = {Roster.done, Roster.thread};
  DWORD which = WaitForMultipleObjects(2, both, FALSE, INFINITE);
  if (which != WAIT_OBJECT_0) return false;
  ResetEvent(Roster.done);
  return true;
}

}  // namespace

bool StartRoster() {
  if (Roster.started) return Roster.connected && !ThreadEnded();
  if (Roster.attempted) return false;
  if (!LookUpPaths()) return false;
  Roster.attempted = true;
  // The viewer thread runs this library's code until the process ends: an
  // unload must not take it away.
  HMODULE self;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCSTR>(&Roster), &self);
  Roster.request = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  Roster.done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!Roster.request || !Roster.done) return false;
  Roster.thread = CreateThread(nullptr, 0, ViewerThread, nullptr, 0, nullptr);
  if (!Roster.thread) return false;
  Roster.started = true;
  // A thread that ends without signalling (it died in the helper library)
  // counts as not connected.
  if (!WaitForDone()) Roster.connected = false;
  return Roster.connected && !ThreadEnded();
}

bool RequestViewer(int command, const char* entry) {
  if (command == kAddEntry) std::memcpy(Roster.entry, entry, sizeof Roster.entry);
  Roster.command = command;
  SetEvent(Roster.request);
  return WaitForDone();
}
