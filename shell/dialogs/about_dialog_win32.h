// The About dialog (109): the product line, the version and the platform.
#pragma once

#include <windows.h>

// The program's version, shown as "Version %s".
constexpr char kProgramVersion[] = "4.23";

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Command 40071: the modal About dialog from the program's resources.
void ShowAboutDialog(HINSTANCE instance, HWND owner);
