// "&Print": the program on the printer the user picks, each page headed
// "%s Page %d" with the window title and the page number, the lines below in
// the view's grid and colours (with the line numbers, without the marker).
#pragma once

class CFrameEdit;

// False when the user cancelled or printing failed.
bool PrintProgram(CFrameEdit& frame);
