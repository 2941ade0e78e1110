// A COM port under the serial calls, for the channel's and the auxiliary
// port's tests: the device side is driven by the test (bytes arrive, writes
// complete, the carrier changes), overlapped operations signal their events as
// the system's do, and posted messages wait in a queue the test pumps.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "serial_system.h"

class FakeSerialSystem final : public SerialSystem {
 public:
  struct Posted {
    unsigned message;
    uintptr_t wParam;
    intptr_t lParam;
  };

  // ---- What the test sets ----
  std::set<std::string> available = {"COM1", "COM2", "COM6", "COM7"};
  bool refuseConfigure = false;
  bool refuseTimeouts = false;
  bool modemStatusWorks = true;
  bool lineWaitWorks = true;
  bool autoCompleteWrites = true;
  int failReadStarts = 0;     // the next n StartRead calls fail
  bool failWriteAll = false;

  // ---- What the code under test did ----
  std::string openedName;
  int opens = 0;
  SerialSettings applied;
  SerialTimeouts timeouts;
  int inQueue = 0, outQueue = 0;
  uint32_t mask = 0;
  std::string written;          // bytes the device received
  int outstandingWrites = 0;    // started, result not yet fetched
  int maxOutstandingWrites = 0;
  std::vector<bool> breaks;
  int liveEvents = 0;

  // ---- The device side ----
  void Deliver(const std::string& bytes) {
    std::lock_guard<std::mutex> lock(m_);
    incoming_ += bytes;
    CompleteReadLocked();
  }
  // The pending read ends in failure.
  void FailRead() {
    std::lock_guard<std::mutex> lock(m_);
    if (!read_.active || read_.done) return;
    read_.done = true;
    read_.ok = false;
    SignalLocked(read_.io->event);
  }
  // The write in progress is sent.
  bool CompleteWrite() {
    std::lock_guard<std::mutex> lock(m_);
    return CompleteWriteLocked();
  }
  void SetCarrier(bool on) {
    std::lock_guard<std::mutex> lock(m_);
    carrier_ = on;
    if (line_.active && !line_.done) {
      line_.done = true;
      if (lineMaskOut_) *lineMaskOut_ = kEventCarrierChange;
      SignalLocked(line_.io->event);
    }
  }
  bool PortOpen() {
    std::lock_guard<std::mutex> lock(m_);
    return port_ != kNoPort;
  }
  bool LineWaitPending() {
    std::lock_guard<std::mutex> lock(m_);
    return line_.active && !line_.done;
  }

