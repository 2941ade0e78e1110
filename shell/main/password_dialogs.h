#pragma once
#include <windows.h>

// Dialog 114: the configuration password; a wrong or cancelled entry shows
// "Invalid password" and answers false.
bool RunPasswordCheckDialog(HWND owner);
// Dialog 115: whether a password is required (and dialog 116 to set one).
void RunSetPasswordDialog(HWND owner);
