// The view window ("&Extended select"): a child of the main window over the
// host window's area that shows the host window's lines with scroll bars, in
// the "View Window" colours, and lets the left button select a rectangle of
// the whole content for copying.
#pragma once

#include <windows.h>

// Command 40194: closes an open view window; otherwise opens one, refused
// (beep) in full screen or simple selection mode, or dispatches 1073 when
// there is nothing it could show.
void ToggleViewWindowCommand();
// Close it if open (any key dispatched, full screen entered).
void CloseViewWindow();
// Command 40186 while the view window is open: the selected rectangle goes
// to the clipboard as text and the selection ends; a failure beeps.
void ViewWindowCopyCommand();
// The main window's size or font changed: keep covering the same cells.
void FitViewWindowToCells();
// The WTermS3Class window procedure's work.
LRESULT ViewWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
