// CorvaneOpen: the system's Explorer-style open-file dialog with the
// library's preview panel (template 129): the selected file shown in the
// image control, pages, quarter turns, zoom with scroll bars, annotations
// and printing.
#pragma once

#include <windows.h>
#include <commdlg.h>

// The caller's record in, the chosen path out (see HelperOpenFileName).
// Returns 1 on OK, 0 on cancel or when the chosen path does not fit the
// caller's buffer (which is then left untouched).
int RunCorvaneOpen(OPENFILENAMEA* request);
