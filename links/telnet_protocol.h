// The telnet side of the telnet channel that needs no sockets: the receive
// state machine, IAC doubling, raw send through the output queue, and the
// draining of the queue on a write event. The channel supplies the socket.
//
// The terminal has no local echo: it accepts the host's offers to echo
// (option 1) and to suppress go-ahead (option 3) with DO, and refuses every
// other offer (WILL is answered DONT) and everything the host asks it to
// perform (DO is answered WONT). An accepted option is answered only when its
// state changes (a repeated WILL gets nothing, a WONT of an accepted option
// is acknowledged with DONT), so no negotiation loop is possible. It never
// starts a negotiation and consumes subnegotiations up to their IAC SE
// without an answer.
#pragma once

#include <cstdint>

constexpr uint8_t kIac = 255;
constexpr uint8_t kDont = 254;
constexpr uint8_t kDo = 253;
constexpr uint8_t kWont = 252;
constexpr uint8_t kWill = 251;
constexpr uint8_t kSb = 250;
constexpr uint8_t kIp = 244;
constexpr uint8_t kSe = 240;
constexpr uint8_t kOptionEcho = 1;
constexpr uint8_t kOptionSuppressGoAhead = 3;

// Receive states.
enum TelnetState : uint8_t {
  kTelnetData = 0,
  kTelnetAfterIac = 1,
  kTelnetDoOption = 2,
  kTelnetOtherOption = 3,   // after DONT
  kTelnetSbOption = 4,
  kTelnetInsideSb = 5,
  kTelnetSbAfterIac = 6,
  kTelnetWillOption = 7,    // after WILL: echo and go-ahead accepted, the rest refused
  kTelnetWontOption = 8,    // after WONT: an accepted option is switched off
};

// One connection's receive side: the state machine's state and which of the
// options the host offered are on. A new connection starts from {}.
struct TelnetSession {
  uint8_t state = kTelnetData;
  bool hostEchoes = false;           // option 1 accepted
  bool hostSuppressesGoAhead = false;  // option 3 accepted
};

// Where the state machine's results go.
class TelnetReceiveSink {
 public:
  virtual ~TelnetReceiveSink() = default;
  // Data bytes for ingress, in order (runs straight out of the received buffer).
  virtual void Data(const uint8_t* bytes, int count) = 0;
  // Negotiation bytes received, for the trace (kind 2).
  virtual void Negotiation(const uint8_t* bytes, int count) = 0;
  // An answer to send raw (IAC WONT, DO or DONT option).
  virtual void Reply(const uint8_t* bytes, int count) = 0;
};

// Run the received bytes through the state machine; the session carries over
// between calls, so sequences may be split anywhere.
void TelnetReceive(TelnetSession& session, const uint8_t* bytes, int count, TelnetReceiveSink& sink);

// Send as much as the socket takes now: returns bytes sent, below 1 when none.
using SocketSend = int (*)(void* context, const uint8_t* bytes, int count);

struct RawSendPorts {
  SocketSend send;
  void* context;
  void (*trace)(const uint8_t* bytes, int count);  // what was sent (kind 1)
  void (*beep)();                                  // the queue overflowed
};

// Raw send: directly when nothing waits in the output queue, tracing what
// went out; the rest (all of it when the queue was not empty, to keep the
// order) is queued. What does not fit in the queue beeps and is dropped.
void TelnetRawSend(const uint8_t* bytes, int count, const RawSendPorts& ports);

// Telnet write: the bytes with each 255 doubled, in raw sends of at most
// kTelnetWriteChunk bytes (one send for any short write). Nothing for a count
// below 1.
constexpr int kTelnetWriteChunk = 1024;
void TelnetWrite(const uint8_t* bytes, int count, const RawSendPorts& ports);

// The break: IAC IP through raw send.
void TelnetBreak(const RawSendPorts& ports);

// A write event: send the queue's contiguous parts until it is empty or a
// send takes nothing; trace and consume what went out. The caller then calls
// the channel's drained().
void SendQueuedOutput(const RawSendPorts& ports);

// The first address of a host entry into a socket address: at most four
// bytes, whatever length the entry claims; missing bytes are zero.
void CopyHostEntryAddress(const uint8_t* address, int length, uint8_t out[4]);