  // ---- The message queue ----
  bool WaitPost(Posted* out, int milliseconds) {
    std::unique_lock<std::mutex> lock(m_);
    if (!cv_.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] { return !posts_.empty(); }))
      return false;
    *out = posts_.front();
    posts_.pop_front();
    return true;
  }
  size_t PostsWaiting() {
    std::lock_guard<std::mutex> lock(m_);
    return posts_.size();
  }

  // ---- SerialSystem ----
  PortHandle OpenPort(const char* name) override {
    std::lock_guard<std::mutex> lock(m_);
    ++opens;
    openedName = name;
    if (!available.count(name) || port_ != kNoPort) return kNoPort;
    port_ = 7;
    return port_;
  }
  bool Configure(PortHandle, const char*, const SerialSettings& settings) override {
    applied = settings;
    return !refuseConfigure;
  }
  bool SetQueues(PortHandle, int in, int out) override {
    inQueue = in;
    outQueue = out;
    return true;
  }
  bool SetEventMask(PortHandle, uint32_t m) override {
    mask = m;
    return true;
  }
  bool SetTimeouts(PortHandle, const SerialTimeouts& t) override {
    timeouts = t;
    return !refuseTimeouts;
  }
  void ClosePort(PortHandle) override {
    std::lock_guard<std::mutex> lock(m_);
    port_ = kNoPort;
    read_ = write_ = line_ = Op{};
  }

  EventHandle MakeEvent() override {
    std::lock_guard<std::mutex> lock(m_);
    EventHandle e = nextEvent_++;
    events_[e] = false;
    ++liveEvents;
    return e;
  }
  void SetEvent(EventHandle e) override {
    std::lock_guard<std::mutex> lock(m_);
    SignalLocked(e);
  }
  void ResetEvent(EventHandle e) override {
    std::lock_guard<std::mutex> lock(m_);
    auto it = events_.find(e);
    if (it != events_.end()) it->second = false;
  }
  void CloseEvent(EventHandle e) override {
    std::lock_guard<std::mutex> lock(m_);
    if (events_.erase(e)) --liveEvents;
    cv_.notify_all();
  }
  int WaitAny(const EventHandle* events, int count) override {
    std::unique_lock<std::mutex> lock(m_);
    for (;;) {
      for (int i = 0; i < count; ++i) {
        auto it = events_.find(events[i]);
        if (it == events_.end()) return -1;  // closed under the waiter
        if (it->second) return i;
      }
      cv_.wait(lock);
    }
  }

  bool StartRead(PortHandle port, SerialIo& io, uint8_t* buffer, int size) override {
    std::lock_guard<std::mutex> lock(m_);
    if (port != port_ || failReadStarts > 0) {
      if (failReadStarts > 0) --failReadStarts;
      return false;
    }
    read_ = Op{true, false, true, 0, &io};
    readBuffer_ = buffer;
    readSize_ = size;
    CompleteReadLocked();
    return true;
  }
  bool StartWrite(PortHandle port, SerialIo& io, const uint8_t* bytes, int count) override {
    std::lock_guard<std::mutex> lock(m_);
    if (port != port_) return false;
    ++outstandingWrites;
    if (outstandingWrites > maxOutstandingWrites) maxOutstandingWrites = outstandingWrites;
    write_ = Op{true, false, true, 0, &io};
    pendingWrite_.assign(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
    if (autoCompleteWrites) CompleteWriteLocked();
    return true;
  }
  bool StartLineWait(PortHandle port, SerialIo& io, uint32_t* m) override {
    std::lock_guard<std::mutex> lock(m_);
    if (port != port_ || !lineWaitWorks) return false;
    line_ = Op{true, false, true, 0, &io};
    lineMaskOut_ = m;
    return true;
  }
  bool Result(PortHandle, SerialIo& io, uint32_t* count) override {
    std::lock_guard<std::mutex> lock(m_);
    Op* op = &io == read_.io ? &read_ : &io == write_.io ? &write_ : &io == line_.io ? &line_ : nullptr;
    if (!op || !op->done) return false;
    if (op == &write_) --outstandingWrites;
    op->active = false;
    op->io = nullptr;
    *count = op->count;
    return op->ok;
  }
  int WriteAll(PortHandle port, SerialIo&, const uint8_t* bytes, int count) override {
    std::lock_guard<std::mutex> lock(m_);
    if (port != port_ || failWriteAll) return 0;
    written.append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
    return count;
  }
  bool ModemStatus(PortHandle, uint32_t* status) override {
    std::lock_guard<std::mutex> lock(m_);
    if (!modemStatusWorks) return false;
    *status = carrier_ ? kModemCarrierOn : 0;
    return true;
  }
  bool SetBreak(PortHandle, bool on) override {
    breaks.push_back(on);
    return true;
  }
  void Post(unsigned message, uintptr_t wParam, intptr_t lParam) override {
    std::lock_guard<std::mutex> lock(m_);
    posts_.push_back(Posted{message, wParam, lParam});
    cv_.notify_all();
  }

 private:
  struct Op {
    bool active = false;
    bool done = false;
    bool ok = true;
    uint32_t count = 0;
    SerialIo* io = nullptr;
  };

  void SignalLocked(EventHandle e) {
    auto it = events_.find(e);
    if (it != events_.end()) it->second = true;
    cv_.notify_all();
  }
  void CompleteReadLocked() {
    if (!read_.active || read_.done || incoming_.empty()) return;
    size_t n = incoming_.size() < static_cast<size_t>(readSize_) ? incoming_.size() : static_cast<size_t>(readSize_);
    std::memcpy(readBuffer_, incoming_.data(), n);
    incoming_.erase(0, n);
    read_.done = true;
    read_.count = static_cast<uint32_t>(n);
    SignalLocked(read_.io->event);
  }
  bool CompleteWriteLocked() {
    if (!write_.active || write_.done) return false;
    written += pendingWrite_;
    write_.done = true;
    write_.count = static_cast<uint32_t>(pendingWrite_.size());
    SignalLocked(write_.io->event);
    return true;
  }

  std::mutex m_;
  std::condition_variable cv_;
  std::map<EventHandle, bool> events_;
  EventHandle nextEvent_ = 1;
  PortHandle port_ = kNoPort;
  Op read_, write_, line_;
  uint8_t* readBuffer_ = nullptr;
  int readSize_ = 0;
  std::string incoming_;
  std::string pendingWrite_;
  bool carrier_ = false;
  uint32_t* lineMaskOut_ = nullptr;
  std::deque<Posted> posts_;
};
