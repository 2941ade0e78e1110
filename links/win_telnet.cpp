#include "win_telnet.h"

#include <cstdio>
#include <cstring>

#include "channel_hooks.h"
#include "connect_string.h"
#include "output_queue.h"
#include "telnet_protocol.h"

_win_telnet TelnetChannel;

namespace {

constexpr int kReceiveSize = 100;  // one receive hands on at most this
// The socket is read in blocks this large: under Wine every socket call is a
// round trip to the server, and 100-byte reads made a 10 MB flood take
// seconds. The bytes still go on in receives of at most 100.
constexpr int kSocketReadSize = 4096;
constexpr long kSocketEvents = FD_READ | FD_WRITE | FD_OOB | FD_CLOSE;  // 39

// String-table numbers of the failures.
constexpr int kNetworkUnavailable = 5;
constexpr int kUnknownHost = 6;
constexpr int kUnableToConnect = 7;
constexpr int kConnectionTerminated = 8;

struct ReceiveBuffer {
  uint8_t bytes[kSocketReadSize];
};
ReceiveBuffer receiveBuffer;

int SendOnSocket(void* context, const uint8_t* bytes, int count) {
  SOCKET s = *static_cast<SOCKET*>(context);
  if (s == INVALID_SOCKET) return 0;
  int sent = send(s, reinterpret_cast<const char*>(bytes), count, 0);
  return sent < 0 ? 0 : sent;
}

void TraceSent(const uint8_t* bytes, int count) { ChannelEvents.trace(bytes, count, 1); }
void Beep() { ChannelEvents.beep(); }

class TelnetSink final : public TelnetReceiveSink {
 public:
  explicit TelnetSink(const RawSendPorts& ports) : ports_(ports) {}
  void Data(const uint8_t* bytes, int count) override { ChannelEvents.received(bytes, count); }
  void Negotiation(const uint8_t* bytes, int count) override { ChannelEvents.trace(bytes, count, 2); }
  void Reply(const uint8_t* bytes, int count) override { TelnetRawSend(bytes, count, ports_); }

 private:
  const RawSendPorts& ports_;
};

bool IsDottedAddress(const char* host, unsigned long* address) {
  unsigned a, b, c, d;
  char tail;
  if (std::sscanf(host, "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) != 4) return false;
  if (a > 255 || b > 255 || c > 255 || d > 255) return false;
  *address = inet_addr(host);
  return true;
}

}  // namespace

void _win_telnet::configure(const char* host, int port, int mode, const char* connectString) {
  std::snprintf(host_, sizeof host_, "%s", host ? host : "");
  port_ = port;
  mode_ = mode;
  std::snprintf(connectString_, sizeof connectString_, "%s", connectString ? connectString : "");
}

void _win_telnet::Fail(int stringId, int errorCode) {
  ChannelEvents.disconnect();
  ChannelEvents.message(stringId, errorCode, MB_OK);
}

void _win_telnet::open(void* windowHandle) {
  HWND window = static_cast<HWND>(windowHandle);
  telnet_ = TelnetSession{};  // options start off on every connection
  WSADATA data;
  if (WSAStartup(MAKEWORD(1, 1), &data) != 0 || data.wVersion != MAKEWORD(1, 1)) {
    ChannelEvents.message(kNetworkUnavailable, 0, MB_OK);
    return;
  }
  networkStarted_ = true;
  socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
  if (socket_ == INVALID_SOCKET) {
    Fail(kNetworkUnavailable, 0);
    return;
  }
  BOOL on = TRUE;
  setsockopt(socket_, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&on), sizeof on);
  LINGER linger = {1, 0};  // closing resets the connection
  setsockopt(socket_, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&linger), sizeof linger);
  if (WSAAsyncSelect(socket_, window, kMsgConnectDone, FD_CONNECT) != 0) {
    Fail(kNetworkUnavailable, 0);
    return;
  }
  unsigned long address;
  if (IsDottedAddress(host_, &address)) {
    PostMessageA(window, kMsgLookupDone, 0, static_cast<LPARAM>(address));
    return;
  }
  lookupTask_ = WSAAsyncGetHostByName(window, kMsgLookupDone, host_, hostEntry_, sizeof hostEntry_);
  if (!lookupTask_) Fail(kNetworkUnavailable, 0);
}

void _win_telnet::LookupDone(HWND window, WPARAM wParam, LPARAM lParam) {
  if (socket_ == INVALID_SOCKET) return;
  lookupTask_ = nullptr;
  sockaddr_in to = {};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<u_short>(port_));
  if (wParam == 0) {
    to.sin_addr.s_addr = static_cast<unsigned long>(lParam);
  } else {
    int error = WSAGETASYNCERROR(lParam);
    if (error) {
      Fail(kUnknownHost, error);
      return;
    }
    const hostent* entry = reinterpret_cast<const hostent*>(hostEntry_);
    uint8_t bytes[4];
    CopyHostEntryAddress(reinterpret_cast<const uint8_t*>(entry->h_addr_list[0]), entry->h_length, bytes);
    std::memcpy(&to.sin_addr, bytes, 4);
  }
  if (::connect(socket_, reinterpret_cast<const sockaddr*>(&to), sizeof to) == SOCKET_ERROR &&
      WSAGetLastError() != WSAEWOULDBLOCK) {
    int error = WSAGetLastError();
    PostMessageA(window, kMsgConnectDone, 0, WSAMAKESELECTREPLY(FD_CONNECT, error));
  }
}

