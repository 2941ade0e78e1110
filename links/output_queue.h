// The output queue shared by every channel: a byte ring of 600 with one slot
// always free, so at most 599 bytes wait. Only back-pressure fills it.
#pragma once

#include <cstdint>

constexpr int kOutputQueueCapacity = 600;

struct OutputQueueRecord {
  uint8_t bytes[kOutputQueueCapacity];
  int writeIndex;
  int readIndex;
};

// Owned by output_queue.cpp.
extern OutputQueueRecord OutputQueue;

bool OutputQueueEmpty();
// Bytes readable in one piece from the read index.
int OutputQueueReadable();
const uint8_t* OutputQueueReadPointer();
void OutputQueueConsume(int n);
// Room writable in one piece at the write index.
int OutputQueueWritable();
uint8_t* OutputQueueWritePointer();
void OutputQueueCommit(int n);
void OutputQueueClear();
// Total bytes waiting.
int OutputQueueCount();
// Append as much of bytes as fits; returns how many were taken.
int OutputQueueAppend(const uint8_t* bytes, int count);
