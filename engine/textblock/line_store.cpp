#include "line_store.h"

#include <cstring>

#include "block_store.h"
#include "engine_context.h"

_win_wpctl LineStore;

// ---- _seg_wpctl: lines over abstract segments ----------------------------

int _seg_wpctl::SegmentCapacity() const {
  int byBytes = kSegmentBytes / Stride();
  if (byBytes < 1) byBytes = 1;
  return byBytes < kSegmentLines ? byBytes : kSegmentLines;
}

bool _seg_wpctl::EnsureLines(int index) {
  if (index < 0 || lineLength < 1) return false;
  if (lineLimit > 0 && index >= lineLimit) return false;
  const int capacity = SegmentCapacity();
  while (lineCount <= index) {
    const bool tooMany = lineCount + capacity > kLineStoreMaxLines + capacity;
    BlockId block = tooMany ? 0 : AllocBlock(static_cast<uint32_t>(capacity * Stride()));
    SegmentDescriptor* d = block ? AddSegment() : nullptr;
    if (!d) {
      if (block) ::FreeBlock(block);
      FreeAll();
      Engine.shell->FailureNotice();
      return false;
    }
    uint8_t* bytes = LockBlock(block);
    // New lines: flag 0 and all blanks.
    for (int i = 0; i < capacity; ++i) {
      bytes[i * Stride()] = kLineFresh;
      std::memset(bytes + i * Stride() + 1, ' ', static_cast<size_t>(lineLength));
    }
    UnlockBlock(block);
    d->lineCount = static_cast<uint32_t>(capacity);
    d->block = block;
    lineCount += capacity;
  }
  return true;
}

uint8_t* _seg_wpctl::LineRef(int index) { return LineAt(index); }

uint8_t* _seg_wpctl::LineAt(int index) {
  if (!EnsureLines(index)) return nullptr;
  int relative = index;
  SegmentDescriptor* d = FindSegment(&relative);
  if (!d) return nullptr;
  uint8_t* base;
  if (d->locked) {
    base = LockBlock(d->lockedBase);
  } else {
    base = LockBlock(d->block);
    d->locked = 1;
    d->lockedBase = d->block;
  }
  return base ? base + relative * Stride() + 1 : nullptr;
}

void _seg_wpctl::DeleteLine(int index) {
  if (index < 0 || index >= lineCount) return;
  const size_t stride = static_cast<size_t>(Stride());
  for (int i = index; i + 1 < lineCount; ++i) {
    uint8_t* to = LineAt(i);
    uint8_t* from = LineAt(i + 1);
    if (!to || !from) break;
    std::memcpy(to - 1, from - 1, stride);
  }
  if (uint8_t* last = LineAt(lineCount - 1)) {
    last[-1] = kLineFresh;
    std::memset(last, ' ', static_cast<size_t>(lineLength));
  }
  UnlockAll();
}

void _seg_wpctl::InsertLine(int index) {
  if (index < 0 || index >= lineCount) return;
  const size_t stride = static_cast<size_t>(Stride());
  for (int i = lineCount - 1; i > index; --i) {
    uint8_t* to = LineAt(i);
    uint8_t* from = LineAt(i - 1);
    if (!to || !from) break;
    std::memcpy(to - 1, from - 1, stride);
  }
  if (uint8_t* line = LineAt(index)) {
    line[-1] = kLineFresh;
    std::memset(line, ' ', static_cast<size_t>(lineLength));
  }
  UnlockAll();
}

void _seg_wpctl::Reset(int length) {
  FreeAll();
  lineLength = length;
  lineLimit = 0;
}

// ---- _win_wpctl: segments in the engine's movable blocks ---------------

void _win_wpctl::FreeAll() {
  UnlockAll();
  if (SegmentDescriptor* t = reinterpret_cast<SegmentDescriptor*>(LockBlock(table))) {
    for (int i = 0; i < segmentCount; ++i) ::FreeBlock(t[i].block);
  }
  ::FreeBlock(table);
  table = 0;
  tableBase = nullptr;
  tableLocked = 0;
  segmentCount = 0;
  lineCount = 0;
}

void _win_wpctl::UnlockAll() {
  if (SegmentDescriptor* t = reinterpret_cast<SegmentDescriptor*>(LockBlock(table))) {
    for (int i = 0; i < segmentCount; ++i) {
      if (!t[i].locked) continue;
      UnlockBlock(t[i].lockedBase);
      t[i].locked = 0;
      t[i].lockedBase = 0;
    }
  }
  if (tableLocked) UnlockBlock(table);
  tableLocked = 0;
  tableBase = nullptr;
}

SegmentDescriptor* _win_wpctl::AddSegment() {
  // The table grows by one descriptor: a new block, the old entries copied.
  const uint32_t oldBytes = static_cast<uint32_t>(segmentCount) * sizeof(SegmentDescriptor);
  BlockId grown = AllocBlock(oldBytes + sizeof(SegmentDescriptor));
  if (!grown) return nullptr;
  uint8_t* to = LockBlock(grown);
  if (table) {
    std::memcpy(to, LockBlock(table), oldBytes);
    ::FreeBlock(table);
  }
  table = grown;
  tableBase = reinterpret_cast<SegmentDescriptor*>(to);
  tableLocked = 1;
  return &tableBase[segmentCount++];
}

uint8_t* _win_wpctl::LockBlock(BlockId handle) { return handle ? BlockData(handle) : nullptr; }

BlockId _win_wpctl::AllocBlock(uint32_t size) { return ::AllocBlock(size); }

// The engine's blocks do not move while in use, so unlocking has nothing to do.
void _win_wpctl::UnlockBlock(BlockId) {}

SegmentDescriptor* _win_wpctl::FindSegment(int* index) {
  if (!table || *index < 0) return nullptr;
  if (!tableLocked) {
    tableBase = reinterpret_cast<SegmentDescriptor*>(LockBlock(table));
    tableLocked = 1;
  }
  // Every segment holds the same number of lines, so the descriptor is found
  // by division; the walk covers a table whose counts differ.
  const int capacity = SegmentCapacity();
  int segment = *index / capacity;
  if (segment < segmentCount && static_cast<int>(tableBase[segment].lineCount) == capacity &&
      (segment == 0 || static_cast<int>(tableBase[0].lineCount) == capacity)) {
    *index -= segment * capacity;
    return &tableBase[segment];
  }
  int rest = *index;
  for (int i = 0; i < segmentCount; ++i) {
    int n = static_cast<int>(tableBase[i].lineCount);
    if (rest < n) {
      *index = rest;
      return &tableBase[i];
    }
    rest -= n;
  }
  return nullptr;
}

int LineTextLength(const uint8_t* line, int lineLength) {
  int n = lineLength;
  while (n > 0 && line[n - 1] == ' ') --n;
  return n;
}
