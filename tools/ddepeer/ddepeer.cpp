// ddepeer: a DDEML server that the end-to-end tests talk to through the
// terminal's helper endpoints.
//
//   ddepeer [--service NAME] [--log FILE] [--item NAME=TEXT]... [--item-file NAME=PATH]...
//
// It registers the service (default "TVXSRV"), accepts every topic and logs
// each transaction as one line: type, topic, item ("-" for none), format and
// the data in hexadecimal ("-" for none), e.g. "POKE sheet cell 1 61626300".
// Requests (and advise data) answer with an item's set contents and a zero;
// other items are not served. A poke to the item "ADVISE" names an item:
// the server then posts advise data for it on that topic. An execute of
// "[quit]" ends the server. The log is opened for each line, so a reader
// sees every finished line.
#include <windows.h>
#include <ddeml.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

constexpr UINT kPostAdvise = WM_APP + 1;

struct Peer {
  DWORD instance = 0;
  std::string service = "TVXSRV";
  std::string log;
  std::map<std::string, std::string> items;
  HSZ serviceHandle = nullptr;
  DWORD threadId = 0;
} peer;

std::string Text(HSZ handle) {
  if (!handle) return "-";
  char text[256] = "";
  DdeQueryStringA(peer.instance, handle, text, sizeof text, CP_WINANSI);
  return text[0] ? text : "-";
}

std::string Bytes(HDDEDATA data) {
  if (!data) return std::string();
  DWORD size = DdeGetData(data, nullptr, 0, 0);
  std::string bytes(size, '\0');
  if (size) DdeGetData(data, reinterpret_cast<LPBYTE>(&bytes[0]), size, 0);
  return bytes;
}

std::string Hex(const std::string& bytes, bool none) {
  if (none) return "-";
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out.empty() ? "-" : out;
}

void Log(const char* type, HSZ topic, HSZ item, UINT format, HDDEDATA data) {
  std::string line = std::string(type) + " " + Text(topic) + " " + Text(item) + " " + std::to_string(format) + " " +
                     Hex(Bytes(data), data == nullptr) + "\r\n";
  if (peer.log.empty()) {
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
    return;
  }
  for (int attempt = 0; attempt < 50; ++attempt) {
    HANDLE f = CreateFileA(peer.log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
      CloseHandle(f);
      return;
    }
    Sleep(10);
  }
}

HDDEDATA ItemData(HSZ item, UINT format) {
  auto it = peer.items.find(Text(item));
  if (it == peer.items.end()) return nullptr;
  const std::string& text = it->second;
  return DdeCreateDataHandle(peer.instance, reinterpret_cast<LPBYTE>(const_cast<char*>(text.c_str())),
                             static_cast<DWORD>(text.size() + 1), 0, item, format ? format : CF_TEXT, 0);
}

// A poke to "ADVISE": advise data for the named item, posted once this
// transaction has been answered.
void AdviseLater(HSZ topic, HDDEDATA data) {
  std::string name = Bytes(data);
  name = name.c_str();
  if (name.empty()) return;
  HSZ item = DdeCreateStringHandleA(peer.instance, name.c_str(), CP_WINANSI);
  DdeKeepStringHandle(peer.instance, topic);
  PostThreadMessageA(peer.threadId, kPostAdvise, reinterpret_cast<WPARAM>(topic), reinterpret_cast<LPARAM>(item));
}

HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV, HSZ topic, HSZ item, HDDEDATA data, ULONG_PTR,
                           ULONG_PTR) {
  switch (type) {
    case XTYP_CONNECT:
      Log("CONNECT", topic, nullptr, 0, nullptr);
      return reinterpret_cast<HDDEDATA>(TRUE);
    case XTYP_CONNECT_CONFIRM:
      return nullptr;
    case XTYP_DISCONNECT:
      Log("DISCONNECT", nullptr, nullptr, 0, nullptr);
      return nullptr;
    case XTYP_REQUEST:
      Log("REQUEST", topic, item, format, nullptr);
      return ItemData(item, format);
    case XTYP_ADVREQ:
      Log("ADVREQ", topic, item, format, nullptr);
      return ItemData(item, format);
    case XTYP_ADVSTART:
      Log("ADVSTART", topic, item, format, nullptr);
      return reinterpret_cast<HDDEDATA>(TRUE);
    case XTYP_ADVSTOP:
      Log("ADVSTOP", topic, item, format, nullptr);
      return nullptr;
    case XTYP_POKE:
      Log("POKE", topic, item, format, data);
      if (Text(item) == "ADVISE") AdviseLater(topic, data);
      return reinterpret_cast<HDDEDATA>(DDE_FACK);
    case XTYP_EXECUTE: {
      Log("EXECUTE", topic, nullptr, format, data);
      std::string command = Bytes(data);
      if (std::strcmp(command.c_str(), "[quit]") == 0) PostThreadMessageA(peer.threadId, WM_QUIT, 0, 0);
      return reinterpret_cast<HDDEDATA>(DDE_FACK);
    }
    default:
      return nullptr;
  }
}

bool ReadFileText(const char* path, std::string* text) {
  FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text->append(buffer, n);
  std::fclose(f);
  return true;
}

bool ParseArguments(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (i + 1 >= argc) return false;
    std::string value = argv[++i];
    if (a == "--service") {
      peer.service = value;
    } else if (a == "--log") {
      peer.log = value;
    } else if (a == "--item" || a == "--item-file") {
      size_t eq = value.find('=');
      if (eq == std::string::npos) return false;
      std::string text = value.substr(eq + 1);
      if (a == "--item-file") {
        text.clear();
        if (!ReadFileText(value.substr(eq + 1).c_str(), &text)) return false;
      }
      peer.items[value.substr(0, eq)] = text;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

// A window-subsystem program, so that starting it from the terminal opens no
// console.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (!ParseArguments(__argc, __argv)) {
    std::fprintf(stderr, "usage: ddepeer [--service NAME] [--log FILE] [--item NAME=TEXT] [--item-file NAME=PATH]\n");
    return 2;
  }
  peer.threadId = GetCurrentThreadId();
  if (DdeInitializeA(&peer.instance, Callback, APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS,
                     0) != DMLERR_NO_ERROR) {
    std::fprintf(stderr, "ddepeer: DdeInitialize failed\n");
    return 1;
  }
  peer.serviceHandle = DdeCreateStringHandleA(peer.instance, peer.service.c_str(), CP_WINANSI);
  if (!DdeNameService(peer.instance, peer.serviceHandle, nullptr, DNS_REGISTER)) {
    std::fprintf(stderr, "ddepeer: the service could not be registered\n");
    return 1;
  }
  Log("READY", peer.serviceHandle, nullptr, 0, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == kPostAdvise && !message.hwnd) {
      HSZ topic = reinterpret_cast<HSZ>(message.wParam);
      HSZ item = reinterpret_cast<HSZ>(message.lParam);
      DdePostAdvise(peer.instance, topic, item);
      DdeFreeStringHandle(peer.instance, topic);
      DdeFreeStringHandle(peer.instance, item);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DdeNameService(peer.instance, peer.serviceHandle, nullptr, DNS_UNREGISTER);
  DdeFreeStringHandle(peer.instance, peer.serviceHandle);
  DdeUninitialize(peer.instance);
  return 0;
}
