// Helper endpoints through the real terminal: DDE conversations with
// ddepeer (our DDEML server, started here and polled ready), programs
// started through the registry and the helper list (argrec records their
// command lines), against the host simulator playing scripts/dde_helpers.host.
// And the "Helper Applications" dialog on the configuration file.
#include <gtest/gtest.h>
#include <windows.h>
#include <ddeml.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "message_boxes.h"
#include "resource_ids.h"
#include "terminal_process.h"

#ifndef TAVIX_DDEPEER_EXE
#error "TAVIX_DDEPEER_EXE must name tools/ddepeer"
#endif
#ifndef TAVIX_ARGREC_EXE
#error "TAVIX_ARGREC_EXE must name tools/argrec"
#endif

namespace {

const std::string kScripts = WindowsPath(TAVIX_E2E_SCRIPTS "/dde/");

HDDEDATA CALLBACK ProbeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// A DDE client connect to the service, retried: the first connect after a
// cold start can miss. It runs on a thread of its own that ends with it:
// a DDE connect asks every top-level window, and the windows a DDE client
// leaves behind (its IME window) would stay with a test thread that does
// not pump messages, stalling every later connect of the terminal.
bool ServiceAnswersOnThisThread(const char* service, DWORD milliseconds) {
  DWORD instance = 0;
  if (DdeInitializeA(&instance, ProbeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return false;
  HSZ s = DdeCreateStringHandleA(instance, service, CP_WINANSI);
  HSZ t = DdeCreateStringHandleA(instance, "probe", CP_WINANSI);
  bool ok = WaitFor(
      [&] {
        HCONV c = DdeConnect(instance, s, t, nullptr);
        if (c) DdeDisconnect(c);
        return c != nullptr;
      },
      milliseconds);
  DdeFreeStringHandle(instance, s);
  DdeFreeStringHandle(instance, t);
  DdeUninitialize(instance);
  return ok;
}

bool ServiceAnswers(const char* service, DWORD milliseconds) {
  bool ok = false;
  std::thread probe([&] { ok = ServiceAnswersOnThisThread(service, milliseconds); });
  probe.join();
  return ok;
}

// Ends a ddepeer that the terminal started: an execute of "[quit]".
void QuitServiceOnThisThread(const char* service) {
  DWORD instance = 0;
  if (DdeInitializeA(&instance, ProbeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return;
  HSZ s = DdeCreateStringHandleA(instance, service, CP_WINANSI);
  HSZ t = DdeCreateStringHandleA(instance, "system", CP_WINANSI);
  if (HCONV c = DdeConnect(instance, s, t, nullptr)) {
    static char kQuit[] = "[quit]";
    DdeClientTransaction(reinterpret_cast<LPBYTE>(kQuit), sizeof kQuit, c, nullptr, CF_TEXT, XTYP_EXECUTE, 5000,
                         nullptr);
    DdeDisconnect(c);
  }
  DdeFreeStringHandle(instance, s);
  DdeFreeStringHandle(instance, t);
  DdeUninitialize(instance);
}

void QuitService(const char* service) {
  std::thread quit([&] { QuitServiceOnThisThread(service); });
  quit.join();
}

// ddepeer in the background for the length of a test.
class DdePeer {
 public:
  bool Start(const std::string& arguments) {
    std::string line = "\"" + WindowsPath(TAVIX_DDEPEER_EXE) + "\" " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::vector<char> text(line.begin(), line.end());
    text.push_back(0);
    if (!CreateProcessA(nullptr, text.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_)) return false;
    return true;
  }
  ~DdePeer() {
    if (!info_.hProcess) return;
    TerminateProcess(info_.hProcess, 0);
    WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }

 private:
  PROCESS_INFORMATION info_{};
};

// HKEY_CLASSES_ROOT values of the test, put back as they were afterwards.
class ClassesRoot {
 public:
  void Set(const std::string& key, const std::string& value) {
    Saved s{key, false, ""};
    HKEY k;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &k) == ERROR_SUCCESS) {
      char old[1024] = "";
      DWORD size = sizeof old - 1;
      s.existed = RegQueryValueExA(k, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
      s.value = old;
      RegCloseKey(k);
    }
    saved_.push_back(s);
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) ==
        ERROR_SUCCESS) {
      RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
      RegCloseKey(k);
    }
  }
  ~ClassesRoot() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      HKEY k;
      if (RegOpenKeyExA(HKEY_CLASSES_ROOT, it->key.c_str(), 0, KEY_WRITE, &k) != ERROR_SUCCESS) continue;
      if (it->existed) {
        RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(it->value.c_str()),
                       static_cast<DWORD>(it->value.size() + 1));
      } else {
        RegDeleteValueA(k, nullptr);
      }
      RegCloseKey(k);
    }
  }

 private:
  struct Saved {
    std::string key;
    bool existed;
    std::string value;
  };
  std::vector<Saved> saved_;
};

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
  for (const std::string& l : lines)
    if (l == line) return true;
  return false;
}

int CountLinesStartingWith(const std::vector<std::string>& lines, const std::string& start) {
  int n = 0;
  for (const std::string& l : lines) n += l.compare(0, start.size(), start) == 0;
  return n;
}

