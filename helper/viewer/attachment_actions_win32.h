// What the list window does with one attachment outside itself: the
// system's program by verb, printing and copying through the image control,
// and the help file.
#pragma once

#include <windows.h>

namespace viewer {

// ShellExecute with the verb ("open", "print") in a normal window; true
// when the system started something.
bool RunSystemVerb(HWND owner, const char* verb, const char* path);

// Page 1 up to the last page printed through the image control on the
// default printer; false when the file does not load or nothing printed.
bool PrintThroughImageControl(HWND owner, const char* path);

// The first page put on the clipboard through the image control.
bool CopyThroughImageControl(HWND owner, const char* path);

// "AttachViewer.chm" beside the library, opened by the system's help viewer.
void OpenViewerHelp(HWND owner);

// "Version %s" with the product version of the library's own version
// resource ("" when it has none).
const char* LibraryVersionText();

}  // namespace viewer
