#include "reply_buffer.h"

#include "engine_context.h"

ReplyBuffer Reply;

namespace {

void OnChannelDrained() {
  void (*resume)() = Reply.resume;
  Reply.resume = nullptr;
  if (resume) resume();
}

}  // namespace

void Flush() {
  if (Reply.count > 0) {
    int n = Reply.count;
    Reply.count = 0;
    Engine.channel->write(Reply.bytes, n);
  }
}

bool Reserve(int n) {
  if (Reply.count + n <= kReplyCapacity) return true;
  Flush();
  return Engine.channel->when_drained(OnChannelDrained);
}

bool Append(uint8_t byte) {
  if (!Reserve(1)) return false;
  Reply.bytes[Reply.count++] = byte;
  return true;
}

void AppendByte(uint8_t byte) {
  if (!Append(byte)) Append(byte);
}

void AppendBytes(const uint8_t* bytes, int count) {
  for (int i = 0; i < count; ++i) AppendByte(bytes[i]);
}

void AppendString(const char* text) {
  while (*text) AppendByte(static_cast<uint8_t>(*text++));
}

bool AppendEscaped(uint8_t byte) {
  if (byte >= 32 && byte != '^') return Append(byte);
  if (!Reserve(4)) return false;
  uint8_t* out = Reply.bytes + Reply.count;
  out[0] = '^';
  out[1] = static_cast<uint8_t>('0' + byte / 100);
  out[2] = static_cast<uint8_t>('0' + byte / 10 % 10);
  out[3] = static_cast<uint8_t>('0' + byte % 10);
  Reply.count += 4;
  return true;
}

void WaitForDrain(void (*resume)()) { Reply.resume = resume; }

void ResetReplyBuffer() { Reply = ReplyBuffer{}; }
