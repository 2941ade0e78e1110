// MoxelTester.dll loaded by path, as a test harness does: the end-to-end
// tests read the terminal's screen and type into it through it.
#pragma once

#include <windows.h>

#include <string>

#include "moxel_tester.h"

class TesterLibrary {
 public:
  TesterLibrary() = default;
  ~TesterLibrary();
  TesterLibrary(const TesterLibrary&) = delete;
  TesterLibrary& operator=(const TesterLibrary&) = delete;

  // Loads the library and looks up every export; false when any is missing.
  bool Load();

  GetTextProc GetText = nullptr;
  SetTextProc SetText = nullptr;
  TypeKeysProc TypeKeys = nullptr;
  HostBusyProc HostBusy = nullptr;
  GetTestCursorProc GetTestCursor = nullptr;
  GetTestWindowProc GetTestWindow = nullptr;
  GetTestErrorProc GetTestError = nullptr;
  GetMoxelWindowProc GetMoxelWindow = nullptr;
  SetMoxelWindowProc SetMoxelWindow = nullptr;

  // The text at (row, column) of the current host window, or "" when refused.
  std::string Text(int row, int column, int count);
  // The busy answer, or -1 when the call failed.
  int Busy();

 private:
  HMODULE module_ = nullptr;
};
