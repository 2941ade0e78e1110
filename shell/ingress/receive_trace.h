// The ReceiveTrace: a ring of the last 50,000 bytes exchanged with the host,
// each with a flag saying which way it went. A support engineer reads it in
// the trace viewer, in debug-data files and in the received-data dump; the
// host can ask for it too (the trace dump of the parser).
#pragma once

#include <cstdint>

constexpr int kTraceEntries = 50000;

// Entry flags.
constexpr uint8_t kTraceReceived = 0;
constexpr uint8_t kTraceSent = 1;
constexpr uint8_t kTraceNegotiation = 2;

struct TraceEntry {
  uint8_t flag;
  uint8_t byte;
};
static_assert(sizeof(TraceEntry) == 2, "trace entries are two bytes");

struct ReceiveTraceRecord {
  TraceEntry entries[kTraceEntries];  // zero at start: unwritten entries read as a received NUL
  int32_t next;                       // the entry written next, 0..49,999
  // The hidden-input flag of the input-field editor (the host's ESC ^ E):
  // the input-field service sets it for a field and clears it when the field
  // ends. While it is on, sent bytes are recorded as "*".
  bool hiddenInput;
};

// Owned by receive_trace.cpp. Never cleared while the program runs.
extern ReceiveTraceRecord ReceiveTrace;

// Zero-filled ring, index 0, flag off (tests).
void ResetReceiveTrace();

// Store one received byte. Inline: it is on the path of every host byte.
inline void TraceReceivedByte(uint8_t byte) {
  ReceiveTraceRecord& t = ReceiveTrace;
  t.entries[t.next] = TraceEntry{kTraceReceived, byte};
  if (++t.next == kTraceEntries) t.next = 0;
}

// Store a run of received bytes (two stores per byte, wrapping once at most
// per lap).
void TraceReceivedBytes(const uint8_t* bytes, int count);

// What the channels send (flag 1) and the telnet negotiation bytes (flag 2).
// A sent byte is stored as "*" while the hidden-input flag is on or while no
// host window is open. A count below 1 records nothing.
void TraceRecord(const uint8_t* bytes, int count, uint8_t flag);

// Entry i counted from the oldest (the one at the next index).
inline const TraceEntry& TraceEntryFromOldest(int i) {
  int at = ReceiveTrace.next + i;
  if (at >= kTraceEntries) at -= kTraceEntries;
  return ReceiveTrace.entries[at];
}
