// CImageControl: the library's image display control, a child window that
// shows one page of an image file. It loads by path with a status, pages,
// fits to the width or the whole area, zooms with scrolling, turns in
// quarter turns, paints a background colour, scales at three qualities,
// shows the annotations of a sidecar "<image>.ann" file, prints to a
// printer's device context and copies the shown page to the clipboard.
//
// Pixels are decoded at the shown scale, in bands, a few per timer message
// (which comes only when nothing else waits), so the thread's message loop
// keeps running while a big page comes in (no thread of its own).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "image_annotations.h"
#include "image_decode_win32.h"
#include "image_geometry.h"

// The window class (registered by RegisterImageControl or the first Create).
#define IMAGE_CONTROL_CLASS "CImageControl"

// Display modes: 0 fit the width, 1 fit the whole page; 6 the page at its
// own size; 7 zoomed and scrollable at the zoom set by SetZoomPercent (the
// percentage is of the fitted size, see below).
enum ImageDisplayMode : int { kFitWidth = 0, kFitPage = 1, kActualSize = 6, kZoomScroll = 7 };

// Styles of the control window (low word of the window style).
#define IMAGE_OWN_SCROLLBARS 0x0001  // the control shows its own scroll bars when zoomed

// Notification sent to the parent as WM_COMMAND (code in the high word of
// wParam, control id in the low word, the control's window in lParam).
#define IMAGE_NOTIFY_LOADED 1    // the page's pixels are complete
#define IMAGE_NOTIFY_FAILED 2    // loading failed (see Status())
#define IMAGE_NOTIFY_SCROLLED 3  // the geometry changed (zoom, turn, scroll, size)
#define IMAGE_NOTIFY_CLICK 4     // a click on the control
#define IMAGE_NOTIFY_DBLCLK 5    // a double-click on the control

class PagePipeline;

class CImageControl {
 public:
  static bool Register(HINSTANCE instance);
  // Creates the child window (WS_CHILD | WS_VISIBLE | style) with the id.
  static CImageControl* Create(HWND parent, int id, const RECT& at, DWORD style = 0);
  // The control behind a window of the class, or null.
  static CImageControl* FromWindow(HWND window);

  HWND Window() const { return window_; }

  // Loading. Load opens the file, reads its page count and the first page's
  // size, and starts decoding page 1 (status kImageDecoding). A file that
  // cannot be opened or decoded gives its failure status at once.
  ImageLoadStatus Load(const char* path);
  ImageLoadStatus Status() const { return status_; }
  const std::string& Path() const { return path_; }
  // Decodes all remaining bands now (tests, printing, copying).
  ImageLoadStatus Finish();
  // Drops the image; the control shows its background only.
  void Clear();

  int PageCount() const { return pageCount_; }
  int CurrentPage() const { return page_; }  // 1-based
  bool SetPage(int page);                     // false when out of 1 .. PageCount()

  void SetDisplayMode(int mode);
  int DisplayMode() const { return mode_; }
  // Zoom in percent of the fitted (fit page) size; 100 = fitted. Switches to
  // kZoomScroll.
  void SetZoomPercent(int percent);
  int ZoomPercent() const { return zoomPercent_; }

  // Quarter turns clockwise, 0 .. 3.
  void RotateClockwise();
  void RotateCounterClockwise();
  void SetRotation(int quarterTurns);
  int Rotation() const { return rotation_; }

  // Background: a colour, or -1 for the system's 3D-light colour.
  void SetBackground(int color);
  void SetQuality(int quality);
  int Quality() const { return quality_; }

  bool HasAnnotations() const { return !annotations_.marks.empty(); }
  void ShowAnnotations(bool shown);
  bool AnnotationsShown() const { return annotationsShown_; }

  // Switch painting off while several settings change (like WM_SETREDRAW).
  void SetRedraw(bool on);
  // Decode the page again at the current settings and repaint.
  void Refresh();

  // Scrolling: the geometry in the shown (turned) frame.
  ViewGeometry Geometry() const;
  void ScrollTo(int x, int y);
  // The same in the page's own (unturned) frame, as the open-file dialog
  // reads it; PageScrollTo takes an origin in that frame.
  PageGeometry UnturnedGeometry() const;
  void PageScrollTo(int x, int y);

  // Prints pages from .. to (1-based) on a printer's device context, one
  // page of paper each, fitted to the printable area, with the annotations
  // when they are shown. False on any failure.
  bool Print(HDC printer, int fromPage, int toPage, const char* documentName);
  // Puts the shown page (turned as shown) on the clipboard as CF_DIB.
  bool CopyToClipboard(HWND owner);

  // The shown page's pixels as turned (for printing and copying); empty
  // while nothing is loaded.
  bool ShownPixels(std::vector<std::uint32_t>* pixels, int* width, int* height);

 private:
  CImageControl() = default;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void StartDecode();
  bool DecodeStep();
  void Paint(HDC dc, const RECT& area);
  void Relayout();
  void Notify(int code);
  void UpdateOwnScrollBars();
  void OnScroll(int bar, int request);
  PageSize ShownSize() const;  // the page as shown, turned, at the shown scale
  PageSize ViewSize() const;
  PageSize ZoomBase() const;   // the size a zoom percentage is of
  void TurnTo(int quarterTurns);
  bool TurnedPixels();  // brings turned_ up to date
  void DrawPage(HDC dc, int x, int y, PageSize shown, bool withAnnotations);
  void DrawAnnotations(HDC dc, int x, int y, PageSize shown, int page, PageSize source, int textHeight);

  HWND window_ = nullptr;
  DWORD style_ = 0;
  std::string path_;
  ImageLoadStatus status_ = kImageEmpty;
  int pageCount_ = 0;
  int page_ = 1;
  int mode_ = kFitPage;
  int zoomPercent_ = 100;
  int rotation_ = 0;
  int background_ = -1;
  int quality_ = kQualityFast;
  bool annotationsShown_ = false;
  bool redraw_ = true;
  AnnotationSet annotations_;
  PageSize source_;   // the current page's own size
  PageSize decoded_;  // the size it is decoded at (unturned)
  int scrollX_ = 0, scrollY_ = 0;
  PagePipeline* decoder_ = nullptr;  // the current page's decoding chain
  ScaledPage scaled_;  // unturned, at the decoded size
  int decodedQuality_ = -1;
  int decodedPage_ = 0;
  int rowsDone_ = 0;
  bool stepPosted_ = false;
  bool inLayout_ = false;
  std::vector<std::uint32_t> turned_;  // scaled_ turned by rotation_
  int turnedFor_ = -1;                 // the rotation turned_ holds, -1 stale
  friend struct ImageControlAccess;
};

bool RegisterImageControl(HINSTANCE instance);
