// "Syntax colors": the colour code of each role's text and background (one
// of the 16 custom colours or "Windows" for the system colour), a sample,
// "Enable syntax checking", and "Set color selections" for the custom
// colours themselves, which all edit windows share.
#pragma once

#include <windows.h>

#include "edit_preferences.h"

// True on OK: the codes and the switch are in `prefs`, the custom colours in `custom`.
bool EditColorsDialog(HWND owner, EditPreferences& prefs, COLORREF custom[16]);
