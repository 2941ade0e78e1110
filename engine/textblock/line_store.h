// The line store: the text block of an edit session, one flag byte and
// lineLength characters per line, kept in segments of movable memory blocks.
// A segment table of 24-byte descriptors says which block holds which lines.
//
// _wpctl is the abstract root, _seg_wpctl does the line logic over abstract
// memory operations and _win_wpctl does those over the engine's blocks. The
// order of the virtual operations is the table every store fills in.
#pragma once

#include <cstdint>

#include "screen_model.h"

// One segment table entry, as the table block holds it.
struct SegmentDescriptor {
  uint32_t lineCount;   // lines in the segment
  uint32_t locked;      // 1 while the block is locked
  uint32_t lockedBase;  // the block locked (addresses do not fit 32 bits on every build)
  uint32_t block;       // handle of the segment's block
  uint32_t unused[2];
};
static_assert(sizeof(SegmentDescriptor) == 24, "segment descriptors are 24 bytes");

// Line flags: the byte before a line's characters.
constexpr uint8_t kLineFresh = 0;
constexpr uint8_t kLineContinues = 1;  // continues the line before (wrapped at lineLength)

// Lines in one segment: at most 100, and what fits in 32,736 bytes.
constexpr int kSegmentLines = 100;
constexpr int kSegmentBytes = 32736;
// No block may grow without end, whatever the host sends: past this many
// lines the store behaves as if memory had run out.
constexpr int kLineStoreMaxLines = 200000;

class _wpctl {
 public:
  // Add segments until line index exists (never past the line limit); on
  // allocation failure everything is freed and the failure notice posted.
  // False when the line does not exist afterwards.
  virtual bool EnsureLines(int index) = 0;
  virtual uint8_t* LineRef(int index) = 0;
  // The line's characters (the flag byte just before them), or null when the
  // line cannot exist (negative, past the limit, no memory).
  virtual uint8_t* LineAt(int index) = 0;
  virtual void DeleteLine(int index) = 0;
  virtual void InsertLine(int index) = 0;
  virtual void Reset(int lineLength) = 0;
  virtual void FreeAll() = 0;
  virtual void UnlockAll() = 0;
  virtual SegmentDescriptor* AddSegment() = 0;
  virtual uint8_t* LockBlock(BlockId handle) = 0;
  virtual BlockId AllocBlock(uint32_t size) = 0;
  virtual void UnlockBlock(BlockId handle) = 0;
  virtual SegmentDescriptor* FindSegment(int* index) = 0;

  int lineLength = 0;
  int lineCount = 0;  // lines allocated
  SegmentDescriptor* tableBase = nullptr;
  BlockId table = 0;
  uint32_t tableLocked = 0;
  int segmentCount = 0;
  int lineLimit = 0;  // 0: none

 protected:
  _wpctl() = default;
  ~_wpctl() = default;
};

class _seg_wpctl : public _wpctl {
 public:
  bool EnsureLines(int index) override;
  uint8_t* LineRef(int index) override;
  uint8_t* LineAt(int index) override;
  void DeleteLine(int index) override;
  void InsertLine(int index) override;
  void Reset(int lineLength) override;

  // Lines per segment for the current lineLength.
  int SegmentCapacity() const;
  // Bytes of one line with its flag.
  int Stride() const { return lineLength + 1; }

 protected:
  ~_seg_wpctl() = default;
};

class _win_wpctl final : public _seg_wpctl {
 public:
  void FreeAll() override;
  void UnlockAll() override;
  SegmentDescriptor* AddSegment() override;
  uint8_t* LockBlock(BlockId handle) override;
  BlockId AllocBlock(uint32_t size) override;
  void UnlockBlock(BlockId handle) override;
  SegmentDescriptor* FindSegment(int* index) override;
};

// The one line store, owned by line_store.cpp.
extern _win_wpctl LineStore;

// Helpers over the store.
inline uint8_t LineFlag(const uint8_t* line) { return line[-1]; }
// The line's text without trailing blanks: its length.
int LineTextLength(const uint8_t* line, int lineLength);
