// roster_probe.exe FOLDER: run in the prefix the installer set up, it checks
// that the installed Roster.dll finds the installed helper.dll through the
// registry: HKLM "STARTUP" names FOLDER, TestFunction and the three Java
// natives (on the fake JNI environment) succeed, and the helper library in
// the process is FOLDER\helper.dll. Exit status 0 when all holds.
#include <windows.h>

#include <cstdio>
#include <string>

#include "fake_jni.h"
#include "roster_dll.h"

namespace {

int Fail(const std::string& why) {
  std::printf("roster_probe: %s\n", why.c_str());
  std::fflush(stdout);
  ExitProcess(1);
}

std::string ReadStartup() {
  char value[MAX_PATH + 1] = {};
  DWORD size = MAX_PATH;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Corvane\\Corvane Terminal Emulator", "STARTUP", RRF_RT_REG_SZ,
                   nullptr, value, &size) != ERROR_SUCCESS)
    return std::string();
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return Fail("usage: roster_probe FOLDER");
  const std::string folder = argv[1];
  const std::string startup = ReadStartup();
  if (lstrcmpiA(startup.c_str(), folder.c_str()) != 0) return Fail("STARTUP is \"" + startup + "\", not " + folder);
  if (GetModuleHandleA("helper.dll")) return Fail("helper.dll was loaded before Roster.dll");
  RosterDll roster;
  if (!roster.Load((folder + "\\Roster.dll").c_str())) return Fail("the installed Roster.dll or its exports are missing");
  // Two entries, so that the viewer opens neither by itself; TestFunction
  // last: its single entry may be opened at once, after it has returned.
  FakeJni jni;
  if (roster.clearList(jni.env(), jni.Object()) != 0) return Fail("clearList failed");
  if (roster.addName(jni.env(), jni.Object(), jni.String("C:\\users\\Public\\scan.png"), jni.String("a scan")) != 0 ||
      roster.addName(jni.env(), jni.Object(), jni.String("C:\\users\\Public\\fax.tif"), jni.String("a fax")) != 0)
    return Fail("addName failed");
  if (roster.showList(jni.env(), jni.Object()) != 0) return Fail("showList failed");
  if (roster.testFunction() != 0) return Fail("TestFunction failed");
  const std::string helper = LoadedModulePath("helper.dll");
  if (lstrcmpiA(helper.c_str(), (folder + "\\helper.dll").c_str()) != 0)
    return Fail("the helper library in use is \"" + helper + "\"");
  std::printf("roster_probe: Roster.dll found %s through STARTUP\n", helper.c_str());
  std::fflush(stdout);
  // The viewer thread goes with the process.
  ExitProcess(0);
}
