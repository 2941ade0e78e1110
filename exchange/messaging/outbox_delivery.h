// Delivering outbox files to the host through a local mode that takes PC
// messages (a pick list or an input field of the second form): the mode
// sends the file's name and 254, then the contents follow here (line feeds as
// 253, 254 at the end), paced by the channel's drain callback and giving the
// message loop a turn between slices, and the mode ends with 154.
#pragma once

#include <string>

#include "messaging_files.h"

struct OutboxDeliveryHooks {
  MessagingFilePort* files = nullptr;
  // Call ContinueOutboxDelivery() soon from the message loop.
  void (*yield)() = nullptr;
  // The outbox has nothing more to deliver: the watcher may report the next
  // change (its start event).
  void (*drained)() = nullptr;
  // Told once of a file whose name or contents cannot be framed, or that is
  // too large to be taken (64 MB).
  void (*refused)(const std::string& path) = nullptr;
};

void AttachOutboxDelivery(const OutboxDeliveryHooks& hooks);
// Forget what was delivered (messaging starts again) and drop a delivery.
void ResetOutboxDelivery();

// The outbox reported a change (program message 1031).
void NoteOutboxChanged();
// Key code 1090 waits for a local mode: the outbox changed and holds a file
// to deliver. With nothing to deliver the change is forgotten (and the
// watcher told that the outbox is drained).
bool OutboxMessagePending();
// The next file's name for the host; false when no file can go (then the
// watcher is told that the outbox is drained).
bool TakeOutboxMessage(char* text, int size);
// Send the contents of the file taken; LocalModeMessageDone() follows.
void DeliverOutboxMessage();
void ContinueOutboxDelivery();
bool OutboxDeliveryActive();
// Emulation reset: a delivery in progress is dropped, no completion.
void AbandonOutboxDelivery();

// Bytes sent in one turn of the message loop at most.
constexpr int kDeliverySlice = 32 * 1024;
