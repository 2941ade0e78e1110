// The user-defined screen list: while the user chooses from the screen's menu
// (menu selection), a framed pop-up shows the titles the host gave the ten
// Alt+F screens.
#pragma once

struct UserScreenListState {
  bool shown;
  unsigned block;  // the pop-up's saved block while shown
};
// Owned by user_screen_list.cpp.
extern UserScreenListState UserScreenList;

// Menu selection became set: show the list when it has a title, the option
// is on and it is not shown already.
void ShowUserScreenList();
// Menu selection cleared, or the host opens or closes windows: the list's
// pop-up goes first, giving back what it covered.
void HideUserScreenList();
void ResetUserScreenList();
