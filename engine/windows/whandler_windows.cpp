#include "whandler.h"

#include <cstring>

#include "block_store.h"

namespace {

// True when [offset, offset + count) lies inside a block of size bytes.
bool Inside(uint64_t offset, uint64_t count, uint64_t size) {
  return offset <= size && count <= size - offset;
}

}  // namespace

bool _whandler::Fill(uint8_t byte, uint32_t count) {
  uint32_t size = 0;
  uint8_t* base = Lock(&size);
  if (!base || !Inside(position_, count, size)) return false;
  std::memset(base + position_, byte, count);
  position_ += count;
  return true;
}

_whandler_windows::~_whandler_windows() { Unlock(); }

uint8_t* _whandler_windows::Lock(uint32_t* size) {
  if (!locked_) {
    base_ = BlockData(handle_);
    size_ = base_ ? static_cast<uint32_t>(BlockSize(handle_)) : 0;
    locked_ = base_ != nullptr;
  }
  *size = size_;
  return base_;
}

void _whandler_windows::Unlock() {
  locked_ = 0;
  base_ = nullptr;
  size_ = 0;
}

bool _whandler_windows::Allocate(uint32_t size) {
  Unlock();
  handle_ = AllocBlock(size);
  position_ = 0;
  return handle_ != 0;
}

bool _whandler_windows::Attach(BlockId handle) {
  Unlock();
  handle_ = handle;
  position_ = 0;
  return BlockData(handle) != nullptr;
}

uint32_t _whandler_windows::Size() {
  uint32_t size = 0;
  Lock(&size);
  return size;
}

bool _whandler_windows::Write(const void* source, uint32_t count) {
  uint32_t size = 0;
  uint8_t* base = Lock(&size);
  if (!base || !Inside(position_, count, size)) return false;
  if (count) std::memcpy(base + position_, source, count);
  position_ += count;
  return true;
}

bool _whandler_windows::Read(void* target, uint32_t count) {
  uint32_t size = 0;
  uint8_t* base = Lock(&size);
  if (!base || !Inside(position_, count, size)) {
    if (count) std::memset(target, 0, count);
    return false;
  }
  if (count) std::memcpy(target, base + position_, count);
  position_ += count;
  return true;
}

void _whandler_windows::Free() {
  Unlock();
  FreeBlock(handle_);
  handle_ = 0;
  position_ = 0;
}

bool _whandler_windows::Move(int32_t delta, uint32_t count) {
  uint32_t size = 0;
  uint8_t* base = Lock(&size);
  if (!base) return false;
  const int64_t from = static_cast<int64_t>(position_) + delta;
  if (from < 0 || !Inside(static_cast<uint64_t>(from), count, size) ||
      !Inside(position_, count, size))
    return false;
  // A negative delta walks the position back by count: it must not pass 0.
  if (delta < 0 && count > position_) return false;
  if (count) std::memmove(base + position_, base + from, count);
  if (delta >= 0)
    position_ += count;
  else
    position_ -= count;
  return true;
}