void _win_telnet::ConnectDone(HWND window, LPARAM lParam) {
  if (socket_ == INVALID_SOCKET) return;
  int error = WSAGETSELECTERROR(lParam);
  if (error) {
    ChannelEvents.disconnect();
    if (ChannelEvents.message(kUnableToConnect, error, MB_YESNO | MB_DEFBUTTON2) == IDYES)
      ChannelEvents.reconnect();
    return;
  }
  WSAAsyncSelect(socket_, window, kMsgSocketEvent, kSocketEvents);
  ChannelEvents.connected(host_);
  if (mode_ == 7 || mode_ == 8) {
    std::vector<uint8_t> decoded = DecodeConnectString(connectString_);
    if (!decoded.empty()) write(decoded.data(), static_cast<int>(decoded.size()));
  }
}

void _win_telnet::ReadAll() {
  if (reading_) return;
  reading_ = true;
  RawSendPorts ports = {SendOnSocket, &socket_, TraceSent, Beep};
  TelnetSink sink(ports);
  for (;;) {
    if (socket_ == INVALID_SOCKET) break;
    int n = recv(socket_, reinterpret_cast<char*>(receiveBuffer.bytes), kSocketReadSize, 0);
    if (n < 1) break;
    for (int offset = 0; offset < n && socket_ != INVALID_SOCKET; offset += kReceiveSize)
      TelnetReceive(telnet_, receiveBuffer.bytes + offset, n - offset < kReceiveSize ? n - offset : kReceiveSize,
                    sink);
  }
  reading_ = false;
}

void _win_telnet::SocketEvent(LPARAM lParam) {
  const int events = WSAGETSELECTEVENT(lParam);
  if (events & FD_CLOSE) {
    ChannelEvents.disconnect();
    // The shell picks the default button from the auto-connect settings.
    if (ChannelEvents.message(kConnectionTerminated, 0, MB_YESNO) == IDYES)
      ChannelEvents.reconnect();
    return;
  }
  RawSendPorts ports = {SendOnSocket, &socket_, TraceSent, Beep};
  if (events & FD_OOB) {
    uint8_t byte;
    if (recv(socket_, reinterpret_cast<char*>(&byte), 1, MSG_OOB) == 1) ChannelEvents.trace(&byte, 1, 2);
  }
  if (events & FD_WRITE) {
    SendQueuedOutput(ports);
    drained();
  }
  if (events & FD_READ) ReadAll();
}

intptr_t _win_telnet::handle_event(void* window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case kMsgLookupDone:
      LookupDone(static_cast<HWND>(window), wParam, lParam);
      break;
    case kMsgConnectDone:
      ConnectDone(static_cast<HWND>(window), lParam);
      break;
    case kMsgSocketEvent:
      SocketEvent(lParam);
      break;
    default:
      break;
  }
  return 0;
}

void _win_telnet::write(const uint8_t* bytes, int count) {
  RawSendPorts ports = {SendOnSocket, &socket_, TraceSent, Beep};
  TelnetWrite(bytes, count, ports);
}

void _win_telnet::start_break() {
  RawSendPorts ports = {SendOnSocket, &socket_, TraceSent, Beep};
  TelnetBreak(ports);
}

const char* _win_telnet::local_address() {
  if (socket_ == INVALID_SOCKET) return nullptr;
  sockaddr_in self = {};
  int length = sizeof self;
  if (getsockname(socket_, reinterpret_cast<sockaddr*>(&self), &length) != 0) return nullptr;
  const uint8_t* a = reinterpret_cast<const uint8_t*>(&self.sin_addr);
  std::snprintf(localAddress_, sizeof localAddress_, "%ld.%ld.%ld.%ld", static_cast<long>(a[0]),
                static_cast<long>(a[1]), static_cast<long>(a[2]), static_cast<long>(a[3]));
  return localAddress_;
}

void _win_telnet::close() {
  ChannelEvents.discardKeys();
  reading_ = false;
  OutputQueueClear();
  drainCallback_ = nullptr;
  if (lookupTask_) {
    WSACancelAsyncRequest(lookupTask_);
    lookupTask_ = nullptr;
  }
  if (socket_ != INVALID_SOCKET) {
    WSAAsyncSelect(socket_, nullptr, 0, 0);
    LINGER linger = {1, 0};
    setsockopt(socket_, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&linger), sizeof linger);
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
  }
  if (networkStarted_) {
    WSACleanup();
    networkStarted_ = false;
  }
  telnet_ = TelnetSession{};
  ChannelEvents.closed();
}
