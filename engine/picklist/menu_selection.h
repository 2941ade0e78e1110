// Menu selection: while it is on, the local modes let the user choose one of
// the screen's pick-list items instead of editing. The one setter also shows
// and hides the user-defined screen list.
#pragma once

#include <cstdint>

void SetMenuSelection(bool on);

// A key while menu selection is on: arrows move the highlight, Enter, a hot
// key or a click on an item chooses it. Returns the item chosen, 0 when the
// key only moved the highlight or meant nothing.
int MenuSelectionChoice(int32_t code);
