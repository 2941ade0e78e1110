// A socket stand-in for raw send: takes up to `accept` bytes per call.
#pragma once

#include <string>

#include "output_queue.h"
#include "telnet_protocol.h"

struct SendRecorder {
  std::string wire;     // what the socket took
  std::string traced;   // what was traced as sent
  int accept = 1 << 30; // bytes the socket takes per call (0: would block)
  int calls = 0;
  int beeps = 0;

  static SendRecorder*& Current() {
    static SendRecorder* r = nullptr;
    return r;
  }
  static int Send(void* context, const uint8_t* bytes, int count) {
    auto* r = static_cast<SendRecorder*>(context);
    ++r->calls;
    const int n = count < r->accept ? count : r->accept;
    if (n <= 0) return -1;  // WSAEWOULDBLOCK
    r->wire.append(reinterpret_cast<const char*>(bytes), n);
    return n;
  }
  static void Trace(const uint8_t* bytes, int count) {
    Current()->traced.append(reinterpret_cast<const char*>(bytes), count);
  }
  static void Beep() { ++Current()->beeps; }

  RawSendPorts Ports() {
    Current() = this;
    return RawSendPorts{Send, this, Trace, Beep};
  }
};
