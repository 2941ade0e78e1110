// Serial lines under Wine (tests/e2e/with_serial.sh maps two pseudo-terminals
// as COM1 and COM2, the host simulator plays the modem, the host and the
// auxiliary device): quick reconnects, dialling a directory entry over COM1
// and through a modem pool, the auxiliary port's read and outbox, the stored
// log-in password, the host's pass over the global directory with and without
// the lock, and a port mapped to nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "message_boxes.h"
#include "resource_ids.h"
#include "root_cipher.h"
#include "terminal_process.h"
#include "tester_library.h"

namespace {

constexpr char kFontAndUser[] = "userid=tester\r\n[Font]\r\nmode=0\r\n";

std::string ReadWhole(const std::string& path) {
  std::string text;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return "<missing>";
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  std::fclose(f);
  return text;
}

std::string Title(HWND window) {
  char text[256] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The terminal's work folder: the per-user directory below its start folder.
std::string WorkFile(const TerminalProcess& t, const char* name) { return t.folder() + "\\Corvane\\" + name; }

// The one file of a folder, or "".
std::string OnlyFile(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &found);
  std::string name;
  int count = 0;
  if (h == INVALID_HANDLE_VALUE) return name;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    name = folder + "\\" + found.cFileName;
    ++count;
  } while (FindNextFileA(h, &found));
  FindClose(h);
  return count == 1 ? name : std::string();
}

void CloseTerminal(TerminalProcess& t, HWND main) {
  // A non-zero wParam: no "Close current connection?" question.
  PostMessageA(main, WM_CLOSE, 1, 0);
  EXPECT_EQ(t.WaitForExit(), 0);
}

std::string Line(const std::string& name, const std::string& phone, const char* net) {
  return name + "\xFD" + phone + "\xFD" + net + "\xFD\r\n";
}

