// The window side of the keyboard: the main window procedure offers every
// message here first; characters, key accelerators, paste and the test
// interface's registered message are taken.
#pragma once

#include <windows.h>

#include "service_seams.h"

// True when the message was handled; *result is then the window procedure's answer.
bool KeyboardWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// Point the dispatcher's hooks at the shell and return the engine's keyboard
// seam (start-up, before the engine is attached).
KeyboardSeam* AttachKeyboardToShell();
