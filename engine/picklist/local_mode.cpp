#include "local_mode.h"

#include <cstring>
#include <initializer_list>

#include "engine_context.h"
#include "render_notify.h"
#include "reply_buffer.h"
#include "screen_model.h"
#include "status_row.h"
#include "tones.h"

namespace {

constexpr int kEventTextSize = 1024;
// Codes replayed from the type-ahead queue in one go at most: a queue holds
// fewer, so this only stops a shell that never runs dry.
constexpr int kReplayLimit = 1000;

struct MessageWait {
  void (*done)();
};
MessageWait Waiting;

}  // namespace

void LocalBell() {
  EngineShell* shell = Engine.shell;
  if (shell->TonePlaying() || !shell->SoundEnabled()) return;
  shell->QueueTone(Tones.BellLength, Tones.BellFrequency);
}

void MarkHostBusy() {
  Screen.busy = 1;
  Engine.shell->SetSpinnerRunning(true);
  UpdateSpinner();
}

void TakeKeyboard(LocalKeyHandler handler, int modeNumber) {
  Engine.keyboard->InstallLocalHandler(handler, modeNumber);
}

void ReleaseKeyboard() { Engine.keyboard->RestoreNormalHandler(); }

void ReplayTypeAhead(LocalKeyHandler handler, bool (*still)()) {
  int32_t code = 0;
  for (int n = 0; n < kReplayLimit && still() && Engine.keyboard->NextTypeAhead(&code); ++n) handler(code);
}

void DeliverPendingEvents(LocalKeyHandler handler, bool (*still)()) {
  for (int32_t code : {key::kMessageArrived, key::kItemQueued, key::kEditEvent})
    if (still() && Engine.keyboard->EventPending(code)) handler(code);
}

bool SendPcMessage() {
  char text[kEventTextSize];
  text[0] = 0;
  if (!Engine.keyboard->TakePcMessage(text, sizeof text)) return false;
  text[sizeof text - 1] = 0;
  AppendString(text);
  AppendByte(kReplyFieldEnd);
  Flush();
  return true;
}

bool SendBrowseRequest(int* code) {
  char first[kEventTextSize];
  char second[kEventTextSize];
  first[0] = second[0] = 0;
  bool alternate = false;
  if (!Engine.keyboard->TakeBrowseRequest(first, sizeof first, second, sizeof second, &alternate)) return false;
  first[sizeof first - 1] = 0;
  second[sizeof second - 1] = 0;
  AppendString(first);
  AppendByte(kReplyFieldEnd);
  AppendString(second);
  AppendByte(kReplyFieldEnd);
  *code = alternate ? 156 : 155;
  return true;
}

void FinishKey() {
  Flush();
  FlushRenderNotifications();
}

void SetMessageDoneHandler(void (*done)()) { Waiting.done = done; }

void LocalModeMessageDone() {
  void (*done)() = Waiting.done;
  Waiting.done = nullptr;
  if (done) done();
  FinishKey();
}
