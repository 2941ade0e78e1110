// The channel family. The program keeps one static instance of each concrete
// channel and one current-channel pointer; connecting re-points it.
// The virtual operations keep this slot order (no virtual destructor: the
// channels are static objects, never deleted through the base).
#pragma once

#include <cstdint>

class _comm {
 public:
  virtual void close() = 0;                                     // 0
  virtual void write(const uint8_t* bytes, int count) = 0;      // 1
  virtual bool is_open() = 0;                                   // 2
  virtual void start_break() = 0;                               // 3
  virtual void end_break() = 0;                                 // 4
  virtual const char* local_address() = 0;                      // 5
  virtual bool is_net_connected() = 0;                          // 6
  virtual bool when_drained(void (*callback)()) = 0;            // 7
  virtual bool drained() = 0;                                   // 8
  virtual intptr_t handle_event(void* window, unsigned message, uintptr_t wParam, intptr_t lParam) = 0;  // 9
  virtual void open(void* window) = 0;                          // 10
};

// The drain protocol over the shared output queue.
class _comm_one_thread : public _comm {
 public:
  bool when_drained(void (*callback)()) override;
  bool drained() override;

 protected:
  void (*drainCallback_)() = nullptr;
};

// The Windows channel base.
class _win_comm : public _comm_one_thread {};

// No channel: everything is empty.
class _win_nocomm final : public _win_comm {
 public:
  void close() override;
  void write(const uint8_t*, int) override {}
  bool is_open() override { return false; }
  void start_break() override {}
  void end_break() override {}
  const char* local_address() override { return nullptr; }
  bool is_net_connected() override { return false; }
  intptr_t handle_event(void*, unsigned, uintptr_t, intptr_t) override { return 0; }
  void open(void*) override {}
};

// The process-wide channel record: the static channel objects and which one is current.
struct ChannelRecord {
  _comm* current;
};

extern ChannelRecord Channels;
extern _win_nocomm NoChannel;
