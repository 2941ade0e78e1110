#include "ingress.h"

#include <cstring>

#include "auto_login.h"
#include "parser.h"
#include "receive_trace.h"
#include "render_notify.h"
#include "shell/keyboard/input_mode.h"

IngressRecord IngressState = {};

void ResetIngress() { IngressState = IngressRecord{}; }

namespace {

// EOT outside the handshake: a local handler gets it as a key, otherwise it
// waits for the keyboard.
void TakeEot() {
  if (InputMode.localMode) {
    InputMode.handler(kEotKeyCode);
  } else {
    IngressState.pendingEot = true;
  }
}

}  // namespace

void Ingress(uint8_t byte) {
  TraceReceivedByte(byte);
  if (byte == kEot && !Parser.handshake) {
    TakeEot();
    return;
  }
  AutoLoginByte(byte);
  ParseByte(byte);
}

void IngressChunk(const uint8_t* bytes, size_t count) {
  if (count == 0) return;
  if (AutoLogin.step != 0) {
    // Auto-login answers prompts through the channel: keep the byte order of
    // the trace exact while it runs.
    for (size_t i = 0; i < count; ++i) Ingress(bytes[i]);
    FlushRenderNotifications();
    return;
  }
  const uint8_t* p = bytes;
  const uint8_t* const end = bytes + count;
  while (p < end) {
    const int n = static_cast<int>(end - p < kTraceEntries ? end - p : kTraceEntries);
    TraceReceivedBytes(p, n);
    p += n;
  }
  p = bytes;
  while (p < end) {
    const void* hit = std::memchr(p, kEot, static_cast<size_t>(end - p));
    const uint8_t* eot = hit ? static_cast<const uint8_t*>(hit) : end;
    if (eot > p) ParseBytes(p, static_cast<size_t>(eot - p));
    if (eot == end) break;
    // The handshake flag is read after everything before the EOT was parsed,
    // as the byte-by-byte path reads it.
    if (Parser.handshake) {
      ParseByte(kEot);
    } else {
      TakeEot();
    }
    p = eot + 1;
  }
  FlushRenderNotifications();
}

int TraceDumpLength() { return kTraceEntries; }

uint8_t TraceDumpByte(int index) {
  if (index < 0 || index >= kTraceEntries) return 0;
  return TraceEntryFromOldest(index).byte;
}
