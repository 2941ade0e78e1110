#include "win_serial.h"

#include <cstdio>
#include <vector>

#include "channel_hooks.h"
#include "comm_modes.h"
#include "connect_string.h"
#include "output_queue.h"

_win_serial_32 SerialChannel;

namespace {

// String-table numbers.
constexpr int kSerialUnavailable = 2;
constexpr int kConnectionTerminated = 8;

}  // namespace

SerialSettings ChannelSerialSettings(int speedCode) {
  SerialSettings s;
  s.baud = static_cast<uint32_t>(BaudForSpeedCode(speedCode));
  s.binary = true;
  s.parityCheck = false;
  s.outxCtsFlow = true;
  s.outxDsrFlow = false;
  s.dtr = SerialSettings::kDtrEnable;
  s.dsrSensitivity = false;
  s.txContinueOnXoff = true;
  s.outX = true;
  s.inX = true;
  s.xonChar = 17;
  s.xoffChar = 19;
  s.xonLimit = 5;
  s.xoffLimit = 100;
  s.errorChar = false;
  s.nullStrip = false;
  s.rts = SerialSettings::kRtsHandshake;
  s.abortOnError = false;
  s.byteSize = 8;
  s.parity = 0;
  s.stopBits = 0;
  return s;
}

void SerialPortName(int portNumber, char (&name)[8]) { std::snprintf(name, sizeof name, "COM%d", portNumber); }

// ---- _win_serial ----------------------------------------------------------

void _win_serial::configure(int portNumber, int speedCode, const char* connectString) {
  portNumber_ = portNumber;
  speedCode_ = speedCode;
  std::snprintf(connectString_, sizeof connectString_, "%s", connectString ? connectString : "");
}

void _win_serial::start_break() {
  if (port_ == kNoPort) return;
  system_->SetBreak(port_, true);
  ChannelEvents.startTimer(kSerialBreakTimer, kSerialBreakMilliseconds);
}

void _win_serial::end_break() {
  if (port_ == kNoPort) return;
  system_->SetBreak(port_, false);
}

// ---- _win_serial_32: open and close ----------------------------------------

_win_serial_32::~_win_serial_32() {
  // A channel left open at exit: its thread must not outlive it.
  if (thread_.joinable()) {
    system_->SetEvent(stopEvent_);
    thread_.join();
  }
  if (port_ != kNoPort) system_->ClosePort(port_);
  port_ = kNoPort;
  CloseEvents();
}

bool _win_serial_32::OpenFailed(bool portOpened) {
  if (portOpened) {
    system_->ClosePort(port_);
    port_ = kNoPort;
  }
  CloseEvents();
  ChannelEvents.message(kSerialUnavailable, 0, kMessageOk);
  ChannelEvents.closed();
  return false;
}

void _win_serial_32::open(void*) {
  if (!system_ || port_ != kNoPort) return;
  carrierSeen_ = false;
  char name[8];
  SerialPortName(portNumber_, name);
  port_ = system_->OpenPort(name);
  if (port_ == kNoPort) {
    OpenFailed(false);
    return;
  }
  // Settings the port refuses would leave it at a wrong speed or deaf: refuse
  // the line instead.
  SerialTimeouts timeouts;
  timeouts.readInterval = kSerialReadInterval;
  if (!system_->Configure(port_, name, ChannelSerialSettings(speedCode_)) ||
      !system_->SetQueues(port_, kSerialQueueSize, kSerialQueueSize)) {
    OpenFailed(true);
    return;
  }
  readIo_.event = system_->MakeEvent();
  writeIo_.event = system_->MakeEvent();
  lineIo_.event = system_->MakeEvent();
  ackEvent_ = system_->MakeEvent();
  stopEvent_ = system_->MakeEvent();
  if (!readIo_.event || !writeIo_.event || !lineIo_.event || !ackEvent_ || !stopEvent_ ||
      !system_->SetEventMask(port_, kEventCarrierChange) || !system_->SetTimeouts(port_, timeouts)) {
    OpenFailed(true);
    return;
  }
  openNumber_ = (openNumber_ + 1) & kSerialOpenMask;
  writeInFlight_ = false;
  readFailures_ = writeFailures_ = 0;
  if (!system_->StartRead(port_, readIo_, receive_, kSerialReadBlock)) {
    OpenFailed(true);
    return;
  }
  watchingLine_ = true;
  StartLineWait();
  thread_ = std::thread(&_win_serial_32::IoThread, this, openNumber_);
  ChannelEvents.serialConnected(portNumber_);
  std::vector<uint8_t> decoded = DecodeConnectString(connectString_);
  if (!decoded.empty()) write(decoded.data(), static_cast<int>(decoded.size()));
}

void _win_serial_32::CloseEvents() {
  for (EventHandle* e : {&readIo_.event, &writeIo_.event, &lineIo_.event, &ackEvent_, &stopEvent_}) {
    if (*e != kNoEvent) system_->CloseEvent(*e);
    *e = kNoEvent;
  }
}

void _win_serial_32::close() {
  ChannelEvents.discardKeys();
  OutputQueueClear();
  drainCallback_ = nullptr;
  writeInFlight_ = false;
  watchingLine_ = false;
  // The thread is joined before the port and its events go, so it can neither
  // close the events of a newer open nor post for it.
  if (thread_.joinable()) {
    system_->SetEvent(stopEvent_);
    thread_.join();
  }
  if (port_ != kNoPort) {
    system_->ClosePort(port_);  // cancels the outstanding read, write and line wait
    port_ = kNoPort;
    CloseEvents();
    ChannelEvents.closed();
  }
  CloseEvents();
}

// ---- The I/O thread --------------------------------------------------------

