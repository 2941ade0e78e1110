// MoxelTester.dll under Wine, loaded by path as a harness does, talking to a
// terminal window in this process that runs the terminal's own request
// handler over the real shared section and registered message.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "input_mode.h"
#include "key_commands.h"
#include "key_dispatcher.h"
#include "key_table.h"
#include "moxel_tester.h"
#include "screen_model.h"
#include "test_request_win32.h"

#ifndef MOXEL_TESTER_DLL
#error "MOXEL_TESTER_DLL must name the library under test"
#endif

namespace {

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

// The exports, looked up by name.
struct Library {
  HMODULE module = nullptr;
  GetTextProc GetText = nullptr;
  SetTextProc SetText = nullptr;
  TypeKeysProc TypeKeys = nullptr;
  HostBusyProc HostBusy = nullptr;
  GetTestCursorProc GetTestCursor = nullptr;
  GetTestWindowProc GetTestWindow = nullptr;
  GetTestErrorProc GetTestError = nullptr;
  GetMoxelWindowProc GetMoxelWindow = nullptr;
  SetMoxelWindowProc SetMoxelWindow = nullptr;

  bool Load() {
    module = LoadLibraryA(WindowsPath(MOXEL_TESTER_DLL).c_str());
    if (!module) return false;
    auto find = [this](auto& slot, const char* name) {
      slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(
          reinterpret_cast<void*>(GetProcAddress(module, name)));
      return slot != nullptr;
    };
    return find(GetText, "GetText") && find(SetText, "SetText") && find(TypeKeys, "TypeKeys") &&
           find(HostBusy, "HostBusy") && find(GetTestCursor, "GetTestCursor") &&
           find(GetTestWindow, "GetTestWindow") && find(GetTestError, "GetTestError") &&
           find(GetMoxelWindow, "GetMoxelWindow") && find(SetMoxelWindow, "SetMoxelWindow");
  }
  ~Library() {
    if (module) FreeLibrary(module);
  }
};

// What the in-process terminal saw.
struct TerminalLog {
  UINT message = 0;
  int exchanges = 0;
  std::vector<int32_t> codes;
};
TerminalLog terminalLog;

void ClearLog() {
  const UINT message = terminalLog.message;
  terminalLog = TerminalLog{};
  terminalLog.message = message;
}

int RecordKey(int32_t code) {
  terminalLog.codes.push_back(code);
  return 1;
}

LRESULT CALLBACK TerminalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == terminalLog.message) {
    ++terminalLog.exchanges;
    return AnswerTestRequest(window);
  }
  if (message == WM_COMMAND) {
    if (int32_t code = KeyCodeForCommand(LOWORD(wParam))) DispatchKey(code);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(WNDPROC proc, const char* className) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = className;
  RegisterClassA(&wc);
  return CreateWindowA(className, "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

class MoxelTesterDll : public ::testing::Test {
 protected:
  Library lib;
  HWND terminal = nullptr;

  void SetUp() override {
    ASSERT_TRUE(lib.Load()) << "cannot load " << MOXEL_TESTER_DLL;
    terminalLog = TerminalLog{};
    terminalLog.message = RegisterWindowMessageA("MoxelTester");
    terminal = MakeWindow(TerminalProc, "TesterTerminalWindow");
    ASSERT_NE(terminal, nullptr);
    ResetScreenModel();
    ResetKeyboard();
    InputMode = InputModeRecord{RecordKey, 0, false, false};
    Screen.win.frameWidth = 80;
    Screen.win.frameHeight = 24;
    for (int c = 0; c < kScreenCols; ++c) Screen.cells[3 * kScreenCols + c].glyph = static_cast<uint8_t>('0' + c % 10);
  }
  void TearDown() override {
    if (terminal) DestroyWindow(terminal);
    ResetScreenModel();
    ResetKeyboard();
    InputMode = InputModeRecord{DiscardHandler, 0, false, false};
  }
};

TEST_F(MoxelTesterDll, RepeatCountZeroOnlyChecksTheKeyStringAgainstTheLibrarysOwnTables) {
  lib.SetMoxelWindow(nullptr);
  const char* good[] = {"shift+f1,a,b", "alt+A", "alt+a", "control+f12", "shift+\t", "dn,up,lt,rt",
                        "shift+home,shift+pgd,del,ins,pgu,end", "alt+>", "alt+<", "alt+~", "alt+=",
                        "alt+[", "alt+{", "alt+0,alt+9,alt+z", "alt+f4", "alt+ins,alt+del", "x,y,z"};
  for (const char* keys : good) {
    EXPECT_EQ(lib.TypeKeys(keys, 0), 1) << keys;
    EXPECT_EQ(lib.GetTestError(), 0) << keys;
  }
  const char* bad[] = {"ctrl+a", "", "a,,b", "alt++", "f13", "control+a", "alt+dn", "shift+a"};
  for (const char* keys : bad) {
    EXPECT_EQ(lib.TypeKeys(keys, 0), 0) << keys;
    EXPECT_EQ(lib.GetTestError(), 4) << keys;
  }
  EXPECT_EQ(terminalLog.exchanges, 0) << "validation alone never contacts a terminal";
}

TEST_F(MoxelTesterDll, TextAndKeysReachTheTerminalInOrder) {
  ASSERT_EQ(lib.SetMoxelWindow(terminal), terminal);
  std::string text;
  for (int i = 0; i < 250; ++i) text += static_cast<char>('a' + i % 26);
  ASSERT_EQ(lib.SetText(text.c_str()), 1);
  EXPECT_EQ(terminalLog.exchanges, 3) << "100, 100 and 50 characters";
  EXPECT_EQ(std::string(terminalLog.codes.begin(), terminalLog.codes.end()), text);

  ClearLog();
  ASSERT_EQ(lib.TypeKeys("shift+f1,a,b", 2), 1);
  EXPECT_EQ(terminalLog.exchanges, 4) << "one command block and one character block, twice";
  EXPECT_EQ(terminalLog.codes, (std::vector<int32_t>{1016, 'a', 'b', 1016, 'a', 'b'}));

  ClearLog();
  ASSERT_EQ(lib.TypeKeys("alt+A,control+f1,shift+dn,dn", 1), 1);
  EXPECT_EQ(terminalLog.codes, (std::vector<int32_t>{1161, 1028, 1000, 1000}));

  ClearLog();
  EXPECT_EQ(lib.SetText(""), 1);
  EXPECT_EQ(terminalLog.exchanges, 0);
}

TEST_F(MoxelTesterDll, RepeatedEnterTypedWhileBusyIsNotFiltered) {
  lib.SetMoxelWindow(terminal);
  Screen.busy = 1;
  ASSERT_EQ(lib.SetText("\r\r"), 1);
  ASSERT_EQ(lib.TypeKeys("dn,dn", 1), 1);
  EXPECT_EQ(TypeAheadCount(), 4);
  int busy = -1;
  ASSERT_EQ(lib.HostBusy(&busy), 1);
  EXPECT_EQ(busy, 1);
  Screen.busy = 0;
  ASSERT_EQ(lib.HostBusy(&busy), 1);
  EXPECT_EQ(busy, 0);
}

TEST_F(MoxelTesterDll, GetTextReadsTheWindowAndRejectsPositionsOutsideIt) {
  lib.SetMoxelWindow(terminal);
  char buffer[101];
  std::memset(buffer, '#', sizeof buffer);
  ASSERT_EQ(lib.GetText(3, 75, 5, buffer), 1);
  EXPECT_EQ(std::string(buffer, 6), "56789#") << "exactly count bytes, no terminating zero";
  ASSERT_EQ(lib.GetText(3, 0, 80, buffer), 1);
  EXPECT_EQ(lib.GetText(3, 1, 80, buffer), 0);
  EXPECT_EQ(lib.GetTestError(), 3);
  EXPECT_EQ(lib.GetText(3, 0, 0, buffer), 0);
  EXPECT_EQ(lib.GetTestError(), 3);
  EXPECT_EQ(lib.GetText(24, 0, 1, buffer), 0);
  EXPECT_EQ(lib.GetTestError(), 3);
  EXPECT_EQ(lib.GetMoxelWindow(), terminal) << "a rejected request keeps the connection";

  Screen.win.winLeft = 4;
  Screen.win.winTop = 2;
  Screen.win.cursorCol = 9;
  Screen.win.cursorRow = 5;
  Screen.win.frameWidth = 20;
  Screen.win.frameHeight = 6;
  int row = -1, column = -1, width = -1, height = -1;
  ASSERT_EQ(lib.GetTestCursor(&row, &column), 1);
  EXPECT_EQ(row, 3);
  EXPECT_EQ(column, 5);
  ASSERT_EQ(lib.GetTestWindow(&width, &height), 1);
  EXPECT_EQ(width, 20);
  EXPECT_EQ(height, 6);
}

TEST_F(MoxelTesterDll, AWindowThatDoesNotAnswerFailsWithErrorTwoAndIsForgotten) {
  HWND silent = MakeWindow(DefWindowProcA, "TesterSilentWindow");
  ASSERT_NE(silent, nullptr);
  lib.SetMoxelWindow(silent);
  int busy = 0;
  EXPECT_EQ(lib.HostBusy(&busy), 0);
  EXPECT_EQ(lib.GetTestError(), 2);
  EXPECT_EQ(lib.GetMoxelWindow(), nullptr);
  DestroyWindow(silent);

  lib.SetMoxelWindow(terminal);
  ASSERT_EQ(lib.HostBusy(&busy), 1);
  EXPECT_EQ(lib.GetTestError(), 0) << "every call starts with a clean error";
  DestroyWindow(terminal);
  terminal = nullptr;
  lib.SetMoxelWindow(lib.GetMoxelWindow());
  EXPECT_EQ(lib.SetText("x"), 0);
  EXPECT_EQ(lib.GetTestError(), 2);
}

}  // namespace
