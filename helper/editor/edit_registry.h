// The registry of edit windows (one library-wide object): a growable array
// of slots, each empty or holding a window. A window takes the first empty
// slot; its position is its index. The array never shrinks.
#pragma once

#include <vector>

class EditFrame;

class EditRegistry {
 public:
  ~EditRegistry() { DestroyAll(); }

  // Stores the window in the first empty slot (or a new one); its index.
  int Register(EditFrame* frame);
  // The window at index, or null.
  EditFrame* At(int index) const;
  // The first window (lowest index) of that session: the one that asked to
  // be closed when several share the number and `preferAsker` is set.
  EditFrame* FindSession(int session, bool preferAsker = false) const;
  // Empties the slot and destroys its window.
  void Remove(int index);
  // Empties the slot of a window that is already gone.
  void Forget(const EditFrame* frame);
  bool AnyRegistered() const;
  void DestroyAll();
  int SlotCount() const { return static_cast<int>(slots_.size()); }

  template <typename F>
  void ForEach(F f) const {
    for (EditFrame* frame : slots_)
      if (frame) f(*frame);
  }

 private:
  std::vector<EditFrame*> slots_;
};