TEST(SerialLine, ModemsTheAuxiliaryPortAndTheGlobalDirectory) {
  const char* dir = std::getenv("TAVIX_SERIAL_DIR");
  const char* poolPort = std::getenv("TAVIX_POOL_PORT");
  if (!dir || !poolPort) GTEST_SKIP() << "runs under tests/e2e/with_serial.sh";
  TesterLibrary lib;
  ASSERT_TRUE(lib.Load());

  // ---- Twenty quick reconnects each send the connect string once ---------
  {
    TerminalProcess t;
    t.WriteIni(std::string("[Config]\r\nmode=1\r\nspeed1=3\r\nconnect1=ATZ^M\r\nAutoconnect=1\r\n") + kFontAndUser);
    ASSERT_TRUE(t.Start());
    HWND main = t.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitFor([&] { return Title(main) == "Moxel COM1 "; }, 20000)) << Title(main);
    EXPECT_TRUE(WaitFor([&] { return GetFileAttributesA(WindowsPath(std::string(dir) + "/speed-19200").c_str()) !=
                                     INVALID_FILE_ATTRIBUTES; },
                        10000))
        << "stty sees the line at 19200 baud";
    for (int i = 0; i < 20; ++i) {
      SendMessageA(main, WM_COMMAND, CMD_DISCONNECT, 0);
      ASSERT_EQ(Title(main), "Moxel");
      SendMessageA(main, WM_COMMAND, CMD_CONNECT, 0);
      ASSERT_EQ(Title(main), "Moxel COM1 ");
    }
    lib.SetMoxelWindow(main);
    ASSERT_TRUE(lib.TypeKeys("D,O,N,E,\r", 1)) << lib.GetTestError();
    CloseTerminal(t, main);
  }

  // ---- Dialling an entry over COM1, the device on COM2, the directory ----
  {
    TerminalProcess t;
    std::string stored;
    ASSERT_TRUE(EncipherRoot("s3cret", "tester", &stored));
    const std::string msg = t.folder() + "\\msg\\";
    t.WriteIni("[Config]\r\nmode=1\r\nspeed1=3\r\nAuxiliary port=2\r\nAuxiliary speed=7\r\nAuxiliary read=1\r\n" +
               std::string(kFontAndUser) + "[Message]\r\nMessageing enabled=1\r\nDirectory=" + msg +
               "\r\nUse subdirectory=1\r\n[Dialing profiles]\r\n0=Default\r\n[DProfile~0]\r\nDialport=1\r\n"
               "Dialstring=ATZ^MATDT\r\nHomeAreaCode=612\r\nDial method=0\r\n[DArea~0]\r\n612=\r\n");
    t.WriteFile("corvane.ldl", "[Config]\r\nUsed=1\r\n[Name]\r\n1=Office Modem\r\n[Phone]\r\n1=555-1234\r\n"
                               "[Network]\r\n1=0\r\n[Root]\r\n1=" + stored + "\r\n");
    const std::string gdl = Line("Alpha", "100", "0") + Line("Beta", "200", "0") + Line("Gamma", "300", "0") +
                            "[Version]\r\nVersion=7\r\n";
    t.WriteFile("corvane.gdl", gdl);
    ASSERT_TRUE(t.Start("-DOffice"));
    HWND main = t.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    lib.SetMoxelWindow(main);
    ASSERT_TRUE(WaitFor([&] { return lib.Text(2, 10, 11) == "Serial host"; }, 30000))
        << "row 2: '" << lib.Text(2, 0, 40) << "' title '" << Title(main) << "'";
    EXPECT_EQ(Title(main), "Moxel COM1 Office Modem");

    // The device's own line lands in the outbox as it came.
    std::string outboxFile;
    ASSERT_TRUE(WaitFor([&] { return !(outboxFile = OnlyFile(msg + "FromPC")).empty(); }, 20000));
    EXPECT_TRUE(WaitFor([&] { return ReadWhole(outboxFile) == "SCAN 42\r\n"; }, 5000)) << ReadWhole(outboxFile);
    ASSERT_TRUE(lib.TypeKeys("K", 1));

    // Ctrl+Alt+L asks the user's password (in capitals: read without case).
    ASSERT_TRUE(lib.TypeKeys("control+alt+l", 1)) << lib.GetTestError();
    HWND prompt = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (prompt = FindMessageBox(t.processId(), "Password")); }, 10000));
    SendMessageA(GetDlgItem(prompt, IDC_PASSWORD_TEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("TESTER"));
    PressButton(prompt, IDOK);

    // The pass: Beta updated, Gamma deleted, Delta added before line 4.
    std::string version;
    ASSERT_TRUE(WaitFor([&] { return !(version = lib.Text(5, 0, 20)).empty() && version[0] != ' '; }, 20000));
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
    GetVersionExA(&v);
    char expected[48];
    std::snprintf(expected, sizeof expected, "%lu.%lu.%lu", v.dwMajorVersion, v.dwMinorVersion, v.dwBuildNumber & 0xFFFF);
    EXPECT_EQ(version.substr(0, version.find(' ')), expected);
    const std::string after = Line("Alpha", "100", "0") + Line("Bravo", "222", "0") + Line("Delta", "444", "1") +
                              "[Version]\r\nVersion=7\r\n";
    EXPECT_EQ(ReadWhole(WorkFile(t, "corvane.gdl")), after);
    EXPECT_EQ(GetFileAttributesA(WorkFile(t, "gdltemp1.tmp").c_str()), INVALID_FILE_ATTRIBUTES);

    // While another program holds the directory the host is told so.
    // The terminal made the mutex already: it is taken by waiting for it.
    HANDLE lock = CreateMutexA(nullptr, FALSE, "MoxelDialFile");
    ASSERT_NE(lock, nullptr);
    ASSERT_EQ(WaitForSingleObject(lock, 5000), WAIT_OBJECT_0);
    ASSERT_TRUE(lib.TypeKeys("L", 1));
    EXPECT_TRUE(WaitFor([&] { return lib.Text(6, 0, 16) == "locked pass done"; }, 20000));
    EXPECT_EQ(ReadWhole(WorkFile(t, "corvane.gdl")), after) << "nothing changed under another's lock";
    ReleaseMutex(lock);
    CloseHandle(lock);
    CloseTerminal(t, main);
  }

  // ---- Dialling through modem pool 7 ---------------------------------------
  {
    TerminalProcess t;
    t.WriteIni(std::string("[Config]\r\nmode=6\r\nhost=127.0.0.1\r\n") + kFontAndUser +
               "[Dialing profiles]\r\n0=Default\r\n[DProfile~0]\r\nDialport=7\r\nDialstring=ATDT\r\n"
               "Longdistance=1\r\nHomeAreaCode=612\r\n[Dial_host]\r\n7=127.0.0.1\r\n[Dial_port]\r\n7=" +
               poolPort + "\r\n");
    t.WriteFile("corvane.gdl", Line("Pool entry", "651-778-1234", "0"));
    ASSERT_TRUE(t.Start("-Dpool"));
    HWND main = t.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    lib.SetMoxelWindow(main);
    ASSERT_TRUE(WaitFor([&] { return lib.Text(1, 1, 9) == "Pool host"; }, 30000)) << Title(main);
    EXPECT_TRUE(WaitFor([&] { return lib.Text(2, 1, 10) == "identified"; }, 20000));
    EXPECT_EQ(Title(main), "Moxel 127.0.0.1 Pool entry");
    CloseTerminal(t, main);
  }

  // ---- A port mapped to nothing ---------------------------------------------
  {
    TerminalProcess t;
    t.WriteIni(std::string("[Config]\r\nmode=3\r\nspeed3=3\r\nAutoconnect=1\r\n") + kFontAndUser);
    ASSERT_TRUE(t.Start());
    HWND main = t.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(t.processId(), "Selected serial device is not available")); },
                        20000));
    PressButton(box, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 10000));
    EXPECT_EQ(Title(main), "Moxel");
    CloseTerminal(t, main);
  }
}

}  // namespace
