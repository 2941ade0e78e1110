#include "edit_registry.h"

#include "edit_frame.h"
#include "edit_session.h"

int EditRegistry::Register(EditFrame* frame) {
  for (size_t i = 0; i < slots_.size(); ++i) {
    if (!slots_[i]) {
      slots_[i] = frame;
      return static_cast<int>(i);
    }
  }
  slots_.push_back(frame);
  return static_cast<int>(slots_.size() - 1);
}

EditFrame* EditRegistry::At(int index) const {
  if (index < 0 || index >= SlotCount()) return nullptr;
  return slots_[static_cast<size_t>(index)];
}

EditFrame* EditRegistry::FindSession(int session, bool preferAsker) const {
  EditFrame* first = nullptr;
  for (EditFrame* frame : slots_) {
    if (!frame || frame->Session().session != session) continue;
    if (!preferAsker || frame->Session().closeRequested) return frame;
    if (!first) first = frame;
  }
  return first;
}

void EditRegistry::Remove(int index) {
  EditFrame* frame = At(index);
  if (!frame) return;
  // The slot empties first: whatever the window does while it goes, it can
  // no longer be reached through the registry.
  slots_[static_cast<size_t>(index)] = nullptr;
  frame->Destroy();
}

void EditRegistry::Forget(const EditFrame* frame) {
  for (EditFrame*& slot : slots_)
    if (slot == frame) slot = nullptr;
}

bool EditRegistry::AnyRegistered() const {
  for (EditFrame* frame : slots_)
    if (frame) return true;
  return false;
}

void EditRegistry::DestroyAll() {
  for (size_t i = 0; i < slots_.size(); ++i) Remove(static_cast<int>(i));
}
