#include "key_dispatcher.h"

#include "input_mode.h"
#include "key_codes.h"
#include "screen_model.h"
#include "shell/ingress/ingress.h"

namespace {

void NoBeep() {}
void NothingBefore() {}
bool AlwaysReady(void (*)()) { return true; }
void NoCaret(bool) {}
void NoFindDialog() {}
bool NoFindRequest(char*, int, uint8_t*) { return false; }

constexpr KeyboardHooks kDefaultHooks = {NoBeep, NothingBefore, AlwaysReady, NoCaret, NoFindDialog, NoFindRequest};

bool RepeatFiltered(int32_t code) {
  return code == keycode::kEnter || (code >= keycode::kDown && code <= keycode::kRight);
}

bool QueueEmpty() { return Keyboard.readPos == Keyboard.writePos; }

bool Enqueue(int32_t code) {
  const int next = (Keyboard.writePos + 1) % kTypeAheadSlots;
  if (next == Keyboard.readPos) return false;
  Keyboard.queue[Keyboard.writePos] = code;
  Keyboard.writePos = next;
  return true;
}

int32_t Dequeue() {
  const int32_t code = Keyboard.queue[Keyboard.readPos];
  Keyboard.readPos = (Keyboard.readPos + 1) % kTypeAheadSlots;
  return code;
}

void FreePasteWhenDone() {
  if (Keyboard.pasteRead >= Keyboard.paste.size()) {
    Keyboard.paste.clear();
    Keyboard.paste.shrink_to_fit();
    Keyboard.pasteRead = 0;
  }
}

}  // namespace

KeyboardRecord Keyboard = {};
KeyboardHooks KeyboardEvents = kDefaultHooks;

void ResetKeyboard() { Keyboard = KeyboardRecord{}; }
void ResetKeyboardHooks() { KeyboardEvents = kDefaultHooks; }

bool KeysTypedAhead() { return Screen.busy && !InputMode.localMode; }

namespace {

// The busy branch of the dispatcher: filters, then the queue. False when the
// queue had no room.
bool QueueTypeAhead(int32_t code) {
  if (code == keycode::kMessageArrived || code == keycode::kEditEvent) return true;
  // Auto-repeat of Enter or an arrow while the host is busy does not pile up.
  if (RepeatFiltered(code) && code == Keyboard.lastQueued) return true;
  Keyboard.lastQueued = code;
  if (code == keycode::kSeparator) return true;
  return Enqueue(code);
}

bool ScriptWaiting() { return Keyboard.scriptRead < Keyboard.scriptRest.size(); }

}  // namespace

int DispatchKey(int32_t code) {
  KeyboardEvents.beforeDispatch();
  if (!KeysTypedAhead()) return InputMode.handler ? InputMode.handler(code) : 0;
  if (!QueueTypeAhead(code)) KeyboardEvents.beep();
  return 1;
}

void TypeAheadFromScript(int32_t code) {
  if (ScriptWaiting()) {
    // Behind keys that already overflowed: keep the order.
    if (RepeatFiltered(code) && code == Keyboard.lastQueued) return;
    Keyboard.lastQueued = code;
    if (code != keycode::kSeparator) Keyboard.scriptRest.push_back(code);
    return;
  }
  if (!QueueTypeAhead(code)) Keyboard.scriptRest.push_back(code);
}

bool TakeTypeAhead(int32_t* code) {
  if (QueueEmpty()) return false;
  Keyboard.lastQueued = 0;
  *code = Dequeue();
  return true;
}

int TypeAheadCount() {
  return (Keyboard.writePos - Keyboard.readPos + kTypeAheadSlots) % kTypeAheadSlots;
}

void ClearTypeAhead() {
  Keyboard.readPos = Keyboard.writePos = 0;
  Keyboard.lastQueued = 0;
  Keyboard.scriptRest.clear();
  Keyboard.scriptRead = 0;
}

bool NextPendingInput(PendingInput* next) {
  if (IngressState.pendingEot) {
    IngressState.pendingEot = false;
    *next = {keycode::kHostEot, PendingSource::kEot};
    return true;
  }
  if (Keyboard.pendingDde) {
    Keyboard.pendingDde = false;
    *next = {keycode::kDdeRequest, PendingSource::kDde};
    return true;
  }
  if (!QueueEmpty()) {
    Keyboard.lastQueued = 0;
    *next = {Dequeue(), PendingSource::kQueue};
    return true;
  }
  if (ScriptWaiting()) {
    *next = {Keyboard.scriptRest[Keyboard.scriptRead++], PendingSource::kScript};
    if (!ScriptWaiting()) {
      Keyboard.scriptRest.clear();
      Keyboard.scriptRead = 0;
    }
    return true;
  }
  if (Keyboard.pasteRead < Keyboard.paste.size()) {
    // A long paste must not outrun the channel: its output queue would
    // overflow and the host would lose characters.
    if (!KeyboardEvents.channelReady(ContinuePaste)) return false;
    *next = {static_cast<uint8_t>(Keyboard.paste[Keyboard.pasteRead++]), PendingSource::kPaste};
    FreePasteWhenDone();
    return true;
  }
  return false;
}

void UnreadPendingInput(const PendingInput& input) {
  switch (input.source) {
    case PendingSource::kEot: IngressState.pendingEot = true; break;
    case PendingSource::kDde: Keyboard.pendingDde = true; break;
    case PendingSource::kQueue:
      Keyboard.readPos = (Keyboard.readPos + kTypeAheadSlots - 1) % kTypeAheadSlots;
      Keyboard.queue[Keyboard.readPos] = input.code;
      break;
    case PendingSource::kScript:
      if (Keyboard.scriptRead > 0) {
        --Keyboard.scriptRead;
      } else {
        Keyboard.scriptRest.insert(Keyboard.scriptRest.begin(), input.code);
      }
      break;
    case PendingSource::kPaste:
      if (Keyboard.pasteRead > 0) {
        --Keyboard.pasteRead;
      } else {
        Keyboard.paste.insert(Keyboard.paste.begin(), static_cast<char>(input.code));
      }
      break;
  }
}

void ReplayTypeAhead() {
  PendingInput input;
  while (InputMode.handler && NextPendingInput(&input)) {
    if (!InputMode.handler(input.code)) {
      UnreadPendingInput(input);
      break;
    }
  }
}

bool PasteText(const std::string& text) {
  if (text.empty()) {
    KeyboardEvents.beep();
    return false;
  }
  Keyboard.paste.erase(0, Keyboard.pasteRead);
  Keyboard.pasteRead = 0;
  Keyboard.paste += text;
  ContinuePaste();
  return true;
}

void ContinuePaste() {
  while (QueueEmpty() && !ScriptWaiting() && Keyboard.pasteRead < Keyboard.paste.size()) {
    if (!KeyboardEvents.channelReady(ContinuePaste)) return;
    const int32_t code = static_cast<uint8_t>(Keyboard.paste[Keyboard.pasteRead++]);
    DispatchKey(code);
  }
  FreePasteWhenDone();
}

bool PasteWaiting() { return Keyboard.pasteRead < Keyboard.paste.size(); }

void SetPendingDdeRequest() { Keyboard.pendingDde = true; }
