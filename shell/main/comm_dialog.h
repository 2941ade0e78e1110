#pragma once
#include <windows.h>

// The Configure Communications dialog (106); true when accepted.
bool RunCommunicationsDialog(HWND owner);
