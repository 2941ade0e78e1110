// PC messaging through the real terminal against the host simulator: the
// message directory comes from TAVIX_MSG_DIR (tests/e2e/with_message_dir.sh),
// the test writes the files into its "stage" folder and the host scripts
// rename them into the watched folders (scripts/messaging*.host), where the
// simulator checks every byte the terminal sends.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host_session.h"
#include "message_boxes.h"
#include "terminal_process.h"

namespace {

constexpr char kConflictText[] = "Messaging is already active on this PC";
constexpr int kMessageSourceCommand = 40215;
constexpr int kMessagingCommand = 40204;

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string MessageDirectory() {
  const char* dir = std::getenv("TAVIX_MSG_DIR");
  return dir ? WindowsPath(dir) : std::string();
}

std::string Stage(const std::string& name) { return MessageDirectory() + "\\stage\\" + name; }

// The registry value "window": the main window of the message source.
DWORD SourceWindowValue() {
  DWORD value = 0, size = sizeof value, type = 0;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Corvane\\Corvane Terminal Emulator", 0, KEY_READ, &key) != 0)
    return 0;
  if (RegQueryValueExA(key, "window", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != 0) value = 0;
  RegCloseKey(key);
  return value;
}

DWORD HandleValue(HWND window) { return static_cast<DWORD>(reinterpret_cast<uintptr_t>(window)); }

void ClearSourceWindowValue() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Corvane\\Corvane Terminal Emulator", 0, KEY_SET_VALUE, &key) == 0) {
    RegDeleteValueA(key, "window");
    RegCloseKey(key);
  }
}

// The registry value "messageing": the source's message directory.
std::string MessagingDirectoryValue() {
  char value[600] = "";
  DWORD size = sizeof value, type = 0;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Corvane\\Corvane Terminal Emulator", 0, KEY_READ, &key) != 0)
    return std::string();
  if (RegQueryValueExA(key, "messageing", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != 0 || type != REG_SZ)
    value[0] = 0;
  RegCloseKey(key);
  return value;
}

void TypeKey(HWND main, char c) { PostMessageA(main, WM_CHAR, static_cast<WPARAM>(c), 0); }

TEST(Messaging, OutboxFilesNoticesAndInboxDownloads) {
  ClearSourceWindowValue();
  const char* port = std::getenv("TAVIX_HOST_PORT");
  const std::string dir = MessageDirectory();
  if (!port || dir.empty()) GTEST_SKIP() << "runs under with_message_dir.sh and with_host.sh";
  WriteFileBytes(Stage("first.txt"), "one\r\ntwo\r\n");
  WriteFileBytes(Stage("a2.txt"), "alpha\n");
  WriteFileBytes(Stage("b2.txt"), "beta");
  WriteFileBytes(Stage("third.txt"), "three\n");
  WriteFileBytes(Stage("bad.txt"), "x\xFEy");
  WriteFileBytes(Stage("c3.txt"), "gamma");
  WriteFileBytes(Stage("x.DAT"), "notice");
  WriteFileBytes(Stage("y.tmp"), "work");
  WriteFileBytes(Stage("z.doc"), "other");
  TerminalProcess terminal;
  terminal.WriteIni(HostSessionIni(std::atoi(port)) + "[Message]\r\nDirectory=" + dir +
                    "\r\nUse Msg-in ext=1\r\nMsg-in ext=txt,dat\r\n");
  ASSERT_TRUE(terminal.Start());
  HWND main = terminal.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitFor([&] { return SourceWindowValue() == HandleValue(main); }, 10000))
      << "the only instance is the source";
  EXPECT_EQ(MessagingDirectoryValue(), dir);
  HWND refused = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (refused = FindMessageBox(terminal.processId(), "cannot be sent to the host")); },
                      60000));
  if (refused) {
    EXPECT_NE(DialogText(refused).find("bad.txt"), std::string::npos) << DialogText(refused);
    PressButton(refused, IDOK);
  }
  EXPECT_TRUE(EndAfterHostClosed(terminal, main));
  EXPECT_EQ(FindMessageBox(terminal.processId(), "cannot be sent to the host"), nullptr) << "told once";
  EXPECT_EQ(ReadFileText(dir + "\\FromPC\\bad.txt"), "x\xFEy") << "kept as it was";

  for (const char* name : {"first.txt", "a2.txt", "b2.txt", "third.txt"})
    EXPECT_TRUE(Exists(dir + "\\FromPC\\" + name)) << name << ": delivered files stay";
  EXPECT_TRUE(Exists(dir + "\\Msg-ack\\x.DAT"));
  EXPECT_FALSE(Exists(dir + "\\Msg-in\\x.DAT"));
  EXPECT_TRUE(Exists(dir + "\\Msg-in\\y.tmp")) << "not a notice";
  EXPECT_TRUE(Exists(dir + "\\Msg-in\\z.doc")) << "not a listed extension";
  EXPECT_EQ(ReadFileText(dir + "\\ToPC\\report.txt"),
            ReadFileText(WindowsPath(TAVIX_E2E_SCRIPTS "/messaging/report2.txt")));
  EXPECT_FALSE(Exists(dir + "\\ToPC\\report.txt.temp")) << "no work file is left";
}

