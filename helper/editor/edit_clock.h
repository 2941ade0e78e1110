// Milliseconds for the edit window's flush timer. The library's windows use
// the system's tick count; tests put in a clock they move by hand.
#pragma once

class EditClock {
 public:
  virtual ~EditClock() = default;
  virtual long long NowMs() = 0;
};

// The clock of the running system (steady, milliseconds).
EditClock& SystemEditClock();

// The one-minute flush timer of a window's queue: started when a batched
// operation is queued and none runs, stopped when the terminal is told.
class FlushTimer {
 public:
  static constexpr long long kFlushMs = 60000;
  void Start(long long now) {
    if (!running_) {
      running_ = true;
      deadline_ = now + kFlushMs;
    }
  }
  void Stop() { running_ = false; }
  bool Running() const { return running_; }
  // Milliseconds until it fires (0 when due), -1 when stopped.
  long long Remaining(long long now) const {
    if (!running_) return -1;
    return deadline_ > now ? deadline_ - now : 0;
  }
  bool Due(long long now) const { return running_ && now >= deadline_; }

 private:
  bool running_ = false;
  long long deadline_ = 0;
};
