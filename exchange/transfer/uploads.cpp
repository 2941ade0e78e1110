// Uploads: a source's bytes to the host, at the host's request.
#include "parser.h"
#include "transfer_internal.h"
#include "transfer_objects.h"

namespace {

constexpr int kBlockData = 127;
constexpr uint8_t kEscape = 240;
constexpr uint8_t kAcknowledged = 13;
constexpr uint8_t kResend = 1;
constexpr uint8_t kCancel = 2;
// The encoded block goes after the data in the transfer buffer: at most
// 2 * (127 + 3) + 1 bytes.
constexpr int kEncodedOffset = 256;
const uint8_t kEndOfData[] = {2, 10};

void SendEndOfData() { SendToHost(kEndOfData, sizeof kEndOfData); }

// An upload given up or over: its counter released, its source closed.
void ReleaseUpload(_src* source) {
  ReleaseTransferCounter();
  if (source) source->close();
}

}  // namespace

// ---- Checksum blocks ------------------------------------------------------

void _upld_cksum::set_source(_src* source) {
  source_ = source;
  startPending_ = true;
}

void _upld_cksum::take(uint8_t byte) {
  if (startPending_) {
    if (byte != 13) return;
    ReserveTransferCounter();
    sequence_ = 0;
    startPending_ = false;
    SendBlock();
    return;
  }
  switch (byte) {
    case kAcknowledged:
      source_->position += lastLength_;
      sequence_ = static_cast<uint8_t>(sequence_ + 1);
      SendBlock();
      return;
    case kResend:
      SendBlock();
      return;
    case kCancel:
      End();
      return;
    default:
      return;
  }
}

void _upld_cksum::SendBlock() {
  uint8_t* data = Transfers.buffer;
  const int n = source_->read(data, kBlockData);
  if (n <= 0) {
    SendEndOfData();
    End();
    return;
  }
  const uint16_t sum = BlockChecksum(data, n);
  data[n] = static_cast<uint8_t>(sum & 0xFF);
  data[n + 1] = static_cast<uint8_t>(sum >> 8);
  data[n + 2] = sequence_;
  lastLength_ = n;
  uint8_t* out = Transfers.buffer + kEncodedOffset;
  int k = 0;
  for (int i = 0; i < n + 3; ++i) {
    const uint8_t b = data[i];
    if (b < 32) {
      out[k++] = kEscape;
      out[k++] = static_cast<uint8_t>(b + 32);
    } else if (b == 127) {
      out[k++] = kEscape;
      out[k++] = 'A';
    } else if (b == kEscape) {
      out[k++] = kEscape;
      out[k++] = 'B';
    } else if (b == 255 && escape255) {
      out[k++] = kEscape;
      out[k++] = 'C';
    } else {
      out[k++] = b;
    }
  }
  out[k++] = 10;
  ShowTransferCounter(source_->position + n);
  SendToHost(out, k);
}

void _upld_cksum::End() {
  EndUploadStream();
  ReleaseUpload(source_);
}

void _upld_cksum::abandon() { ReleaseUpload(source_); }

// ---- Hexadecimal lines -----------------------------------------------------

void _upld_hex::set_source(_src* source) {
  source_ = source;
  ReserveTransferCounter();
}

void _upld_hex::take(uint8_t byte) {
  if (byte != 13) return;
  uint8_t* data = Transfers.buffer;
  const int n = source_->read(data, kBlockData);
  if (n <= 0) {
    SendEndOfData();
    End();
    return;
  }
  source_->position += n;
  static const char kDigits[] = "0123456789ABCDEF";
  uint8_t* out = Transfers.buffer + kEncodedOffset;
  int k = 0;
  for (int i = 0; i < n; ++i) {
    out[k++] = static_cast<uint8_t>(kDigits[data[i] >> 4]);
    out[k++] = static_cast<uint8_t>(kDigits[data[i] & 15]);
  }
  out[k++] = 13;
  ShowTransferCounter(source_->position);
  SendToHost(out, k);
}

void _upld_hex::End() {
  EndUploadStream();
  ReleaseUpload(source_);
}

void _upld_hex::abandon() { ReleaseUpload(source_); }

// ---- Nothing to send ---------------------------------------------------------

namespace {

// After a CR answered, the LF of a CR LF pair belongs to the same request.
void SwallowLineFeed(uint8_t byte) {
  ResetParser();
  if (byte != 10) ParseByte(byte);
}

}  // namespace

void _upld_empty::take(uint8_t byte) {
  if (byte != 13 && byte != 10) return;
  SendEndOfData();
  EndUploadStream();
  if (byte == 13) SetParseState(SwallowLineFeed);
}
