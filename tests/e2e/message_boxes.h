// Message boxes of another process, found through the window list.
#pragma once

#include <windows.h>

#include <string>

// A dialog-class window of the process whose text contains `text`.
HWND FindMessageBox(DWORD processId, const char* text);
// A visible dialog-class window of the process with exactly this title (the
// system's print and file dialogs).
HWND FindDialogTitled(DWORD processId, const char* title);
// The texts of a dialog's static controls, joined.
std::string DialogText(HWND dialog);
// Press a button of the dialog (IDYES, IDNO, IDOK...).
void PressButton(HWND dialog, int id);
// Wait for the message box with `text`, press the button and wait for the
// box to go; false when it did not come or stayed.
bool AnswerMessageBox(DWORD processId, const char* text, int id, DWORD milliseconds);
