#include "aux_port.h"

#include <cstdio>
#include <cstring>

#include "comm_modes.h"

AuxPort AuxiliaryPort;

namespace {

constexpr int kAuxReadInterval = 50;
constexpr uint32_t kAuxReadTotal = 65535;
constexpr int kAuxInQueue = 1024;
constexpr int kAuxOutQueue = 100;
constexpr intptr_t kAuxFailed = 0x100;  // the read's result could not be fetched
constexpr int kAuxOpenShift = 16;
constexpr int kAuxOpenMask = 0x7FFF;
constexpr int kTransferBlock = 1024;

}  // namespace

bool AuxPortWriteSync(const uint8_t* bytes, int count) { return AuxiliaryPort.WriteForTransfer(bytes, count); }
void AuxPortReleaseAfterTransfer() { AuxiliaryPort.ReleaseAfterTransfer(); }
bool AuxPortIsOpen() { return AuxiliaryPort.IsOpen(); }

SerialSettings AuxSerialSettings(int speedCode) {
  SerialSettings s;
  s.baud = static_cast<uint32_t>(BaudForSpeedCode(speedCode));
  s.binary = true;
  s.dtr = SerialSettings::kDtrEnable;
  s.txContinueOnXoff = true;
  s.parityCheck = false;
  s.outxCtsFlow = false;
  s.outxDsrFlow = false;
  s.dsrSensitivity = false;
  s.outX = false;
  s.inX = false;
  s.errorChar = false;
  s.nullStrip = false;
  s.abortOnError = false;
  s.rts = SerialSettings::kRtsDisable;
  s.xonLimit = 5;
  s.xoffLimit = 100;
  s.xonChar = 17;
  s.xoffChar = 19;
  s.byteSize = 8;
  s.parity = 0;
  s.stopBits = 0;
  return s;
}

AuxPort::~AuxPort() {
  if (thread_.joinable()) {
    system_->SetEvent(stopEvent_);
    thread_.join();
  }
  if (port_ != kNoPort) system_->ClosePort(port_);
  port_ = kNoPort;
  CloseEvents();
  if (outbox_) std::fclose(outbox_);
  outbox_ = nullptr;
}

bool AuxPort::Open() {
  if (port_ != kNoPort && (settings_.port != openedPort_ || settings_.speed != openedSpeed_)) Close();
  if (port_ != kNoPort) return true;
  if (!system_ || !settings_.messagingOn || settings_.port < 0 || settings_.speed < 0) return false;
  const int number = SerialPortNumber(settings_.port);
  if (number == 0) return false;  // only the serial modes name a device
  char name[8];
  std::snprintf(name, sizeof name, "COM%d", number);
  port_ = system_->OpenPort(name);
  if (port_ == kNoPort) {
    hooks_.unavailable();
    return false;
  }
  openedPort_ = settings_.port;
  openedSpeed_ = settings_.speed;
  SerialTimeouts t;
  t.readInterval = kAuxReadInterval;
  t.readTotalMultiplier = kAuxReadTotal;
  t.readTotalConstant = kAuxReadTotal;
  readIo_.event = system_->MakeEvent();
  writeIo_.event = system_->MakeEvent();
  stopEvent_ = system_->MakeEvent();
  bool ok = readIo_.event && writeIo_.event && stopEvent_ &&
            system_->Configure(port_, name, AuxSerialSettings(settings_.speed)) &&
            system_->SetQueues(port_, kAuxInQueue, kAuxOutQueue) && system_->SetTimeouts(port_, t);
  if (!ok) {
    system_->ClosePort(port_);
    port_ = kNoPort;
    CloseEvents();
    hooks_.unavailable();
    return false;
  }
  readActive_ = false;
  readFailures_ = 0;
  openNumber_ = (openNumber_ + 1) & kAuxOpenMask;
  thread_ = std::thread(&AuxPort::Thread, this, openNumber_);
  StartRead();
  return port_ != kNoPort;
}

void AuxPort::CloseEvents() {
  for (EventHandle* e : {&readIo_.event, &writeIo_.event, &stopEvent_}) {
    if (*e != kNoEvent) system_->CloseEvent(*e);
    *e = kNoEvent;
  }
}

void AuxPort::Close() {
  if (port_ == kNoPort) return;
  // The reader is joined first: a count it posted for this open is dropped
  // when it arrives, and it never posts for the next one.
  system_->SetEvent(stopEvent_);
  if (thread_.joinable()) thread_.join();
  system_->ClosePort(port_);
  port_ = kNoPort;
  CloseEvents();
  openedForTransfer_ = false;
  if (readActive_) EndHostRead(false);
  if (outbox_) {
    CloseOutbox();
    hooks_.messageArrived();
  }
}

