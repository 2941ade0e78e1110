#include "shell/sound/tone_queue.h"

namespace tavix {

bool ToneQueue::Put(int32_t value) {
  int next = (tail_ + 1) % kSlots;
  if (next == head_) return false;
  slots_[tail_] = value;
  tail_ = next;
  return true;
}

bool ToneQueue::Take(int32_t* value) {
  if (Empty()) return false;
  *value = slots_[head_];
  head_ = (head_ + 1) % kSlots;
  return true;
}

bool ToneQueue::PutTone(int32_t length, int32_t frequency) {
  // Values always go in pairs into an even number of usable slots, so when
  // the length fits the frequency fits too.
  return Put(length) && Put(frequency);
}

bool ToneQueue::TakeTone(int32_t* length, int32_t* frequency) {
  if (Count() < 2) return false;
  Take(length);
  Take(frequency);
  return true;
}

}  // namespace tavix
