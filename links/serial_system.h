// The operating-system calls the serial channel and the auxiliary port make,
// shaped like the Windows communications API (overlapped file I/O on a COM
// port, manual-reset events, posted window messages) so that the Win32
// implementation is a thin wrapper and tests can put a fake port under the
// same logic. Handles are opaque numbers; kNoPort and kNoEvent mean none.
#pragma once

#include <cstdint>

using PortHandle = intptr_t;
using EventHandle = intptr_t;

constexpr PortHandle kNoPort = -1;
constexpr EventHandle kNoEvent = 0;

// The device control block fields the terminal sets (after "COMn:9600,n,8,1").
struct SerialSettings {
  uint32_t baud = 9600;
  bool binary = true;
  bool parityCheck = false;
  bool outxCtsFlow = false;
  bool outxDsrFlow = false;
  enum Dtr { kDtrDisable, kDtrEnable } dtr = kDtrEnable;
  bool dsrSensitivity = false;
  bool txContinueOnXoff = true;
  bool outX = false;
  bool inX = false;
  bool errorChar = false;
  bool nullStrip = false;
  enum Rts { kRtsDisable, kRtsEnable, kRtsHandshake } rts = kRtsDisable;
  bool abortOnError = false;
  uint16_t xonLimit = 5;
  uint16_t xoffLimit = 100;
  uint8_t xonChar = 17;
  uint8_t xoffChar = 19;
  uint8_t byteSize = 8;
  uint8_t parity = 0;    // none
  uint8_t stopBits = 0;  // one
};

// COMMTIMEOUTS, in milliseconds.
struct SerialTimeouts {
  uint32_t readInterval = 0;
  uint32_t readTotalMultiplier = 0;
  uint32_t readTotalConstant = 0;
  uint32_t writeTotalMultiplier = 0;
  uint32_t writeTotalConstant = 0;
};

// Line events and modem status bits as the system numbers them.
constexpr uint32_t kEventCarrierChange = 0x0020;  // EV_RLSD
constexpr uint32_t kModemCarrierOn = 0x0080;      // MS_RLSD_ON

// One outstanding overlapped operation: its event and the system's record.
struct SerialIo {
  EventHandle event = kNoEvent;
  alignas(8) unsigned char opaque[64] = {};
};

class SerialSystem {
 public:
  virtual ~SerialSystem() = default;

  // Opens "COMn" for reading and writing, not shared, existing only,
  // overlapped. kNoPort on failure.
  virtual PortHandle OpenPort(const char* name) = 0;
  // Builds the control block from "COMn:9600,n,8,1", sets the fields and
  // applies it.
  virtual bool Configure(PortHandle port, const char* name, const SerialSettings& settings) = 0;
  virtual bool SetQueues(PortHandle port, int inSize, int outSize) = 0;
  virtual bool SetEventMask(PortHandle port, uint32_t mask) = 0;
  virtual bool SetTimeouts(PortHandle port, const SerialTimeouts& timeouts) = 0;
  // Cancels the port's outstanding operations, then closes it.
  virtual void ClosePort(PortHandle port) = 0;

  // Manual-reset events, created non-signalled.
  virtual EventHandle MakeEvent() = 0;
  virtual void SetEvent(EventHandle event) = 0;
  virtual void ResetEvent(EventHandle event) = 0;
  virtual void CloseEvent(EventHandle event) = 0;
  // Waits without limit for any of the events; the index of the first one
  // signalled (lowest index wins), or -1 when the wait itself failed.
  virtual int WaitAny(const EventHandle* events, int count) = 0;

  // Overlapped operations bound to io.event. False when the operation could
  // not be started (neither done at once nor pending).
  virtual bool StartRead(PortHandle port, SerialIo& io, uint8_t* buffer, int size) = 0;
  virtual bool StartWrite(PortHandle port, SerialIo& io, const uint8_t* bytes, int count) = 0;
  virtual bool StartLineWait(PortHandle port, SerialIo& io, uint32_t* mask) = 0;
  // The finished operation's byte count, without waiting; false when it failed
  // or has not finished.
  virtual bool Result(PortHandle port, SerialIo& io, uint32_t* count) = 0;
  // A synchronous write: waits until done; the bytes written.
  virtual int WriteAll(PortHandle port, SerialIo& io, const uint8_t* bytes, int count) = 0;

  virtual bool ModemStatus(PortHandle port, uint32_t* status) = 0;
  virtual bool SetBreak(PortHandle port, bool on) = 0;

  // Posts a message to the main window (from any thread).
  virtual void Post(unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
};