void _win_serial_32::IoThread(int openNumber) {
  const EventHandle waits[4] = {readIo_.event, writeIo_.event, lineIo_.event, stopEvent_};
  const EventHandle ackWaits[2] = {ackEvent_, stopEvent_};
  const intptr_t tag = static_cast<intptr_t>(openNumber) << kSerialOpenShift;
  uintptr_t count = 0;
  for (;;) {
    int which = system_->WaitAny(waits, 4);
    if (which < 0 || which == 3) return;
    SerialIo& io = which == 0 ? readIo_ : which == 1 ? writeIo_ : lineIo_;
    uint32_t n = 0;
    // A failed operation is still reported (and its event reset): left
    // signalled it would wake this loop for ever.
    bool ok = system_->Result(port_, io, &n);
    system_->ResetEvent(io.event);
    intptr_t kind = which == 0 ? kSerialReadDone : which == 1 ? kSerialWriteDone : kSerialLineEvent;
    if (which != 2) count = ok ? n : 0;
    if (!ok) kind |= kSerialFailed;
    system_->ResetEvent(ackEvent_);
    system_->Post(kCommNotifyMessage, count, kind | tag);
    if (system_->WaitAny(ackWaits, 2) != 0) return;
  }
}

// ---- Main thread: notifications --------------------------------------------

intptr_t _win_serial_32::handle_event(void*, unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (message != kCommNotifyMessage || port_ == kNoPort) return 0;
  const int openNumber = static_cast<int>((lParam >> kSerialOpenShift) & kSerialOpenMask);
  if (openNumber != openNumber_) return 0;  // queued by an earlier open: its thread is gone
  const bool failed = (lParam & kSerialFailed) != 0;
  const uint32_t count = static_cast<uint32_t>(wParam);
  switch (lParam & 0xFF) {
    case kSerialLineEvent:
      LineEvent(failed);
      break;
    case kSerialWriteDone:
      WriteDone(count, failed);
      break;
    case kSerialReadDone:
      ReadDone(count, failed);
      break;
    default:
      break;
  }
  // Whatever was done may have closed the line, or closed and opened it again.
  if (SameOpen(openNumber)) system_->SetEvent(ackEvent_);
  return 0;
}

void _win_serial_32::LostConnection() {
  ChannelEvents.disconnect();
  // The shell picks the default button from the auto-connect settings.
  if (ChannelEvents.message(kConnectionTerminated, 0, kMessageYesNo) == kAnswerYes) ChannelEvents.reconnect();
}

void _win_serial_32::LineEvent(bool failed) {
  uint32_t status = 0;
  // A port that cannot report its modem lines (a pseudo-terminal, some
  // adapters) is not watched any more rather than asked again and again.
  if (failed || !watchingLine_ || !system_->ModemStatus(port_, &status)) {
    watchingLine_ = false;
    return;
  }
  if (status & kModemCarrierOn) {
    carrierSeen_ = true;
  } else if (carrierSeen_) {
    LostConnection();
    return;
  }
  StartLineWait();
}

void _win_serial_32::StartLineWait() {
  if (!watchingLine_) return;
  lineMask_ = 0;
  if (!system_->StartLineWait(port_, lineIo_, &lineMask_)) watchingLine_ = false;
}

void _win_serial_32::WriteDone(uint32_t count, bool failed) {
  writeInFlight_ = false;
  if (failed) {
    // One failed write is tried again; a second in a row means the line is gone.
    if (++writeFailures_ > 1) {
      LostConnection();
      return;
    }
  } else {
    writeFailures_ = 0;
    int readable = OutputQueueReadable();
    int n = static_cast<int>(count) < readable ? static_cast<int>(count) : readable;
    if (n > 0) {
      ChannelEvents.trace(OutputQueueReadPointer(), n, 1);
      OutputQueueConsume(n);
    }
  }
  const int openNumber = openNumber_;
  drained();
  // The drain callback may have written (and so started the next write
  // already) or closed the line.
  if (SameOpen(openNumber) && !writeInFlight_) StartNextWrite();
}

void _win_serial_32::StartNextWrite() {
  while (port_ != kNoPort && !writeInFlight_ && !OutputQueueEmpty()) {
    if (system_->StartWrite(port_, writeIo_, OutputQueueReadPointer(), OutputQueueReadable())) {
      writeInFlight_ = true;
      return;
    }
    if (++writeFailures_ > 1) {
      LostConnection();
      return;
    }
  }
}

void _win_serial_32::ReadDone(uint32_t count, bool failed) {
  if (failed) {
    // A read that fails is started once more; failing again, the line is lost.
    if (++readFailures_ > 1) {
      LostConnection();
      return;
    }
  } else {
    readFailures_ = 0;
    const int openNumber = openNumber_;
    if (count > kSerialReadBlock) count = kSerialReadBlock;
    for (uint32_t at = 0; at < count; at += kSerialReadSize) {
      uint32_t n = count - at < kSerialReadSize ? count - at : kSerialReadSize;
      ChannelEvents.received(receive_ + at, static_cast<int>(n));
      if (!SameOpen(openNumber)) return;  // the host's bytes ended the connection
    }
  }
  StartNextRead();
}

void _win_serial_32::StartNextRead() {
  while (port_ != kNoPort) {
    if (system_->StartRead(port_, readIo_, receive_, kSerialReadBlock)) return;
    if (++readFailures_ > 1) {
      LostConnection();
      return;
    }
  }
}

void _win_serial_32::write(const uint8_t* bytes, int count) {
  if (port_ == kNoPort || count <= 0) return;
  int taken = OutputQueueAppend(bytes, count);
  if (taken < count) ChannelEvents.beep();
  // At most one write in flight: a running write's completion goes on with
  // what was queued meanwhile.
  if (!writeInFlight_) StartNextWrite();
}