// The benchmark's 64 KB text: printable, no zero.
std::string BigText() {
  std::string s;
  for (int i = 0; i < 65536; ++i) s += static_cast<char>(i % 61 == 60 ? '\n' : 'a' + (i * 13) % 26);
  return s;
}

TEST(DdeHelpers, ConversationsProgramsAndAddressesWithTheHost) {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  const char* big = std::getenv("TAVIX_DDE_BIG");
  if (!port || !big) GTEST_SKIP() << "runs under tests/e2e/with_host.sh with TAVIX_DDE_BIG";
  TerminalProcess terminal;
  const std::string here = terminal.folder();
  const std::string bigPath = WindowsPath(big);
  {
    FILE* f = std::fopen(bigPath.c_str(), "wb");
    ASSERT_NE(f, nullptr) << bigPath;
    const std::string text = BigText();
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  const std::string peerLog = here + "\\peer.log";
  const std::string lateLog = here + "\\late.log";
  const std::string argLog = here + "\\argrec.log";
  const std::string argrec = WindowsPath(TAVIX_ARGREC_EXE);
  const std::string ddepeer = WindowsPath(TAVIX_DDEPEER_EXE);

  DdePeer peer;
  ASSERT_TRUE(peer.Start("--service TVXSRV --log " + peerLog + " --item-file R1C1=" + kScripts + "r1c1.txt" +
                         " --item price=10 --item-file BIG=" + bigPath));
  ASSERT_TRUE(ServiceAnswers("TVXSRV", 20000)) << "ddepeer did not come up";

  ClassesRoot registry;
  registry.Set("http\\shell\\open\\command", "\"" + argrec + "\" %1");
  registry.Set(".tvxdoc", "TvxDoc.Document");
  registry.Set("TvxDoc.Document\\shell\\open\\command", "\"" + argrec + "\" \"%1\"");

  terminal.AddEnvironment("TAVIX_ARGREC_FILE=" + argLog);
  terminal.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::string(port) +
                    "\r\nAutoconnect=1\r\nuserid=tester\r\n[Font]\r\nmode=0\r\n[Helpers-32]\r\n"
                    "peer2=" + ddepeer + " --service TVXLATE --log " + lateLog + " --item X=late-data\r\n"
                    "recorder=" + argrec + " -x\r\n"
                    "slow=" + argrec + " never-registers\r\n");
  ASSERT_TRUE(terminal.Start());
  HWND main = terminal.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  // The script ends the session; the 30 s launch time-out is in it.
  ASSERT_TRUE(AnswerMessageBox(terminal.processId(), "Connection terminated, reconnect?", IDNO, 150000));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(terminal.WaitForExit(), 0);
  QuitService("TVXLATE");

  const std::vector<std::string> log = Lines(ReadFileText(peerLog));
  EXPECT_TRUE(HasLine(log, "POKE sheet cell 1 " + Hex(std::string("alpha,beta,gamma,delta,ep") + '\0')))
      << "three blocks, one poke, one zero";
  // An execute has no format of its own: the server is told 0.
  EXPECT_TRUE(HasLine(log, "EXECUTE system - 0 " + Hex(std::string("[open(\"report.txt\")]") + '\0')))
      << "the execute carries the data: " << ReadFileText(peerLog);
  EXPECT_EQ(CountLinesStartingWith(log, "REQUEST sheet R1C1 1"), 1) << "a resend does not ask again";
  EXPECT_TRUE(HasLine(log, "ADVSTART sheet price 1 -"));
  EXPECT_TRUE(HasLine(log, "ADVREQ sheet price 1 -"));
  EXPECT_EQ(CountLinesStartingWith(log, "ADVSTART t5 price"), 1) << "only once a slot was free";
  EXPECT_EQ(CountLinesStartingWith(log, "REQUEST sheet BIG 1"), 1);
  EXPECT_EQ(CountLinesStartingWith(log, "CONNECT t5"), 1) << "the fifth conversation was not even tried";
  const std::vector<std::string> late = Lines(ReadFileText(lateLog));
  EXPECT_TRUE(HasLine(late, "REQUEST late X 1 -")) << "the launched peer served the request: " << ReadFileText(lateLog);

  const std::vector<std::string> runs = Lines(ReadFileText(argLog));
  EXPECT_TRUE(HasLine(runs, "\"" + argrec + "\" http://example.test/page?q=1")) << ReadFileText(argLog);
  EXPECT_TRUE(HasLine(runs, "\"" + argrec + "\" \"my doc.tvxdoc\"")) << ReadFileText(argLog);
  EXPECT_TRUE(HasLine(runs, argrec + " -x c:\\notes.txt")) << ReadFileText(argLog);
  EXPECT_TRUE(HasLine(runs, argrec + " never-registers")) << ReadFileText(argLog);
}

// ---- "Helper Applications" ----------------------------------------------------

