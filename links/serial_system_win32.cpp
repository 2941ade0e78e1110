#include "serial_system_win32.h"

#include <cstdio>

Win32SerialSystem SerialCalls;

namespace {

static_assert(sizeof(OVERLAPPED) <= sizeof(SerialIo::opaque), "an OVERLAPPED fits the record");
static_assert(alignof(OVERLAPPED) <= 8, "and its alignment");

HANDLE H(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// The record's OVERLAPPED, cleared and bound to its event for a new operation.
OVERLAPPED* Fresh(SerialIo& io) {
  OVERLAPPED* o = reinterpret_cast<OVERLAPPED*>(io.opaque);
  ZeroMemory(o, sizeof *o);
  o->hEvent = H(io.event);
  return o;
}

OVERLAPPED* Bound(SerialIo& io) { return reinterpret_cast<OVERLAPPED*>(io.opaque); }

// Done at once or pending both count as started.
bool Started(BOOL done) { return done || GetLastError() == ERROR_IO_PENDING; }

}  // namespace

PortHandle Win32SerialSystem::OpenPort(const char* name) {
  HANDLE h = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  return h == INVALID_HANDLE_VALUE ? kNoPort : reinterpret_cast<PortHandle>(h);
}

bool Win32SerialSystem::Configure(PortHandle port, const char* name, const SerialSettings& s) {
  DCB dcb = {};
  dcb.DCBlength = sizeof dcb;
  char text[32];
  std::snprintf(text, sizeof text, "%s:9600,n,8,1", name);
  if (!BuildCommDCBA(text, &dcb)) return false;
  dcb.BaudRate = s.baud;
  dcb.fBinary = s.binary;
  dcb.fParity = s.parityCheck;
  dcb.fOutxCtsFlow = s.outxCtsFlow;
  dcb.fOutxDsrFlow = s.outxDsrFlow;
  dcb.fDtrControl = s.dtr == SerialSettings::kDtrEnable ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
  dcb.fDsrSensitivity = s.dsrSensitivity;
  dcb.fTXContinueOnXoff = s.txContinueOnXoff;
  dcb.fOutX = s.outX;
  dcb.fInX = s.inX;
  dcb.fErrorChar = s.errorChar;
  dcb.fNull = s.nullStrip;
  dcb.fRtsControl = s.rts == SerialSettings::kRtsHandshake ? RTS_CONTROL_HANDSHAKE
                    : s.rts == SerialSettings::kRtsEnable  ? RTS_CONTROL_ENABLE
                                                           : RTS_CONTROL_DISABLE;
  dcb.fAbortOnError = s.abortOnError;
  dcb.XonLim = s.xonLimit;
  dcb.XoffLim = s.xoffLimit;
  dcb.XonChar = static_cast<char>(s.xonChar);
  dcb.XoffChar = static_cast<char>(s.xoffChar);
  dcb.ByteSize = s.byteSize;
  dcb.Parity = s.parity;
  dcb.StopBits = s.stopBits;
  dcb.ErrorChar = dcb.EofChar = dcb.EvtChar = 0;
  return SetCommState(H(port), &dcb) != 0;
}

bool Win32SerialSystem::SetQueues(PortHandle port, int inSize, int outSize) {
  return SetupComm(H(port), static_cast<DWORD>(inSize), static_cast<DWORD>(outSize)) != 0;
}

bool Win32SerialSystem::SetEventMask(PortHandle port, uint32_t mask) { return SetCommMask(H(port), mask) != 0; }

bool Win32SerialSystem::SetTimeouts(PortHandle port, const SerialTimeouts& t) {
  COMMTIMEOUTS c = {t.readInterval, t.readTotalMultiplier, t.readTotalConstant, t.writeTotalMultiplier,
                    t.writeTotalConstant};
  return SetCommTimeouts(H(port), &c) != 0;
}

void Win32SerialSystem::ClosePort(PortHandle port) {
  CancelIoEx(H(port), nullptr);
  CloseHandle(H(port));
}

EventHandle Win32SerialSystem::MakeEvent() {
  return reinterpret_cast<EventHandle>(CreateEventA(nullptr, TRUE, FALSE, nullptr));
}
void Win32SerialSystem::SetEvent(EventHandle event) { ::SetEvent(H(event)); }
void Win32SerialSystem::ResetEvent(EventHandle event) { ::ResetEvent(H(event)); }
void Win32SerialSystem::CloseEvent(EventHandle event) { CloseHandle(H(event)); }

int Win32SerialSystem::WaitAny(const EventHandle* events, int count) {
  HANDLE handles[8];
  if (count > 8) count = 8;
  for (int i = 0; i < count; ++i) handles[i] = H(events[i]);
  DWORD r = WaitForMultipleObjects(static_cast<DWORD>(count), handles, FALSE, INFINITE);
  if (r < WAIT_OBJECT_0 + static_cast<DWORD>(count)) return static_cast<int>(r - WAIT_OBJECT_0);
  return -1;
}

bool Win32SerialSystem::StartRead(PortHandle port, SerialIo& io, uint8_t* buffer, int size) {
  DWORD n = 0;
  return Started(ReadFile(H(port), buffer, static_cast<DWORD>(size), &n, Fresh(io)));
}

bool Win32SerialSystem::StartWrite(PortHandle port, SerialIo& io, const uint8_t* bytes, int count) {
  DWORD n = 0;
  return Started(WriteFile(H(port), bytes, static_cast<DWORD>(count), &n, Fresh(io)));
}

bool Win32SerialSystem::StartLineWait(PortHandle port, SerialIo& io, uint32_t* mask) {
  return Started(WaitCommEvent(H(port), reinterpret_cast<DWORD*>(mask), Fresh(io)));
}

bool Win32SerialSystem::Result(PortHandle port, SerialIo& io, uint32_t* count) {
  DWORD n = 0;
  BOOL ok = GetOverlappedResult(H(port), Bound(io), &n, FALSE);
  *count = n;
  return ok != 0;
}

int Win32SerialSystem::WriteAll(PortHandle port, SerialIo& io, const uint8_t* bytes, int count) {
  DWORD n = 0;
  if (!Started(WriteFile(H(port), bytes, static_cast<DWORD>(count), &n, Fresh(io)))) return 0;
  if (!GetOverlappedResult(H(port), Bound(io), &n, TRUE)) return 0;
  return static_cast<int>(n);
}

bool Win32SerialSystem::ModemStatus(PortHandle port, uint32_t* status) {
  DWORD s = 0;
  BOOL ok = GetCommModemStatus(H(port), &s);
  *status = s;
  return ok != 0;
}

bool Win32SerialSystem::SetBreak(PortHandle port, bool on) {
  return (on ? SetCommBreak(H(port)) : ClearCommBreak(H(port))) != 0;
}

void Win32SerialSystem::Post(unsigned message, uintptr_t wParam, intptr_t lParam) {
  PostMessageA(window_, message, wParam, lParam);
}
