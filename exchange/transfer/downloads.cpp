// Downloads: the host's byte stream into a destination.
#include "parser.h"
#include "transfer_internal.h"
#include "transfer_objects.h"

namespace {

constexpr uint8_t kEndOfTransfer = 2;
constexpr uint8_t kEndOfBlock = 13;
constexpr uint8_t kEscape = 240;
constexpr int kBlockCap = kTransferBufferSize - 1;  // 1023
constexpr int kBlockTrailer = 3;                    // checksum (2) and sequence

// Acknowledgements in acknowledge mode.
constexpr uint8_t kBlockWritten = 13;
constexpr uint8_t kBlockWriteFailed = 1;
constexpr uint8_t kBlockResend = 2;

// Final replies.
constexpr uint8_t kDownloadDone = 13;
constexpr uint8_t kDownloadFailed = 1;

// The text stream codes CR as 127 and LF as 255.
uint8_t TextByte(uint8_t byte) { return byte == 127 ? 13 : byte == 255 ? 10 : byte; }

int HexDigit(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

}  // namespace

// ---- Checksum blocks ----------------------------------------------------------

void _dnld_checksum::begin() {
  count_ = 0;
  escape_ = false;
  error_ = false;
  sequence_ = 0;
  acknowledge_ = destination->acknowledges();
  ReserveTransferCounter();
}

void _dnld_checksum::abandon() {
  ReleaseTransferCounter();
  destination->abandon();
}

void _dnld_checksum::Store(uint8_t value) {
  Transfers.buffer[count_] = value;
  // A longer block overwrites its last byte and then fails the checksum.
  if (count_ < kBlockCap) ++count_;
}

void _dnld_checksum::take(uint8_t byte) {
  if (escape_) {
    escape_ = false;
    Store(byte == 'C' ? 255 : byte == kEscape ? kEscape : static_cast<uint8_t>(byte - 32));
    return;
  }
  switch (byte) {
    case kEndOfTransfer:
      End();
      return;
    case kEscape:
      escape_ = true;
      return;
    case kEndOfBlock:
      EndBlock();
      return;
    default:
      Store(byte);
  }
}

void _dnld_checksum::EndBlock() {
  // Every block end empties the buffer, whatever became of the block.
  const int count = count_;
  count_ = 0;
  if (error_) return;  // the rest of a failed transfer waits for its end byte
  if (count < kBlockTrailer + 1) {
    if (acknowledge_) {
      SendByteToHost(kBlockResend);
    } else {
      error_ = true;
    }
    return;
  }
  const int n = count - kBlockTrailer;
  const uint8_t* b = Transfers.buffer;
  const uint16_t sum = BlockChecksum(b, n);
  const bool intact = b[n] == (sum & 0xFF) && b[n + 1] == (sum >> 8) && b[n + 2] == sequence_;
  if (!intact) {
    if (acknowledge_) {
      SendByteToHost(kBlockResend);
    } else {
      error_ = true;
    }
    return;
  }
  if (!destination->write(n)) {
    if (acknowledge_) {
      SendByteToHost(kBlockWriteFailed);
    } else {
      error_ = true;
    }
    return;
  }
  if (acknowledge_) SendByteToHost(kBlockWritten);
  if (!destination->quiet) {
    ShowTransferCounter(destination->position());
    if (destination->progress_due()) RepaintForProgress();
  }
  sequence_ = static_cast<uint8_t>(sequence_ + 1);
}

void _dnld_checksum::End() {
  EndDownloadStream();
  ReleaseTransferCounter();
  // A failed transfer is not finished: a work file keeps its work name.
  bool ok = !error_;
  if (ok) {
    ok = destination->finish();
  } else {
    destination->abandon();
  }
  SendByteToHost(ok ? kDownloadDone : kDownloadFailed);
}

// ---- Text and hexadecimal streams ------------------------------------------------

void _dnld_text_stream::begin() {
  count_ = 0;
  failed_ = false;
}

void _dnld_text_stream::abandon() { destination->abandon(); }

void _dnld_text_stream::Store(uint8_t value) {
  Transfers.buffer[count_++] = value;
  if (count_ < kTransferBufferSize) return;
  if (!failed_ && !destination->write(-1)) failed_ = true;
  count_ = 0;
}

void _dnld_text_stream::End() {
  EndDownloadStream();
  bool ok = !failed_ && destination->write(count_);
  if (ok) {
    destination->finish();
  } else {
    destination->abandon();
  }
}

void _dnld_ascii::take(uint8_t byte) {
  if (byte == 13) {
    End();
    return;
  }
  const uint8_t value = TextByte(byte);
  Transfers.activity = value;
  Store(value);
}

void _dnld_hex::begin() {
  _dnld_text_stream::begin();
  second_ = false;
}

void _dnld_hex::take(uint8_t byte) {
  // CR ends the stream in either half: a half-byte left over is dropped.
  if (byte == 13) {
    End();
    return;
  }
  if (!second_) {
    high_ = static_cast<uint8_t>(HexDigit(byte));
    second_ = true;
    return;
  }
  second_ = false;
  const uint8_t value = static_cast<uint8_t>(high_ * 16 + HexDigit(byte));
  Transfers.activity = value;
  Store(value);
}

// ---- The bit bucket ---------------------------------------------------------

void _dnld_bitbucket::take(uint8_t byte) {
  if (byte == 13) {
    EndDownloadStream();
    return;
  }
  Transfers.activity = TextByte(byte);
}

void _dnld_bitbucket::abandon() {
  if (destination) destination->abandon();
}
