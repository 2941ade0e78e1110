#include "telnet_protocol.h"

#include <cstring>

#include "output_queue.h"

namespace {

// The session's flag for an option the terminal accepts from the host, or
// null for one it refuses.
bool* AcceptedOption(TelnetSession& session, uint8_t option) {
  if (option == kOptionEcho) return &session.hostEchoes;
  if (option == kOptionSuppressGoAhead) return &session.hostSuppressesGoAhead;
  return nullptr;
}

void Answer(TelnetReceiveSink& sink, uint8_t verb, uint8_t option) {
  const uint8_t answer[3] = {kIac, verb, option};
  sink.Reply(answer, 3);
}

}  // namespace

void TelnetReceive(TelnetSession& session, const uint8_t* bytes, int count, TelnetReceiveSink& sink) {
  uint8_t& state = session.state;
  int i = 0;
  while (i < count) {
    const uint8_t b = bytes[i];
    if (state == kTelnetData) {
      if (b == 0) {  // NUL in the data is dropped
        ++i;
        continue;
      }
      if (b != kIac) {
        int end = i + 1;
        while (end < count && bytes[end] != 0 && bytes[end] != kIac) ++end;
        sink.Data(bytes + i, end - i);
        i = end;
        continue;
      }
      sink.Negotiation(&b, 1);
      state = kTelnetAfterIac;
      ++i;
      continue;
    }
    ++i;
    switch (state) {
      case kTelnetAfterIac:
        if (b == kIac) {  // an escaped data byte: not traced as negotiation
          sink.Data(&b, 1);
          state = kTelnetData;
          break;
        }
        sink.Negotiation(&b, 1);
        state = b == kSb                                    ? kTelnetSbOption
                : b == kWill                                ? kTelnetWillOption
                : b == kWont                                ? kTelnetWontOption
                : b == kDont                                ? kTelnetOtherOption
                : b == kDo                                  ? kTelnetDoOption
                                                            : kTelnetData;
        break;
      case kTelnetDoOption: {
        sink.Negotiation(&b, 1);
        Answer(sink, kWont, b);
        state = kTelnetData;
        break;
      }
      case kTelnetWillOption: {
        // Other offers are refused rather than ignored: servers that wait for
        // an answer to their WILL (encryption, authentication) would
        // otherwise never go on.
        sink.Negotiation(&b, 1);
        if (bool* on = AcceptedOption(session, b)) {
          if (!*on) Answer(sink, kDo, b);
          *on = true;
        } else {
          Answer(sink, kDont, b);
        }
        state = kTelnetData;
        break;
      }
      case kTelnetWontOption: {
        sink.Negotiation(&b, 1);
        bool* on = AcceptedOption(session, b);
        if (on && *on) {
          Answer(sink, kDont, b);
          *on = false;
        }
        state = kTelnetData;
        break;
      }
      case kTelnetOtherOption:
        sink.Negotiation(&b, 1);
        state = kTelnetData;
        break;
      case kTelnetSbOption:
        sink.Negotiation(&b, 1);
        state = kTelnetInsideSb;
        break;
      case kTelnetInsideSb:
        sink.Negotiation(&b, 1);
        if (b == kIac) state = kTelnetSbAfterIac;
        break;
      case kTelnetSbAfterIac:
        sink.Negotiation(&b, 1);
        state = b == kSe ? kTelnetData : kTelnetInsideSb;
        break;
      default:  // a state out of range starts over with the data state
        state = kTelnetData;
        --i;
        break;
    }
  }
}

void TelnetRawSend(const uint8_t* bytes, int count, const RawSendPorts& ports) {
  if (count < 1) return;
  if (OutputQueueEmpty()) {
    int sent = ports.send(ports.context, bytes, count);
    if (sent < 0) sent = 0;
    if (sent > count) sent = count;
    if (sent > 0 && ports.trace) ports.trace(bytes, sent);
    if (sent == count) return;
    bytes += sent;
    count -= sent;
  }
  const int queued = OutputQueueAppend(bytes, count);
  if (queued < count && ports.beep) ports.beep();
}

void TelnetWrite(const uint8_t* bytes, int count, const RawSendPorts& ports) {
  // IAC is doubled into one buffer, so that a write goes out as one send: a
  // 255 sent on its own makes a small segment that waits for the host's
  // acknowledgement of the one before it (Nagle's rule), some 40 ms each time.
  uint8_t out[kTelnetWriteChunk];
  int n = 0;
  for (int i = 0; i < count; ++i) {
    if (n > kTelnetWriteChunk - 2) {
      TelnetRawSend(out, n, ports);
      n = 0;
    }
    out[n++] = bytes[i];
    if (bytes[i] == kIac) out[n++] = kIac;
  }
  TelnetRawSend(out, n, ports);
}

void TelnetBreak(const RawSendPorts& ports) {
  static const uint8_t kInterrupt[2] = {kIac, kIp};
  TelnetRawSend(kInterrupt, 2, ports);
}

void SendQueuedOutput(const RawSendPorts& ports) {
  while (!OutputQueueEmpty()) {
    const int readable = OutputQueueReadable();
    const uint8_t* p = OutputQueueReadPointer();
    int sent = ports.send(ports.context, p, readable);
    if (sent < 1) break;
    if (sent > readable) sent = readable;
    if (ports.trace) ports.trace(p, sent);
    OutputQueueConsume(sent);
  }
}

void CopyHostEntryAddress(const uint8_t* address, int length, uint8_t out[4]) {
  std::memset(out, 0, 4);
  if (!address || length <= 0) return;
  std::memcpy(out, address, static_cast<size_t>(length < 4 ? length : 4));
}
