#include "receive_trace.h"

#include <cstring>

#include "screen_model.h"

ReceiveTraceRecord ReceiveTrace = {};

void ResetReceiveTrace() { std::memset(&ReceiveTrace, 0, sizeof ReceiveTrace); }

void TraceReceivedBytes(const uint8_t* bytes, int count) {
  ReceiveTraceRecord& t = ReceiveTrace;
  while (count > 0) {
    int room = kTraceEntries - t.next;
    int n = count < room ? count : room;
    TraceEntry* out = t.entries + t.next;
    for (int i = 0; i < n; ++i) out[i] = TraceEntry{kTraceReceived, bytes[i]};
    t.next += n;
    if (t.next == kTraceEntries) t.next = 0;
    bytes += n;
    count -= n;
  }
}

void TraceRecord(const uint8_t* bytes, int count, uint8_t flag) {
  // Passwords and hidden fields must not end up readable in a debug file.
  const bool mask = flag == kTraceSent && (ReceiveTrace.hiddenInput || Screen.WindowLevel == 0);
  ReceiveTraceRecord& t = ReceiveTrace;
  for (int i = 0; i < count; ++i) {
    t.entries[t.next] = TraceEntry{flag, mask ? static_cast<uint8_t>('*') : bytes[i]};
    if (++t.next == kTraceEntries) t.next = 0;
  }
}