TEST(Messaging, WithoutFoldersOnlyTheScanExtensionIsTaken) {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  const std::string dir = MessageDirectory();
  if (!port || dir.empty()) GTEST_SKIP() << "runs under with_message_dir.sh and with_host.sh";
  WriteFileBytes(Stage("note.txt"), "not for the host");
  WriteFileBytes(Stage("order.msg"), "order 1\r\n");
  TerminalProcess terminal;
  terminal.WriteIni(HostSessionIni(std::atoi(port)) + "[Message]\r\nDirectory=" + dir +
                    "\\flat\r\nUse subdirectory=0\r\nScan extension=msg\r\n");
  ASSERT_TRUE(terminal.Start());
  HWND main = terminal.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(AnswerMessageBox(terminal.processId(), "Connection terminated, reconnect?", IDNO, 60000));

  // The settings dialog: without folders and without an extension it asks first.
  PostMessageA(main, WM_COMMAND, kMessagingCommand, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindDialogTitled(terminal.processId(), "Messaging")) != nullptr; }, 10000));
  for (int id : {2000, 2001, 2002, 2003, 2004, 2017, 2019, 2020, 2024, 2026, 2031, 2032, 2034})
    EXPECT_NE(GetDlgItem(dialog, id), nullptr) << "control " << id;
  char text[600] = "";
  GetDlgItemTextA(dialog, 2000, text, sizeof text);
  EXPECT_EQ(std::string(text), dir + "\\flat");
  EXPECT_EQ(IsDlgButtonChecked(dialog, 2001), BST_UNCHECKED);
  // "Select folder" opens dialog 404.
  PostMessageA(dialog, WM_COMMAND, 2003, 0);
  HWND folders = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (folders = FindDialogTitled(terminal.processId(), "Select messaging folder")); }, 10000));
  for (int id : {2010, 2012, 2013, 2016}) EXPECT_NE(GetDlgItem(folders, id), nullptr) << "control " << id;
  PressButton(folders, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(folders); }, 5000));
  SetDlgItemTextA(dialog, 2002, "");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(AnswerMessageBox(terminal.processId(), "This is not a normal configuration", IDNO, 10000));
  EXPECT_TRUE(IsWindow(dialog)) << "No keeps the dialog open";
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(AnswerMessageBox(terminal.processId(), "This is not a normal configuration", IDYES, 10000));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 5000));
  const std::string ini = ReadFileText(terminal.folder() + "\\Corvane\\corvane.ini");
  EXPECT_NE(ini.find("Scan extension=\r\n"), std::string::npos) << ini;
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(terminal.WaitForExit(), 0);
  EXPECT_FALSE(Exists(dir + "\\flat\\FromPC")) << "no folders without \"Use subdirectory\"";
  EXPECT_TRUE(Exists(dir + "\\flat\\note.txt"));
}

