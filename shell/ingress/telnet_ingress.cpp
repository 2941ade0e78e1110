#include "telnet_ingress.h"

#include "ingress.h"
#include "receive_trace.h"

void IngressTelnetSink::Data(const uint8_t* bytes, int count) {
  IngressChunk(bytes, static_cast<size_t>(count));
}

void IngressTelnetSink::Negotiation(const uint8_t* bytes, int count) {
  TraceRecord(bytes, count, kTraceNegotiation);
}

void IngressTelnetSink::Reply(const uint8_t* bytes, int count) { TelnetRawSend(bytes, count, ports_); }

void TraceSentBytes(const uint8_t* bytes, int count) { TraceRecord(bytes, count, kTraceSent); }
