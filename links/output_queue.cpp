#include "output_queue.h"

#include <cstring>

OutputQueueRecord OutputQueue = {};

bool OutputQueueEmpty() { return OutputQueue.readIndex == OutputQueue.writeIndex; }

int OutputQueueReadable() {
  const OutputQueueRecord& q = OutputQueue;
  return q.writeIndex >= q.readIndex ? q.writeIndex - q.readIndex : kOutputQueueCapacity - q.readIndex;
}

const uint8_t* OutputQueueReadPointer() { return OutputQueue.bytes + OutputQueue.readIndex; }

void OutputQueueConsume(int n) {
  OutputQueue.readIndex = (OutputQueue.readIndex + n) % kOutputQueueCapacity;
}

int OutputQueueWritable() {
  const OutputQueueRecord& q = OutputQueue;
  // One slot stays free so that full and empty differ.
  if (q.writeIndex >= q.readIndex) {
    int toEnd = kOutputQueueCapacity - q.writeIndex;
    return q.readIndex == 0 ? toEnd - 1 : toEnd;
  }
  return q.readIndex - q.writeIndex - 1;
}

uint8_t* OutputQueueWritePointer() { return OutputQueue.bytes + OutputQueue.writeIndex; }

void OutputQueueCommit(int n) {
  OutputQueue.writeIndex = (OutputQueue.writeIndex + n) % kOutputQueueCapacity;
}

void OutputQueueClear() { OutputQueue.readIndex = OutputQueue.writeIndex = 0; }

int OutputQueueCount() {
  const OutputQueueRecord& q = OutputQueue;
  return (q.writeIndex - q.readIndex + kOutputQueueCapacity) % kOutputQueueCapacity;
}

int OutputQueueAppend(const uint8_t* bytes, int count) {
  int taken = 0;
  while (taken < count) {
    int room = OutputQueueWritable();
    if (room <= 0) break;
    int n = count - taken < room ? count - taken : room;
    std::memcpy(OutputQueueWritePointer(), bytes + taken, static_cast<size_t>(n));
    OutputQueueCommit(n);
    taken += n;
  }
  return taken;
}
