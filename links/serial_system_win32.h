// The serial calls on the Windows communications API; messages are posted to
// the window set with SetWindow (the main window).
#pragma once

#include <windows.h>

#include "serial_system.h"

class Win32SerialSystem final : public SerialSystem {
 public:
  void SetWindow(HWND window) { window_ = window; }

  PortHandle OpenPort(const char* name) override;
  bool Configure(PortHandle port, const char* name, const SerialSettings& settings) override;
  bool SetQueues(PortHandle port, int inSize, int outSize) override;
  bool SetEventMask(PortHandle port, uint32_t mask) override;
  bool SetTimeouts(PortHandle port, const SerialTimeouts& timeouts) override;
  void ClosePort(PortHandle port) override;
  EventHandle MakeEvent() override;
  void SetEvent(EventHandle event) override;
  void ResetEvent(EventHandle event) override;
  void CloseEvent(EventHandle event) override;
  int WaitAny(const EventHandle* events, int count) override;
  bool StartRead(PortHandle port, SerialIo& io, uint8_t* buffer, int size) override;
  bool StartWrite(PortHandle port, SerialIo& io, const uint8_t* bytes, int count) override;
  bool StartLineWait(PortHandle port, SerialIo& io, uint32_t* mask) override;
  bool Result(PortHandle port, SerialIo& io, uint32_t* count) override;
  int WriteAll(PortHandle port, SerialIo& io, const uint8_t* bytes, int count) override;
  bool ModemStatus(PortHandle port, uint32_t* status) override;
  bool SetBreak(PortHandle port, bool on) override;
  void Post(unsigned message, uintptr_t wParam, intptr_t lParam) override;

 private:
  HWND window_ = nullptr;
};

// The one instance; the serial channel and the auxiliary port use it.
extern Win32SerialSystem SerialCalls;
