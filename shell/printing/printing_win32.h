// The terminal's printing commands on Windows: the transparent printer, the
// print screen (command 40102 and Ctrl+Alt+P), the screen image as a TIFF
// file (40216, and 40217 with the receive-trace pages), the "Configure
// Printing" dialog (40199), and the printers' end at exit.
#pragma once

#include <windows.h>

#include <string>

#include "screen_model.h"

// Start-up: the spooler and the message box behind the raw jobs, then the
// transparent printer.
void AttachPrinting();
// Printer selection: the named transparent printer when one is chosen and
// reachable, else the default printer.
void SelectTransparentPrinter();
void PrintScreenCommand(HWND window);
void SaveScreenImageCommand(HWND window, bool withDebug);
// Dialog 127; true on OK.
bool RunPrintingDialog(HWND owner);
// Exit: a job in progress ends with its buffered bytes, the printer closes.
void ShutDownPrinting();

// The print-screen footer of this moment.
std::string CurrentPrintFooter();
// The screen (or an 80 x 25 cell buffer) drawn in black at a page's size,
// with the footer below it and, for a receive-trace page, an overlay line.
void RenderScreenPage(HDC dc, int width, int height, const Cell* buffer, const std::string& footer,
                      const char* overlay);
// Write a TIFF image of the screen (and with the debug flag the 25 trace
// pages) to a path: a work file beside it is moved into place when complete.
// 0 done, 1 the file could not be created, 2 a write failed.
int WriteScreenImage(const char* path, bool withDebug);
