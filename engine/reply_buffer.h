// The parser's outgoing reply buffer: replies are built here and sent with the
// current channel's write. Long replies pace themselves with the channel's
// drain callback.
#pragma once

#include <cstdint>

constexpr int kReplyCapacity = 127;  // of 128 bytes

struct ReplyBuffer {
  uint8_t bytes[kReplyCapacity + 1];
  int count;
  // A long reply waiting for the channel to drain; called back from there.
  void (*resume)();
};

// Owned by reply_buffer.cpp.
extern ReplyBuffer Reply;

// Store one byte. When the buffer is full it is sent first; when the channel
// then asks to drain, nothing is stored and false comes back: the caller tries
// once more (the byte then goes into the emptied buffer), or, for a long
// reply, waits to be resumed.
bool Append(uint8_t byte);
// Make room for n bytes as Append does for one.
bool Reserve(int n);
// Short replies: every byte is stored (second try after a drain request).
void AppendString(const char* text);
void AppendBytes(const uint8_t* bytes, int count);
void AppendByte(uint8_t byte);
// A byte below 32 or "^" as "^" and three decimal digits; others as they are.
// False when the caller must wait for the drain (nothing stored).
bool AppendEscaped(uint8_t byte);
// Send what is buffered.
void Flush();
// Let a long reply continue from the drain callback.
void WaitForDrain(void (*resume)());
void ResetReplyBuffer();
