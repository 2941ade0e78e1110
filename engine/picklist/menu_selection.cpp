#include "menu_selection.h"

#include "engine_context.h"
#include "key_codes.h"
#include "pick_items.h"
#include "render_notify.h"
#include "screen_model.h"
#include "user_screen_list.h"

void SetMenuSelection(bool on) {
  if (!on && Screen.win.CurrentChoice) HighlightItem(0);
  // The list goes before the flag so the highlight is drawn on the screen it
  // gives back.
  if (!on) HideUserScreenList();
  Screen.menuSelection = on ? 1 : 0;
  InvalidateFrame();
  if (on) ShowUserScreenList();
}

int MenuSelectionChoice(int32_t code) {
  namespace key = keycode;
  const int current = Screen.win.CurrentChoice;
  switch (code) {
    case key::kDown:
    case key::kRight:
      if (!current) {
        if (int first = FirstActiveItem()) HighlightItem(first);
      } else if (int next = NearestItem(current, code == key::kDown ? ItemDirection::kDown : ItemDirection::kRight)) {
        HighlightItem(next);
      }
      return 0;
    case key::kUp:
    case key::kLeft:
      if (current) {
        if (int next = NearestItem(current, code == key::kUp ? ItemDirection::kUp : ItemDirection::kLeft))
          HighlightItem(next);
      }
      return 0;
    case key::kEnter:
      return current;
    case key::kMouseEvent: {
      int values[5] = {0, 0, 0, 0, 0};
      Engine.keyboard->LastMouseEvent(values);
      return ItemAtCell(values[1], values[2]);
    }
    default:
      break;
  }
  if (code >= key::kAltBase) return ItemForKey(code - key::kAltBase);
  if (code >= 0 && code < 1000) return ItemForKey(code);
  return 0;
}