// Two terminals on one message directory, each with a host of its own: the
// conflict question, the hand-over of the source role, and a source that dies.
TEST(MessagingSource, ConflictQuestionHandOverAndAKilledSource) {
  const char* firstPort = std::getenv("TAVIX_HOST_PORT");
  const char* secondPort = std::getenv("TAVIX_SECOND_HOST_PORT");
  const std::string dir = MessageDirectory();
  if (!firstPort || !secondPort || dir.empty()) GTEST_SKIP() << "runs under with_message_dir.sh and two with_host.sh";
  WriteFileBytes(Stage("handed.txt"), "handed over");
  WriteFileBytes(Stage("killed.txt"), "after the crash\n");
  const std::string message = "[Message]\r\nDirectory=" + dir + "\r\n";
  ClearSourceWindowValue();

  TerminalProcess first;
  first.WriteIni(HostSessionIni(std::atoi(firstPort)) + message);
  ASSERT_TRUE(first.Start());
  HWND firstMain = first.WaitForMainWindow();
  ASSERT_NE(firstMain, nullptr);
  EXPECT_TRUE(WaitFor([&] { return SourceWindowValue() == HandleValue(firstMain); }, 10000));

  TerminalProcess second;
  second.WriteIni(HostSessionIni(std::atoi(secondPort)) + message);
  ASSERT_TRUE(second.Start());
  ASSERT_TRUE(AnswerMessageBox(second.processId(), kConflictText, IDNO, 30000)) << "the conflict question";
  HWND secondMain = second.WaitForMainWindow();
  ASSERT_NE(secondMain, nullptr);
  const std::string secondIni = ReadFileText(second.folder() + "\\Corvane\\corvane.ini");
  EXPECT_NE(secondIni.find("Notify conflict=1"), std::string::npos) << secondIni;
  EXPECT_EQ(SourceWindowValue(), HandleValue(firstMain)) << "only the source writes \"window\"";

  // The second asks for the role and gets it; it delivers handed.txt.
  PostMessageA(secondMain, WM_COMMAND, kMessageSourceCommand, 0);
  EXPECT_TRUE(WaitFor([&] { return SourceWindowValue() == HandleValue(secondMain); }, 20000))
      << "the first let go and the second took over";
  TypeKey(secondMain, 'g');
  EXPECT_TRUE(WaitFor([&] { return FindMessageBox(second.processId(), "Waiting") == nullptr; }, 5000));
  // The second host checks the delivery, then downloads this file.
  EXPECT_TRUE(WaitFor([&] { return Exists(dir + "\\ToPC\\second_done.txt"); }, 30000));

  // A source that dies leaves the mutex abandoned: the first takes it back.
  second.Kill();
  PostMessageA(firstMain, WM_COMMAND, kMessageSourceCommand, 0);
  EXPECT_TRUE(WaitFor([&] { return SourceWindowValue() == HandleValue(firstMain); }, 20000));

  // A third terminal with the answer No stored is not asked again.
  TerminalProcess third;
  third.WriteIni(secondIni);
  ASSERT_TRUE(third.Start());
  HWND thirdMain = third.WaitForMainWindow();
  EXPECT_NE(thirdMain, nullptr);
  EXPECT_FALSE(WaitFor([&] { return FindMessageBox(third.processId(), kConflictText) != nullptr; }, 2000));
  EXPECT_EQ(SourceWindowValue(), HandleValue(firstMain));
  // Its settings dialog keeps only the switches while another instance is the source.
  if (thirdMain) {
    PostMessageA(thirdMain, WM_COMMAND, kMessagingCommand, 0);
    HWND dialog = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (dialog = FindDialogTitled(third.processId(), "Messaging")) != nullptr; }, 10000));
    if (dialog) {
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      EXPECT_TRUE(AnswerMessageBox(third.processId(), "Messaging already active on this PC, only output enabled", IDOK,
                                   10000));
      EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 5000));
    }
  }
  third.Kill();

  TypeKey(firstMain, 'k');
  EXPECT_TRUE(EndAfterHostClosed(first, firstMain));
}

}  // namespace

namespace {

// Another program holds "Moxel-messaging": the terminal waits for the role in
// dialog 421, which Cancel closes; once the holder lets go the terminal
// takes the role, and it lets go itself at exit.
TEST(MessagingSource, TheWaitForTheRoleCanBeCancelledAndEndsWhenTheMutexIsFree) {
  const std::string dir = MessageDirectory();
  if (dir.empty()) GTEST_SKIP() << "runs under with_message_dir.sh";
  constexpr char kWaiting[] = "Waiting for source messageing permission";
  HANDLE holder = CreateMutexA(nullptr, TRUE, "Moxel-messaging");
  ASSERT_NE(holder, nullptr);
  ASSERT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "no terminal may run now";
  ClearSourceWindowValue();
  TerminalProcess t;
  t.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=9\r\n[Font]\r\nmode=0\r\n[Message]\r\nDirectory=" +
             dir + "\r\nNotify conflict=1\r\n");
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(FindMessageBox(t.processId(), kConflictText), nullptr) << "\"Notify conflict\" is set";

  PostMessageA(main, WM_COMMAND, kMessageSourceCommand, 0);
  HWND wait = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (wait = FindMessageBox(t.processId(), kWaiting)) != nullptr; }, 10000));
  PressButton(wait, IDCANCEL);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(wait); }, 5000)) << "Cancel closes the wait";
  EXPECT_NE(SourceWindowValue(), HandleValue(main));

  PostMessageA(main, WM_COMMAND, kMessageSourceCommand, 0);
  ASSERT_TRUE(WaitFor([&] { return (wait = FindMessageBox(t.processId(), kWaiting)) != nullptr; }, 10000));
  ReleaseMutex(holder);
  EXPECT_TRUE(WaitFor([&] { return SourceWindowValue() == HandleValue(main); }, 10000)) << "the mutex was free";
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(wait); }, 5000));

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(t.WaitForExit(), 0);
  EXPECT_EQ(WaitForSingleObject(holder, 0), static_cast<DWORD>(WAIT_OBJECT_0)) << "released at exit, not abandoned";
  ReleaseMutex(holder);
  CloseHandle(holder);
}

}  // namespace