std::vector<std::string> ListEntries(HWND list) {
  std::vector<std::string> entries;
  const LRESULT n = SendMessageA(list, LB_GETCOUNT, 0, 0);
  // Wide across processes: Wine hands a narrow LB_GETTEXT of another
  // process back in UTF-16.
  for (int i = 0; i < n; ++i) {
    wchar_t text[256] = L"";
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    char narrow[256] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    entries.push_back(narrow);
  }
  return entries;
}

std::string ItemText(HWND dialog, int id) {
  char text[256] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

void Press(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

HWND OpenHelperDialog(TerminalProcess& terminal, HWND main) {
  PostMessageA(main, WM_COMMAND, CMD_HELPER_APPLICATIONS, 0);
  HWND dialog = nullptr;
  WaitFor([&] { return (dialog = FindDialogTitled(terminal.processId(), "Helper Applications")) != nullptr; }, 10000);
  return dialog;
}

TEST(HelperApplications, ListsAddsUpdatesAndDeletesHelpers) {
  TerminalProcess terminal;
  terminal.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\n[Font]\r\nmode=0\r\n"
                    "[Helpers-32]\r\ncalc=calc.exe\r\nDirectory=c:\\msg\r\nedit=notepad.exe %1\r\n");
  ASSERT_TRUE(terminal.Start());
  HWND main = terminal.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  HWND dialog = OpenHelperDialog(terminal, main);
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, IDC_HELPER_LIST);
  EXPECT_EQ(ListEntries(list), (std::vector<std::string>{"calc", "edit"})) << "no messaging key";

  // Typing a listed name selects it and shows its command.
  SetDlgItemTextA(dialog, IDC_HELPER_NAME, "edit");
  EXPECT_EQ(ItemText(dialog, IDC_HELPER_COMMAND), "notepad.exe %1");
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
  SetDlgItemTextA(dialog, IDC_HELPER_NAME, "edi");
  EXPECT_EQ(ItemText(dialog, IDC_HELPER_COMMAND), "");
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);

  // Update and Delete need a selection.
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HELPER_UPDATE, BN_CLICKED), 0);
  EXPECT_TRUE(AnswerMessageBox(terminal.processId(), "No helper selected", IDOK, 10000));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HELPER_DELETE, BN_CLICKED), 0);
  EXPECT_TRUE(AnswerMessageBox(terminal.processId(), "No helper selected", IDOK, 10000));

  // Browse asks for the program with the system's open dialog.
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HELPER_BROWSE, BN_CLICKED), 0);
  HWND browse = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (browse = FindDialogTitled(terminal.processId(), "Helper Command")) != nullptr; },
                      10000));
  if (browse) {
    PressButton(browse, IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(browse); }, 10000));
  }

  // Refused names.
  for (const char* bad : {"two words", "DIRECTORY", "a=b", "[x", ";x", ""}) {
    SetDlgItemTextA(dialog, IDC_HELPER_NAME, bad);
    SetDlgItemTextA(dialog, IDC_HELPER_COMMAND, "x.exe");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HELPER_ADD, BN_CLICKED), 0);
    EXPECT_TRUE(AnswerMessageBox(terminal.processId(), "Invalid name", IDOK, 10000)) << bad;
  }
  // A new helper, an update, a delete.
  SetDlgItemTextA(dialog, IDC_HELPER_NAME, "viewer");
  SetDlgItemTextA(dialog, IDC_HELPER_COMMAND, "view.exe \"%1\"");
  Press(dialog, IDC_HELPER_ADD);
  EXPECT_EQ(ListEntries(list), (std::vector<std::string>{"calc", "edit", "viewer"}));
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HELPER_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(ItemText(dialog, IDC_HELPER_NAME), "calc");
  SetDlgItemTextA(dialog, IDC_HELPER_COMMAND, "mycalc.exe");
  Press(dialog, IDC_HELPER_UPDATE);
  SendMessageA(list, LB_SETCURSEL, 1, 0);
  Press(dialog, IDC_HELPER_DELETE);
  EXPECT_EQ(ListEntries(list), (std::vector<std::string>{"calc", "viewer"}));
  Press(dialog, IDOK);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 5000));

  const std::string ini = terminal.folder() + "\\Corvane\\corvane.ini";
  char value[256];
  GetPrivateProfileStringA("Helpers-32", "viewer", "", value, sizeof value, ini.c_str());
  EXPECT_STREQ(value, "view.exe \"%1\"");
  GetPrivateProfileStringA("Helpers-32", "calc", "", value, sizeof value, ini.c_str());
  EXPECT_STREQ(value, "mycalc.exe");
  GetPrivateProfileStringA("Helpers-32", "edit", "(gone)", value, sizeof value, ini.c_str());
  EXPECT_STREQ(value, "(gone)");
  GetPrivateProfileStringA("Helpers-32", "two", "(none)", value, sizeof value, ini.c_str());
  EXPECT_STREQ(value, "(none)");

  // Opened again, the list is the file's.
  dialog = OpenHelperDialog(terminal, main);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ListEntries(GetDlgItem(dialog, IDC_HELPER_LIST)), (std::vector<std::string>{"calc", "viewer"}));
  Press(dialog, IDCANCEL);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(terminal.WaitForExit(), 0);
}

}  // namespace
