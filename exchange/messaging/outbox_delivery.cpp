#include "outbox_delivery.h"

#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

#include "engine_context.h"
#include "framing.h"
#include "local_mode.h"
#include "messaging_folders.h"
#include "outbox.h"

namespace {

constexpr int kWrite = 1024;
// An outbox file is read whole before its name goes out (a file that cannot
// be framed must not be started); one larger than this is not taken.
constexpr uint64_t kLargestOutboxFile = 64ull * 1024 * 1024;

struct DeliveryRecord {
  OutboxDeliveryHooks hooks;
  OutboxPicker picker;
  bool taken = false;      // a name went to the host, its contents wait
  bool sending = false;    // contents on their way
  std::string bytes;       // the contents as the host receives them
  size_t sent = 0;
  std::string name;        // the file on its way
};
DeliveryRecord Delivery;

bool ListOutbox(std::vector<MessagingFileEntry>* entries) {
  MessagingFilePort* files = Delivery.hooks.files;
  const std::string folder = OutboxFolder(CurrentMessagingFolders());
  return files && !folder.empty() && files->List(folder, entries);
}

void Refuse(const MessagingFileEntry& e) {
  Delivery.picker.Offered(e);  // said once, until the file changes
  if (Delivery.hooks.refused) Delivery.hooks.refused(OutboxFolder(CurrentMessagingFolders()) + e.name);
}

// The next file that can go, read and framed; unreadable files stay and are
// tried again on the next change.
bool PrepareNext(MessagingFileEntry* next, std::string* bytes) {
  if (!MessagingDelivers()) return false;
  std::vector<MessagingFileEntry> entries;
  if (!ListOutbox(&entries)) return false;
  const MessagingFolders folders = CurrentMessagingFolders();
  std::set<std::string> unreadable;
  MessagingFileEntry e;
  while (Delivery.picker.Next(entries, folders, Messaging.auxOutboxFile, unreadable, &e)) {
    if (e.size > kLargestOutboxFile) {
      Refuse(e);
      continue;
    }
    std::string contents;
    if (!Delivery.hooks.files->ReadAll(OutboxFolder(folders) + e.name, &contents)) {
      unreadable.insert(e.name);
      continue;
    }
    if (!FramingSafe(e.name) || !FramingSafe(contents)) {
      Refuse(e);
      continue;
    }
    *next = e;
    *bytes = MessageContentBytes(contents);
    return true;
  }
  return false;
}

bool DeliverableRemains() {
  if (!MessagingDelivers()) return false;
  std::vector<MessagingFileEntry> entries;
  if (!ListOutbox(&entries)) return false;
  MessagingFileEntry e;
  return Delivery.picker.Next(entries, CurrentMessagingFolders(), Messaging.auxOutboxFile, {}, &e);
}

void Drained() {
  if (Delivery.hooks.drained) Delivery.hooks.drained();
}

void Finish() {
  Delivery.sending = false;
  Delivery.bytes.clear();
  Delivery.bytes.shrink_to_fit();
  Delivery.sent = 0;
  LocalModeMessageDone();
  // The next file is offered to the next local mode; with none left the
  // watcher reports the next change.
  if (DeliverableRemains()) {
    Messaging.messageWaiting = true;
  } else {
    Drained();
  }
}

}  // namespace

void AttachOutboxDelivery(const OutboxDeliveryHooks& hooks) { Delivery.hooks = hooks; }

void ResetOutboxDelivery() {
  AbandonOutboxDelivery();
  Delivery.picker.Clear();
  Messaging.messageWaiting = false;
}

void NoteOutboxChanged() { Messaging.messageWaiting = true; }

bool OutboxMessagePending() {
  if (!Messaging.messageWaiting || !MessagingDelivers() || OutboxDeliveryActive()) return false;
  if (DeliverableRemains()) return true;
  // A change that left nothing to deliver is no event: a local mode would
  // end with 154 for it.
  Messaging.messageWaiting = false;
  Drained();
  return false;
}

bool TakeOutboxMessage(char* text, int size) {
  if (size > 0) text[0] = 0;
  if (!Messaging.messageWaiting || OutboxDeliveryActive()) return false;
  Messaging.messageWaiting = false;
  MessagingFileEntry e;
  std::string bytes;
  if (!PrepareNext(&e, &bytes)) {
    Drained();
    return false;
  }
  if (size <= 0 || e.name.size() >= static_cast<size_t>(size)) {
    Refuse(e);
    Drained();
    return false;
  }
  std::memcpy(text, e.name.c_str(), e.name.size() + 1);
  Delivery.picker.Offered(e);
  Delivery.name = e.name;
  Delivery.taken = true;
  Delivery.bytes = std::move(bytes);
  Delivery.sent = 0;
  return true;
}

void DeliverOutboxMessage() {
  if (!Delivery.taken) return;
  Delivery.taken = false;
  Delivery.sending = true;
  ContinueOutboxDelivery();
}

void ContinueOutboxDelivery() {
  if (!Delivery.sending) return;
  size_t slice = 0;
  while (Delivery.sent < Delivery.bytes.size()) {
    // Wait whenever the output queue holds something.
    if (!Engine.channel->when_drained(ContinueOutboxDelivery)) return;
    if (slice >= static_cast<size_t>(kDeliverySlice) && Delivery.hooks.yield) {
      Delivery.hooks.yield();  // the window paints between slices
      return;
    }
    size_t n = Delivery.bytes.size() - Delivery.sent;
    if (n > static_cast<size_t>(kWrite)) n = kWrite;
    Engine.channel->write(reinterpret_cast<const uint8_t*>(Delivery.bytes.data()) + Delivery.sent, static_cast<int>(n));
    Delivery.sent += n;
    slice += n;
  }
  Finish();
}

bool OutboxDeliveryActive() { return Delivery.taken || Delivery.sending; }

void AbandonOutboxDelivery() {
  if (OutboxDeliveryActive()) {
    // Cut short: the file goes again, whole, to the next local mode.
    Delivery.picker.Forget(Delivery.name);
    Messaging.messageWaiting = true;
  }
  Delivery.taken = false;
  Delivery.sending = false;
  Delivery.bytes.clear();
  Delivery.sent = 0;
}
