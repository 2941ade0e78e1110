// The image control's geometry, without the window system: fitting a page
// into an area, zooming, the scroll extents and positions per quarter turn,
// the scroll bars an owner shows for them, and the zoom slider's map.
#pragma once

#include <cstdint>

struct PageSize {
  int width = 0;
  int height = 0;
};

// The size a page of `page` is shown at inside `area`, proportions kept,
// at least 1 x 1 for a non-empty page. Fit width: the width fills the area;
// fit page: the whole page fits.
PageSize FitToWidth(PageSize page, PageSize area);
PageSize FitToPage(PageSize page, PageSize area);
// `percent` of a fitted size (100 = as fitted), at least 1 x 1.
PageSize ZoomOf(PageSize fitted, int percent);
// A page's size after `quarterTurns` clockwise turns (odd turns swap).
PageSize Turned(PageSize size, int quarterTurns);
int NormalTurns(int quarterTurns);  // into 0 .. 3

// What an owner needs to scroll the shown page: the shown (turned) image
// extent, the visible extent, and the position of the visible part, all in
// the shown frame. The position is kept in 0 .. extent - visible.
struct ViewGeometry {
  int rotation = 0;  // quarter turns clockwise
  int imageWidth = 0, imageHeight = 0;
  int viewWidth = 0, viewHeight = 0;
  int x = 0, y = 0;
};
int ClampScroll(int position, int extent, int visible);

// The control keeps its scroll position in the page's own (unturned) frame,
// so a turn keeps the same part of the page in view. These map a visible
// rectangle's origin between the two frames.
struct Offset {
  int x = 0;
  int y = 0;
};
// Unturned page frame -> shown frame. `page` is the unturned size at the
// shown scale, `view` the visible size in the shown frame.
Offset ShownFromPage(Offset pagePosition, PageSize page, PageSize view, int quarterTurns);
Offset PageFromShown(Offset shownPosition, PageSize page, PageSize view, int quarterTurns);

// One scroll bar: range min .. max, page, position; hidden when its page
// covers its range.
struct ScrollBarState {
  int min = 0;
  int max = 0;
  int page = 0;
  int position = 0;
  bool shown = false;
};
struct ScrollBars {
  ScrollBarState horizontal;
  ScrollBarState vertical;
};
// The bars for a geometry given in the page's unturned frame (what the
// open-file dialog reads from the control): extents swapped for a quarter
// or three-quarter turn, positions mirrored where the turn reverses an axis.
struct PageGeometry {
  int rotation = 0;
  int imageWidth = 0, imageHeight = 0;  // unturned, at the shown scale
  int viewWidth = 0, viewHeight = 0;    // the visible area (shown frame)
  int x = 0, y = 0;                     // visible origin, unturned frame
};
ScrollBars ScrollBarsFor(const PageGeometry& g);
// A bar's new position back to the unturned frame's origin.
Offset PagePositionFromBars(const PageGeometry& g, int horizontalPosition, int verticalPosition);

// The image window's zoom slider: positions 0 .. 99, a tick every 10;
// position p shows (100 + 4p) % of the fitted size.
constexpr int kZoomSliderMax = 99;
constexpr int kZoomSliderTick = 10;
int ZoomPercentForSlider(int position);  // position clamped to 0 .. 99
int SliderForZoomPercent(int percent);   // the nearest position, clamped

// The size a page is decoded at for a shown size: never above the page's
// own size, and never above `maxPixels` pixels (proportions kept); larger
// shown sizes are stretched from it.
PageSize DecodeSizeFor(PageSize shown, PageSize page, std::int64_t maxPixels);
