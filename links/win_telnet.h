// The telnet channel over WinSock 1.1 with notifications by window message:
// 1025 host-name lookup done, 1026 connect done, 1028 socket events.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include "comm.h"
#include "telnet_protocol.h"

constexpr UINT kMsgLookupDone = WM_USER + 1;   // 1025
constexpr UINT kMsgConnectDone = WM_USER + 2;  // 1026
constexpr UINT kMsgSocketEvent = WM_USER + 4;  // 1028

class _win_telnet final : public _win_comm {
 public:
  void close() override;
  void write(const uint8_t* bytes, int count) override;
  bool is_open() override { return socket_ != INVALID_SOCKET; }
  void start_break() override;
  void end_break() override {}
  const char* local_address() override;
  bool is_net_connected() override { return is_open(); }
  intptr_t handle_event(void* window, unsigned message, uintptr_t wParam, intptr_t lParam) override;
  void open(void* window) override;

  // The active settings the next open uses.
  void configure(const char* host, int port, int mode, const char* connectString);

 private:
  void LookupDone(HWND window, WPARAM wParam, LPARAM lParam);
  void ConnectDone(HWND window, LPARAM lParam);
  void SocketEvent(LPARAM lParam);
  void ReadAll();
  void Fail(int stringId, int errorCode);

  SOCKET socket_ = INVALID_SOCKET;
  HANDLE lookupTask_ = nullptr;
  TelnetSession telnet_;  // the connection's receive state and accepted options
  bool networkStarted_ = false;
  bool reading_ = false;  // a read pass is running (message boxes pump messages)
  char localAddress_[16] = "";
  char hostEntry_[MAXGETHOSTSTRUCT];
  char host_[64] = "";
  int port_ = 23;
  int mode_ = 6;
  char connectString_[80] = "";
};

extern _win_telnet TelnetChannel;
