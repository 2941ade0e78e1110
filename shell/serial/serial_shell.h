// The serial channel and the auxiliary port as the shell runs them: on the
// Windows serial calls, posting to the main window, with the settings of
// corvane.ini.
#pragma once

#include <windows.h>

#include "service_seams.h"

// After the main window exists: the serial calls post to it.
void AttachSerialLines(HWND mainWindow);
// The auxiliary port for the engine's ESC A.
AuxPortSeam* AuxPortSeamForShell();
// Open the auxiliary port by its rules (start-up, settings changed); close it
// (exit).
void OpenAuxiliaryPort();
void CloseAuxiliaryPort();
// Message 1032 and timer 8.
void AuxiliaryDataArrived(WPARAM wParam, LPARAM lParam);
void AuxiliaryReadTimedOut();
