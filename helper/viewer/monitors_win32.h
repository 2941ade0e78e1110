// The monitor facts the library records at start-up, and the two questions
// asked of them: the size of the monitor that holds a window (for the
// terminal's GetMonitorSize) and the work area the viewer's list is kept on.
#pragma once

#include <windows.h>

// Library start-up: the primary monitor's work area, and the multiple-monitor
// functions when the system has them and more than one monitor (the recorded
// area then becomes the virtual screen).
void DetectMonitors();

// The full size of the monitor holding `window`; false (nothing stored)
// without the multiple-monitor functions or when it is on no monitor.
bool MonitorSizeOf(HWND window, int* width, int* height);

// The work area of the monitor holding `window` (or nearest to it) with the
// multiple-monitor functions; otherwise the primary work area recorded at
// start-up (asked for afresh when nothing was recorded).
RECT WorkAreaFor(HWND window);
