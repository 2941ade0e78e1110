// The key dispatcher: the single road of every internal key code. While the
// host is busy (and no local handler owns the keyboard) codes wait in the
// type-ahead queue; otherwise they go to the InputMode handler. When the host
// reports ready the waiting input is replayed in a fixed order: a pending EOT,
// a pending DDE request, the queued codes oldest first, then the rest of a
// paste.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A ring of 100 slots: at most 99 codes wait.
constexpr int kTypeAheadSlots = 100;
constexpr int kTypeAheadLimit = kTypeAheadSlots - 1;

// What the dispatcher needs from the program around it; the shell sets these,
// tests replace them. Every member is set (do-nothing defaults).
struct KeyboardHooks {
  void (*beep)();
  // Before a code is dispatched: clear Alt pending, close the receive-trace
  // viewer and the view window.
  void (*beforeDispatch)();
  // True when the channel can take bytes now. Otherwise the channel keeps
  // the callback and runs it once its output has drained.
  bool (*channelReady)(void (*callback)());
  // The caret belongs to a local mode (status indicator bit 2) or no longer.
  void (*localCaret)(bool on);
  // Local edit mode's system find dialog: open it; read its last request
  // (text and flags), false when there is none.
  void (*openFindDialog)();
  bool (*findRequest)(char* text, int size, uint8_t* flags);
};

struct KeyboardRecord {
  int32_t queue[kTypeAheadSlots];
  int readPos;
  int writePos;
  int32_t lastQueued;  // the duplicate filter's memory (0: none)
  bool pendingDde;     // a DDE request waits for the host
  // The paste buffer: the text still to be typed and the read position.
  std::string paste;
  size_t pasteRead;
  // Script keys that did not fit in the queue, replayed right after it.
  std::vector<int32_t> scriptRest;
  size_t scriptRead;
};

// Owned by key_dispatcher.cpp.
extern KeyboardRecord Keyboard;
extern KeyboardHooks KeyboardEvents;

// Empty queue, no pending input, no paste (hooks stay).
void ResetKeyboard();
// The hooks back to their do-nothing defaults.
void ResetKeyboardHooks();

// The single entry for every source of key codes; returns the handler's
// answer (1 when the code was queued or dropped).
int DispatchKey(int32_t code);

// True while the host takes keys as type-ahead.
bool KeysTypedAhead();

int TypeAheadCount();
// The oldest queued code, taken out; false when the queue is empty.
bool TakeTypeAhead(int32_t* code);
// A key of the -E keystroke script: queued as type-ahead as if the host were
// busy. Keys beyond the queue's room wait behind it instead of being lost.
void TypeAheadFromScript(int32_t code);
// Shift+Scroll Lock: forget the type-ahead (the caller clears the busy flag).
void ClearTypeAhead();

// Where a piece of pending input came from (so it can be put back).
enum class PendingSource { kEot, kDde, kQueue, kScript, kPaste };
struct PendingInput {
  int32_t code;
  PendingSource source;
};
// The next pending input in replay order; false when nothing waits. A pasted
// character is only given while the channel can take it (otherwise the paste
// goes on by itself once the channel drains).
bool NextPendingInput(PendingInput* next);
// Put back what a handler did not accept: it comes first next time.
void UnreadPendingInput(const PendingInput& input);

// The host is ready: hand the waiting input to the current handler until it
// stops accepting or nothing waits.
void ReplayTypeAhead();

// Paste: the text is typed character by character while nothing is queued
// and the channel keeps up; text still waiting from an earlier paste stays in
// front. False (and a beep) when the text is empty.
bool PasteText(const std::string& text);
// Go on typing the paste (also the channel's drain callback).
void ContinuePaste();
bool PasteWaiting();

// Remember a DDE request for the host (replayed as 1072).
void SetPendingDdeRequest();
