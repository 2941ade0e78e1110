// A byte stream over one movable memory block. Saved windows, named screens
// and the other blocks handed between parts of the terminal are filled and
// read through it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "screen_model.h"

// The abstract stream. The order of the virtual operations is fixed: it is
// the table every stream implementation fills in. Every operation that moves
// bytes stays inside the block: one that would pass either end copies
// nothing, leaves the position where it was and answers false.
class _whandler {
 public:
  // A new zero-filled block of size bytes; position 0. False when the block
  // cannot be had (the stream then has no block).
  virtual bool Allocate(uint32_t size) = 0;
  // Copy count bytes into the block at the position; position += count.
  virtual bool Write(const void* source, uint32_t count) = 0;
  // The block handle; the caller keeps it, the stream forgets nothing.
  virtual BlockId Handle() = 0;
  // Work on an existing block; position 0. False for an unknown handle.
  virtual bool Attach(BlockId handle) = 0;
  // Copy count bytes out of the block at the position; position += count.
  // A refused read clears the target, so no caller works on stale bytes.
  virtual bool Read(void* target, uint32_t count) = 0;
  // Unlock and free the block.
  virtual void Free() = 0;
  virtual void Seek(uint32_t position) = 0;
  virtual void Skip(uint32_t count) = 0;
  // Move count bytes from position + delta to position (they may overlap);
  // then position += count for a delta of 0 or more, -= count for a negative
  // one.
  virtual bool Move(int32_t delta, uint32_t count) = 0;

  // count copies of byte at the position; position += count.
  bool Fill(uint8_t byte, uint32_t count);

  uint32_t Position() const { return position_; }

 protected:
  _whandler() = default;
  // Streams live on the stack of the code that uses them; never deleted
  // through this class.
  ~_whandler() = default;

  // The block's bytes while locked, or null.
  virtual uint8_t* Lock(uint32_t* size) = 0;

  uint8_t locked_ = 0;
  uint32_t position_ = 0;
};

// The stream over the terminal's movable memory blocks. The block is locked on
// first access and unlocked by Free or when the stream goes away; the stream
// never frees the block by itself, so a block outlives the stream that filled
// it and is reopened later by its handle.
class _whandler_windows final : public _whandler {
 public:
  _whandler_windows() = default;
  ~_whandler_windows();
  _whandler_windows(const _whandler_windows&) = delete;
  _whandler_windows& operator=(const _whandler_windows&) = delete;

  bool Allocate(uint32_t size) override;
  bool Write(const void* source, uint32_t count) override;
  BlockId Handle() override { return handle_; }
  bool Attach(BlockId handle) override;
  bool Read(void* target, uint32_t count) override;
  void Free() override;
  void Seek(uint32_t position) override { position_ = position; }
  void Skip(uint32_t count) override { position_ += count; }
  bool Move(int32_t delta, uint32_t count) override;

  // Bytes in the block (0 without one).
  uint32_t Size();

 protected:
  uint8_t* Lock(uint32_t* size) override;

 private:
  void Unlock();

  BlockId handle_ = 0;
  uint8_t* base_ = nullptr;  // valid while locked
  uint32_t size_ = 0;        // valid while locked
};
