// Ingress: the road of every byte the host sends, on the main thread. Each
// byte is recorded in the ReceiveTrace; EOT is taken out for the keyboard
// (unless the identification handshake is running); auto-login looks at the
// rest before the parser gets it.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint8_t kEot = 4;
constexpr int32_t kEotKeyCode = 1071;

struct IngressRecord {
  // An EOT came while no local handler owned the keyboard; the keyboard
  // replays it (code 1071) before other waiting input when the host is ready.
  bool pendingEot;
};

// Owned by ingress.cpp.
extern IngressRecord IngressState;

void ResetIngress();

// One received byte. Renderer notifications are recorded, not delivered:
// call FlushRenderNotifications after a run of these.
void Ingress(uint8_t byte);

// A received chunk, in order, then the renderer notifications. The outcome is
// that of Ingress on every byte; while auto-login is off the chunk is recorded
// in the ring first and the stretches between EOTs go to the parser's batch
// path. (So a reply the parser sends for this chunk is recorded after the
// whole chunk rather than after the byte that caused it.)
void IngressChunk(const uint8_t* bytes, size_t count);

// The trace as the host's trace dump reads it: every entry's byte, oldest first.
int TraceDumpLength();
uint8_t TraceDumpByte(int index);
