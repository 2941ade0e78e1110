// The program's message boxes: texts from the string table or literals,
// captioned "Moxel" with a stop icon unless a caller says otherwise.
#pragma once

#include <windows.h>

// A string-table message with the stop icon; returns the button pressed.
int ShowStringMessage(HWND owner, UINT stringId, UINT buttons = MB_OK);
// A literal text.
int ShowMessage(HWND owner, const char* text, const char* caption, UINT style);
// The text of a string-table entry ("" when missing).
const char* LoadProgramString(UINT stringId);
