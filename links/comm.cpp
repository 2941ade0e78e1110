#include "comm.h"

#include "channel_hooks.h"
#include "output_queue.h"

namespace {
void NoReceived(const uint8_t*, int) {}
void NoTrace(const uint8_t*, int, uint8_t) {}
void Nothing() {}
int NoMessage(int, int, unsigned) { return 0; }
void NoConnected(const char*) {}
void NoSerialConnected(int) {}
void NoTimer(int, int) {}
void NoStopTimer(int) {}
}  // namespace

constexpr ChannelHooks kNoChannelEvents = {NoReceived, NoTrace, Nothing,           NoMessage, NoConnected,
                              Nothing,    Nothing, Nothing,           Nothing,   NoSerialConnected,
                              NoTimer,    NoStopTimer};

ChannelHooks ChannelEvents = kNoChannelEvents;
void ResetChannelEvents() { ChannelEvents = kNoChannelEvents; }

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
