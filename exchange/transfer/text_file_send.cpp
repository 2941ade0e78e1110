#include "text_file_send.h"

#include "engine_context.h"
#include "host_paths.h"
#include "transfer_internal.h"
#include "transfer_objects.h"

namespace {

constexpr int kChunk = 128;
constexpr uint8_t kLineEnd = 253;
constexpr uint8_t kEndOfFile = 254;

struct TextSendRecord {
  FileHandle file = kNoFile;
  int64_t offset = 0;
  void (*done)() = nullptr;
};
TextSendRecord TextSend;

void ContinueTextFileSend() {
  FilePort* files = TransferPorts.files;
  if (TextSend.file == kNoFile || !files) return;
  for (;;) {
    // Wait whenever the output queue holds something; resume at the offset.
    if (!Engine.channel->when_drained(ContinueTextFileSend)) return;
    uint8_t chunk[kChunk];
    int n = files->Seek(TextSend.file, TextSend.offset) ? files->Read(TextSend.file, chunk, kChunk) : -1;
    if (n <= 0) break;
    TextSend.offset += n;
    int k = 0;
    for (int i = 0; i < n; ++i) {
      if (chunk[i] == 13) continue;
      chunk[k++] = chunk[i] == 10 ? kLineEnd : chunk[i];
    }
    if (k > 0) SendToHost(chunk, k);
  }
  SendByteToHost(kEndOfFile);
  void (*done)() = TextSend.done;
  StopTextFileSend();
  if (done) done();
}

}  // namespace

bool StartTextFileSend(const char* path, void (*done)()) {
  StopTextFileSend();
  FilePort* files = TransferPorts.files;
  if (!files || IsDevicePath(path)) return false;
  FileHandle f = files->Open(path, FileAccess::Read);
  if (f == kNoFile) return false;
  TextSend.file = f;
  TextSend.offset = 0;
  TextSend.done = done;
  ContinueTextFileSend();
  return true;
}

void StopTextFileSend() {
  if (TextSend.file != kNoFile && TransferPorts.files) TransferPorts.files->Close(TextSend.file);
  TextSend = TextSendRecord{};
}

bool TextFileSendActive() { return TextSend.file != kNoFile; }
