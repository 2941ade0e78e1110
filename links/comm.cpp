#include "comm.h"

#include "output_queue.h"

_win_nocomm NoChannel;
ChannelRecord Channels = {&NoChannel};

bool _comm_one_thread::when_drained(void (*callback)()) {
  if (!OutputQueueEmpty()) {
    drainCallback_ = callback;
    return false;
  }
  drainCallback_ = nullptr;
  return true;
}

bool _comm_one_thread::drained() {
  if (!OutputQueueEmpty()) return false;
  if (void (*callback)() = drainCallback_) {
    drainCallback_ = nullptr;
    callback();
  }
  return true;
}

void _win_nocomm::close() { OutputQueueClear(); }
