// Dialog 126 "Configure Mouse Buttons": the middle and secondary buttons'
// actions and "Enable Mouse Wheel"; OK saves the three keys.
#pragma once

#include <windows.h>

// True on OK (the settings are saved and in use).
bool RunMouseButtonsDialog(HWND owner);
