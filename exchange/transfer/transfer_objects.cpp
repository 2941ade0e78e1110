#include "transfer_objects.h"

#include <cstdio>
#include <cstring>

#include "cell_primitives.h"
#include "engine_context.h"
#include "message_line.h"
#include "parser.h"
#include "screen_model.h"
#include "transfer_internal.h"

TransferObjectSet TransferObjects;
TransferRecord Transfers = {{}, nullptr, nullptr, nullptr, kNoFile, "", 0, false};
TransferWiring TransferPorts = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

namespace {
constexpr int kCounterCol = 71;
constexpr int kCounterWidth = 9;
}  // namespace

void ResetTransfers() {
  FilePort* files = TransferPorts.files;
  if (files && Transfers.currentSource != kNoFile) files->Close(Transfers.currentSource);
  TransferObjects.fileSource.close();
  TransferObjects = TransferObjectSet{};
  Transfers = TransferRecord{{}, nullptr, nullptr, nullptr, kNoFile, "", 0, false};
}

void SendToHost(const uint8_t* bytes, int count) { Engine.channel->write(bytes, count); }
void SendByteToHost(uint8_t byte) { Engine.channel->write(&byte, 1); }

uint16_t BlockChecksum(const uint8_t* data, int count) {
  uint32_t sum = 0;
  for (int i = 0; i < count; ++i) sum += static_cast<uint32_t>(data[i]) * static_cast<uint32_t>(i + 1);
  return static_cast<uint16_t>(sum);
}

void ReserveTransferCounter() {
  Transfers.counterReserved = true;
  SetMessageReserve(kCounterWidth);
}

void ReleaseTransferCounter() {
  if (!Transfers.counterReserved) return;
  Transfers.counterReserved = false;
  SetMessageReserve(0);
}

void ShowTransferCounter(int64_t value) {
  char text[32];
  int n = std::snprintf(text, sizeof text, "%*lld", kCounterWidth, static_cast<long long>(value));
  if (n > kCounterWidth) n = kCounterWidth;  // the cells up to the row's end
  if (n > 0) WriteText(kCounterCol, kStatusRow, reinterpret_cast<const uint8_t*>(text), n);
}

void RepaintForProgress() {
  if (TransferPorts.repaint) TransferPorts.repaint();
}

void DownloadState(uint8_t byte) {
  if (_dnld* d = Transfers.currentDownload) {
    d->take(byte);
  } else {
    ResetParser();
  }
}

void UploadState(uint8_t byte) {
  if (_upld* u = Transfers.currentUpload) {
    u->take(byte);
  } else {
    ResetParser();
  }
}

void EndDownloadStream() {
  ResetParser();
  Transfers.currentDownload = nullptr;
  Transfers.activity = 0;
}

void EndUploadStream() {
  ResetParser();
  Transfers.currentUpload = nullptr;
}
