#include "roster_dll.h"

namespace {

const char kKey[] = "SOFTWARE\\Corvane\\Corvane Terminal Emulator";

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

bool WriteValue(DWORD type, const BYTE* data, DWORD size) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  bool ok = RegSetValueExA(key, "STARTUP", 0, type, data, size) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

}  // namespace

bool RosterDll::Load(const char* path) {
  module = LoadLibraryA(path);
  if (!module) return false;
  clearList = Lookup<NoArgumentsFn>(module, "Java_com_corvaneinc_MoxelViewer_clearList");
  addName = Lookup<AddNameFn>(module, "Java_com_corvaneinc_MoxelViewer_addName");
  showList = Lookup<NoArgumentsFn>(module, "Java_com_corvaneinc_MoxelViewer_showList");
  testFunction = Lookup<TestFunctionFn>(module, "TestFunction");
  return clearList && addName && showList && testFunction;
}

bool SetStartup(const std::string& folder) {
  return WriteValue(REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()), static_cast<DWORD>(folder.size() + 1));
}

bool SetStartupAsNumber(DWORD value) { return WriteValue(REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value); }

void RemoveStartup() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, "STARTUP");
  RegCloseKey(key);
}

std::string FolderOfFile(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string LoadedModulePath(const char* name) {
  HMODULE module = GetModuleHandleA(name);
  if (!module) return std::string();
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(module, path, sizeof path);
  return std::string(path, n);
}

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}
