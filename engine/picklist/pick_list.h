// Pick lists: the host defines items on the screen, starts a selection, and
// gets one short reply naming the ending key and the item chosen. The
// highlight moves locally meanwhile.
#pragma once

#include <cstdint>

#include "service_seams.h"

// The selection in progress. One per process, owned by pick_list.cpp.
struct PickSelectionState {
  bool active;          // the pick-list handler owns the keyboard
  bool waitingMessage;  // a PC message is being delivered; ends with 154
  int mode;             // 0: hot keys allowed; otherwise navigation only, edge replies
  int form;             // 0 from ESC M S, 1 from ESC M s
};
extern PickSelectionState PickSelection;

void ResetPickSelection();

// The InputMode handler of a selection (keyboard mode 1).
int PickListKey(int32_t code);

// The engine's pick-list service.
class PickLists final : public PickListSeam {
 public:
  void DefineItem(const uint8_t p[4], const char* key) override;
  void SetItemCount(uint8_t count) override;
  void StartSelection(uint8_t current, uint8_t mode, bool lowerForm) override;
  void Abandon() override;
};
