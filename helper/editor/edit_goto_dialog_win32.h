// "Go to": asks for a line number ("Line:", 1 at first).
#pragma once

#include <windows.h>

// The line number given (1 or more), or 0 when cancelled.
int AskGoToLine(HWND owner);
