// Text onto the clipboard as CF_TEXT, for the copy commands.
#pragma once

#include <windows.h>

#include <string>

// False when memory or the clipboard could not be had (another program may
// hold it for a moment: opening is retried briefly).
bool PutTextOnClipboard(HWND owner, const std::string& text);
