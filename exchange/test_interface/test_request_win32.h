// The main window's answer to the registered message "MoxelTester".
#pragma once

#include <windows.h>

// Opens the shared record by name, acts on its request and returns the main
// window handle; 0 for an unknown request or when the record cannot be
// opened or mapped.
LRESULT AnswerTestRequest(HWND mainWindow);
