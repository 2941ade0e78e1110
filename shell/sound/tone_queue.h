// The queue of tones waiting for the tone player: a ring of 32-bit slots in
// which each tone takes two consecutive slots, its length first and its
// frequency second. One slot always stays free to tell full from empty, so
// 201 slots hold at most 100 tones.
#pragma once

#include <cstdint>

namespace tavix {

class ToneQueue {
 public:
  static constexpr int kSlots = 201;
  static constexpr int kMaxTones = (kSlots - 1) / 2;

  // One value; false (and nothing stored) when the ring is full.
  bool Put(int32_t value);
  // The oldest value; false when the ring is empty.
  bool Take(int32_t* value);

  // A tone: the length goes in, and only when it did, the frequency.
  // False when the tone was lost because the queue is full.
  bool PutTone(int32_t length, int32_t frequency);
  // The oldest tone; false when none waits.
  bool TakeTone(int32_t* length, int32_t* frequency);

  bool Empty() const { return head_ == tail_; }
  int Count() const { return (tail_ - head_ + kSlots) % kSlots; }
  void Clear() { head_ = tail_ = 0; }

 private:
  int32_t slots_[kSlots] = {};
  int head_ = 0;  // next slot to read
  int tail_ = 0;  // next slot to write
};

}  // namespace tavix
