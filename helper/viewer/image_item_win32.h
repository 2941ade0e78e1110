// CImageItem: the "Image Information" window (dialog 3036) that shows one
// attachment in the image control, with its zoom slider, page controls,
// storage path, date, size and the library's version, tools for turning,
// printing, fitting, annotations and copying, and Ctrl+C.
#pragma once

#include <windows.h>

#include "image_decode_win32.h"

// The viewer's main display settings an image window starts with.
struct ImageItemSettings {
  int quality = 0;         // "MainDisplay": 0 fast, 1 precise, 2 optimized
  bool annotations = false;  // "MainAnnotations"
  int fitMode = 0;         // "MainFitMode": 0 fit width, 1 fit page
  int background = -1;     // "MainBackground": a colour, or -1 for the 3D-light colour
};

class CImageItem;

// Opens an image window for `path` (owner may be null) and shows it. When
// the image control cannot load the file, no window stays and null comes
// back; *status (may be null) tells why: kImageDecodeError ("Unable to open
// image", the entry is invalid) or kImageNoDecoder / kImageOpenFailed (hand
// the file to the system's program). The window destroys itself when closed;
// CloseImageItems destroys every one still open.
HWND OpenImageItem(HWND owner, const char* path, const ImageItemSettings& settings, ImageLoadStatus* status);
void CloseImageItems();
// The image windows open now.
int ImageItemCount();
// Offered every message of the thread's loop (Ctrl+C, dialog keys); true
// when taken.
bool ImageItemsPreTranslate(MSG* message);
