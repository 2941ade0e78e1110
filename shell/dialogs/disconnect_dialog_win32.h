// The disconnect-password dialog (139): shows the close or disconnect warning
// and lets the user go on only with the password the host set.
#pragma once

#include <windows.h>

#include <cstdint>

// What the dialog works on; its address is the dialog's creation parameter.
struct DisconnectPasswordRequest {
  const char* warning;    // the warning text, lines separated by "\n"
  const uint8_t* stored;  // the host's password, transformed
  int storedLength;
};

INT_PTR CALLBACK DisconnectPasswordDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                              LPARAM lParam);

// Modal, centred on the owner. True (Yes) only for a matching password;
// No, closing the dialog or a failure to show it answer false.
bool AskDisconnectPassword(HINSTANCE instance, HWND owner, const char* warning,
                           const uint8_t* stored, int storedLength);