void AuxPort::Thread(int openNumber) {
  const EventHandle waits[2] = {stopEvent_, readIo_.event};
  const intptr_t tag = static_cast<intptr_t>(openNumber) << kAuxOpenShift;
  for (;;) {
    if (system_->WaitAny(waits, 2) != 1) return;
    uint32_t n = 0;
    bool ok = system_->Result(port_, readIo_, &n);
    system_->ResetEvent(readIo_.event);
    system_->Post(kAuxReadMessage, ok ? n : 0, tag | (ok ? 0 : kAuxFailed));
  }
}

void AuxPort::StartRead() {
  while (port_ != kNoPort) {
    if (system_->StartRead(port_, readIo_, receive_, kAuxReadSize)) return;
    // A port that cannot read twice in a row is given up; the terminal goes
    // on without it.
    if (++readFailures_ > 1) {
      Close();
      return;
    }
  }
}

void AuxPort::StartHostRead(int seconds) {
  if (port_ == kNoPort) return;
  if (seconds < 0) seconds = 0;
  hooks_.startTimer(kAuxReadTimer, seconds * 1000);
  lineCount_ = 0;
  if (!readActive_) keysHeld_ = hooks_.holdKeys();
  readActive_ = true;
}

void AuxPort::HostReadTimedOut() {
  hooks_.stopTimer(kAuxReadTimer);
  if (readActive_) EndHostRead(false);
}

void AuxPort::EndHostRead(bool withLine) {
  hooks_.stopTimer(kAuxReadTimer);
  if (withLine && lineCount_) hooks_.writeHost(reinterpret_cast<const uint8_t*>(line_), lineCount_);
  readActive_ = false;
  const uint8_t cr = 13;
  hooks_.writeHost(&cr, 1);
  if (keysHeld_) {
    keysHeld_ = false;
    hooks_.releaseKeys();
  }
}

void AuxPort::DataArrived(uintptr_t wParam, intptr_t lParam) {
  if (port_ == kNoPort) return;
  if (((lParam >> kAuxOpenShift) & kAuxOpenMask) != openNumber_) return;  // an earlier open's
  if (lParam & kAuxFailed) {
    if (++readFailures_ > 1) {
      Close();
      return;
    }
    StartRead();
    return;
  }
  readFailures_ = 0;
  int n = wParam > kAuxReadSize ? kAuxReadSize : static_cast<int>(wParam);
  uint8_t* bytes = receive_;
  if (settings_.crTerminate)
    for (int i = 0; i < n; ++i)
      if (bytes[i] == 13) bytes[i] = 10;
  int taken = 0;
  if (readActive_) {
    while (taken < n) {
      uint8_t b = bytes[taken++];
      if (b == 13) continue;
      if (b == 10) {
        EndHostRead(true);
        break;
      }
      if (lineCount_ < kAuxLineMax) line_[lineCount_++] = static_cast<char>(b);
    }
  }
  if (taken < n && settings_.read) {
    AppendToOutbox(bytes + taken, n - taken);
    if (outbox_ && bytes[n - 1] == 10) {
      CloseOutbox();
      hooks_.messageArrived();
    }
  }
  // The host's reply may have ended the connection, not this port.
  StartRead();
}

void AuxPort::AppendToOutbox(const uint8_t* bytes, int count) {
  if (!outbox_) {
    std::string name = hooks_.outboxFileName();
    if (name.empty()) return;
    outbox_ = std::fopen(name.c_str(), "ab");  // appends at the end
    if (!outbox_) return;
  }
  std::fwrite(bytes, 1, static_cast<size_t>(count), outbox_);
  std::fflush(outbox_);
}

void AuxPort::CloseOutbox() {
  std::fclose(outbox_);
  outbox_ = nullptr;
}

bool AuxPort::Write(const uint8_t* bytes, int count) {
  if (port_ == kNoPort || count <= 0) return false;
  return system_->WriteAll(port_, writeIo_, bytes, count) == count;
}

bool AuxPort::WriteForTransfer(const uint8_t* bytes, int count) {
  if (count < 0) count = kTransferBlock;
  if (port_ == kNoPort) {
    if (!Open()) return false;
    openedForTransfer_ = true;
  }
  if (count == 0) return true;
  return Write(bytes, count);
}

void AuxPort::ReleaseAfterTransfer() {
  if (openedForTransfer_) Close();
  openedForTransfer_ = false;
}
