// Where the telnet channel's receive state machine delivers: data bytes to
// ingress, negotiation bytes to the trace (kind 2), refusals to raw send.
#pragma once

#include "telnet_protocol.h"

class IngressTelnetSink final : public TelnetReceiveSink {
 public:
  explicit IngressTelnetSink(const RawSendPorts& ports) : ports_(ports) {}
  void Data(const uint8_t* bytes, int count) override;
  void Negotiation(const uint8_t* bytes, int count) override;
  void Reply(const uint8_t* bytes, int count) override;

 private:
  RawSendPorts ports_;
};

// The trace function for raw send: what went out, as sent bytes (kind 1).
void TraceSentBytes(const uint8_t* bytes, int count);
