// The serial channel: a COM port driven with overlapped I/O. One I/O thread
// waits for the read, write and line-status completions and posts each one to
// the main window as WM_COMMNOTIFY (wParam the byte count, the low byte of
// lParam 1 read done, 4 write done, 32 line event); it waits for the main
// thread's acknowledge before it looks for the next one, so the receive buffer
// and the count are never overwritten before they were taken. All the work is
// done on the main thread in handle_event.
//
// Above the low byte lParam carries a failure flag and the number of the open
// the notification belongs to, so that notifications still queued from an
// earlier open are dropped after a quick reconnect.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "comm.h"
#include "serial_system.h"

constexpr unsigned kCommNotifyMessage = 0x0044;  // WM_COMMNOTIFY
constexpr intptr_t kSerialReadDone = 1;
constexpr intptr_t kSerialWriteDone = 4;
constexpr intptr_t kSerialLineEvent = 32;
constexpr intptr_t kSerialFailed = 0x100;  // the operation's result could not be fetched
constexpr int kSerialOpenShift = 16;       // the open's number, from this bit up
constexpr int kSerialOpenMask = 0x7FFF;

constexpr int kSerialBreakTimer = 3;
constexpr int kSerialBreakMilliseconds = 200;
constexpr int kSerialReadSize = 100;   // bytes handed on per receive
// The port is read in blocks this large: under Wine each completion is a
// round trip through the server, and 100-byte reads held a flood to a few
// hundred KB/s. The bytes still go on in receives of at most 100.
constexpr int kSerialReadBlock = 1024;
constexpr int kSerialQueueSize = 1024;
constexpr int kSerialReadInterval = 100;

// The control block of the serial channel for a speed code.
SerialSettings ChannelSerialSettings(int speedCode);
// "COM%d" of a port number 1-7.
void SerialPortName(int portNumber, char (&name)[8]);

// The serial base: the configured port, speed and connect string, the port
// handle and the calls that need no overlapped machinery.
class _win_serial : public _win_comm {
 public:
  bool is_open() override { return port_ != kNoPort; }
  void start_break() override;
  void end_break() override;
  const char* local_address() override { return nullptr; }
  bool is_net_connected() override { return false; }

  // The active settings the next open uses: port number 1-7 (COM1-COM7),
  // speed code, connect string in caret notation.
  void configure(int portNumber, int speedCode, const char* connectString);
  // The system calls underneath (the Win32 one at start-up, a fake in tests).
  void attach(SerialSystem* system) { system_ = system; }
  int port_number() const { return portNumber_; }

 protected:
  SerialSystem* system_ = nullptr;
  PortHandle port_ = kNoPort;
  int portNumber_ = 1;
  int speedCode_ = -1;
  char connectString_[80] = "";
};

class _win_serial_32 final : public _win_serial {
 public:
  ~_win_serial_32();
  void close() override;
  void write(const uint8_t* bytes, int count) override;
  intptr_t handle_event(void* window, unsigned message, uintptr_t wParam, intptr_t lParam) override;
  void open(void* window) override;

  // For tests: whether a write is in flight and whether the line is watched.
  bool write_in_flight() const { return writeInFlight_; }
  bool watching_carrier() const { return watchingLine_; }

 private:
  bool OpenFailed(bool portOpened);
  void IoThread(int openNumber);
  bool SameOpen(int openNumber) const { return port_ != kNoPort && openNumber == openNumber_; }
  void LineEvent(bool failed);
  void WriteDone(uint32_t count, bool failed);
  void ReadDone(uint32_t count, bool failed);
  void StartNextWrite();
  void StartNextRead();
  void StartLineWait();
  void LostConnection();
  void CloseEvents();

  // Events, in the I/O thread's wait order: read, write, line, stop; then
  // the acknowledge.
  SerialIo readIo_, writeIo_, lineIo_;
  EventHandle stopEvent_ = kNoEvent;
  EventHandle ackEvent_ = kNoEvent;
  uint32_t lineMask_ = 0;
  uint8_t receive_[kSerialReadBlock] = {};
  bool carrierSeen_ = false;
  bool watchingLine_ = false;
  bool writeInFlight_ = false;
  int readFailures_ = 0;
  int writeFailures_ = 0;
  int openNumber_ = 0;
  std::thread thread_;
};

extern _win_serial_32 SerialChannel;
