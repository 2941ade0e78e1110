#include "login_report_win32.h"

#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "login_report_record.h"
#include "telnet_protocol.h"

namespace {

constexpr DWORD kStopWaitMs = 3000;  // exit never waits longer for the thread

struct LoginReportService {
  bool networkStarted = false;
  std::string identity;
  uint8_t pcAddress[4] = {};
  HANDLE stopEvent = nullptr;
  HANDLE wakeEvent = nullptr;
  HANDLE mutex = nullptr;
  HANDLE thread = nullptr;
  SOCKET socket = INVALID_SOCKET;  // the delivery in progress (closed to interrupt it)
  LoginReportSlot slot;
};

LoginReportService Report;

class SlotLock {
 public:
  SlotLock() { WaitForSingleObject(Report.mutex, INFINITE); }
  ~SlotLock() { ReleaseMutex(Report.mutex); }
};

// The first IPv4 address of this PC.
bool FindPcAddress(uint8_t out[4]) {
  char name[256];
  if (gethostname(name, sizeof name) != 0) return false;
  const hostent* entry = gethostbyname(name);
  if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list[0]) return false;
  CopyHostEntryAddress(reinterpret_cast<const uint8_t*>(entry->h_addr_list[0]), entry->h_length, out);
  return true;
}

bool ReadServer(ReportServer* server) {
  std::ifstream file("./corvane.gdl", std::ios::binary);
  if (!file) return false;
  std::stringstream text;
  text << file.rdbuf();
  return ChooseReportServer(ParseReportSettings(text.str()), Report.pcAddress, server);
}

bool SendAll(SOCKET s, const std::vector<uint8_t>& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    int n = send(s, reinterpret_cast<const char*>(bytes.data() + sent), static_cast<int>(bytes.size() - sent), 0);
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

// One delivery; returns the time-out until the next one.
long Deliver(const ReportServer& server) {
  long timeout;
  {
    SlotLock lock;
    timeout = ReportTimeout(Report.slot);
  }
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, 0);
  if (s == INVALID_SOCKET) return kReportRetryMs;
  {
    SlotLock lock;
    Report.socket = s;
  }
  sockaddr_in to = {};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<u_short>(server.port));
  std::memcpy(&to.sin_addr, server.address, 4);
  if (::connect(s, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0) {
    timeout = kReportRetryMs;
  } else {
    TakenReport taken;
    {
      SlotLock lock;
      taken = TakeReport(Report.slot);
    }
    if (taken.taken) {
      bool failed = !SendAll(s, FrameReportRecord(taken.message));
      if (failed) {
        timeout = kReportRetryMs;
      } else {
        char discard[256];
        while (recv(s, discard, sizeof discard, 0) > 0) {
        }
      }
      SlotLock lock;
      ReturnReport(Report.slot, std::move(taken), failed);
    }
  }
  SlotLock lock;
  if (Report.socket == s) {
    closesocket(s);
    Report.socket = INVALID_SOCKET;
  }
  return timeout;
}

DWORD WINAPI ReportThread(void*) {
  ReportServer server;
  if (!ReadServer(&server)) return 0;
  DWORD wait = INFINITE;
  HANDLE events[2] = {Report.stopEvent, Report.wakeEvent};
  for (;;) {
    DWORD which = WaitForMultipleObjects(2, events, FALSE, wait);
    if (which == WAIT_OBJECT_0) return 0;
    long timeout = Deliver(server);
    wait = timeout == kReportWaitForever ? INFINITE : static_cast<DWORD>(timeout);
  }
}

void Queue(std::vector<uint8_t> message, int state) {
  if (!Report.thread) return;
  {
    SlotLock lock;
    QueueReport(Report.slot, std::move(message), state);
  }
  SetEvent(Report.wakeEvent);
}

}  // namespace

void StartLoginReport() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(1, 1), &data) != 0) return;
  Report.networkStarted = true;
  if (!FindPcAddress(Report.pcAddress)) return;
  char dotted[16];
  std::snprintf(dotted, sizeof dotted, "%u.%u.%u.%u", Report.pcAddress[0], Report.pcAddress[1],
                Report.pcAddress[2], Report.pcAddress[3]);
  Report.identity = ReportIdentity(dotted, GetCurrentProcessId());
  Report.stopEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  Report.wakeEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  Report.mutex = CreateMutexA(nullptr, FALSE, nullptr);
  if (!Report.stopEvent || !Report.wakeEvent || !Report.mutex) return;
  Report.thread = CreateThread(nullptr, 0, ReportThread, nullptr, 0, nullptr);
}

void StopLoginReport() {
  if (Report.thread) {
    {
      SlotLock lock;
      if (Report.socket != INVALID_SOCKET) {
        closesocket(Report.socket);  // interrupts a connect or a read
        Report.socket = INVALID_SOCKET;
      }
    }
    SetEvent(Report.stopEvent);
    // A thread stuck in the network is not waited for beyond this.
    WaitForSingleObject(Report.thread, kStopWaitMs);
    CloseHandle(Report.thread);
    Report.thread = nullptr;
  }
  if (Report.networkStarted) {
    WSACleanup();
    Report.networkStarted = false;
  }
}

void ReportLogin(const std::string& text, const std::string& title) {
  Queue(LoginMessage(text.substr(0, kLoginTextMax), Report.identity, title), 1);
}

void ReportLogout(const std::string& title) {
  if (!Report.thread) return;
  bool due;
  {
    SlotLock lock;
    due = LogoutReportDue(Report.slot);
  }
  if (due) Queue(LogoutMessage(Report.identity, title), 0);
}
