// Roster.dll loaded by path, its four exports looked up by their plain
// names, and the registry value it finds the helper library by.
#pragma once

#include <windows.h>

#include <jni.h>

#include <string>

struct RosterDll {
  typedef jint(JNICALL* NoArgumentsFn)(JNIEnv*, jobject);
  typedef jint(JNICALL* AddNameFn)(JNIEnv*, jobject, jstring, jstring);
  typedef int (*TestFunctionFn)(void);

  HMODULE module = nullptr;
  NoArgumentsFn clearList = nullptr;
  AddNameFn addName = nullptr;
  NoArgumentsFn showList = nullptr;
  TestFunctionFn testFunction = nullptr;

  // False when the library or any export is missing.
  bool Load(const char* path);
};

// HKLM "SOFTWARE\Corvane\Corvane Terminal Emulator" "STARTUP": set as a
// string, set as a DWORD (the wrong type), or removed.
bool SetStartup(const std::string& folder);
bool SetStartupAsNumber(DWORD value);
void RemoveStartup();
// The folder of a file path.
std::string FolderOfFile(const std::string& path);
// The full path of a loaded module, empty when it is not loaded.
std::string LoadedModulePath(const char* name);
// A Linux build path as Wine's Z: path.
std::string WindowsPath(const std::string& path);
