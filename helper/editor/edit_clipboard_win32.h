// The edit window's text on the system clipboard (the plain text format).
#pragma once

#include <windows.h>

#include <string>

// False when the clipboard could not be opened or filled.
bool PutClipboardText(HWND owner, const std::string& text);
// False when it could not be opened or read; an empty clipboard gives an
// empty text and true.
bool GetClipboardText(HWND owner, std::string& text);
bool ClipboardHasText();
