// Fitting, zooming and scrolling a page, per quarter turn.
#include "image_geometry.h"

#include <algorithm>
#include <cstdint>

namespace {

int AtLeastOne(std::int64_t v) { return v < 1 ? 1 : (v > 0x7fffffff ? 0x7fffffff : static_cast<int>(v)); }

bool Empty(PageSize s) { return s.width <= 0 || s.height <= 0; }

// width * num / den, rounded to nearest, in 64 bits.
int Scale(int value, std::int64_t num, std::int64_t den) {
  if (den <= 0) return 1;
  return AtLeastOne((static_cast<std::int64_t>(value) * num + den / 2) / den);
}

}  // namespace

int NormalTurns(int quarterTurns) { return ((quarterTurns % 4) + 4) % 4; }

PageSize Turned(PageSize size, int quarterTurns) {
  if (NormalTurns(quarterTurns) % 2 == 1) std::swap(size.width, size.height);
  return size;
}

PageSize FitToWidth(PageSize page, PageSize area) {
  if (Empty(page)) return PageSize{};
  const int width = area.width < 1 ? 1 : area.width;
  return PageSize{width, Scale(page.height, width, page.width)};
}

PageSize FitToPage(PageSize page, PageSize area) {
  if (Empty(page)) return PageSize{};
  const int width = area.width < 1 ? 1 : area.width;
  const int height = area.height < 1 ? 1 : area.height;
  // Compare page.w / page.h with width / height without rounding.
  if (static_cast<std::int64_t>(page.width) * height >= static_cast<std::int64_t>(width) * page.height)
    return PageSize{width, Scale(page.height, width, page.width)};
  return PageSize{Scale(page.width, height, page.height), height};
}

PageSize ZoomOf(PageSize fitted, int percent) {
  if (Empty(fitted)) return PageSize{};
  if (percent < 1) percent = 1;
  return PageSize{Scale(fitted.width, percent, 100), Scale(fitted.height, percent, 100)};
}

int ClampScroll(int position, int extent, int visible) {
  const int most = extent > visible ? extent - visible : 0;
  return position < 0 ? 0 : (position > most ? most : position);
}

// A clockwise quarter turn takes the page's left edge to the top: the shown
// x runs along the page's y reversed, the shown y along the page's x.
Offset ShownFromPage(Offset p, PageSize page, PageSize view, int quarterTurns) {
  const PageSize shown = Turned(page, quarterTurns);
  Offset s;
  switch (NormalTurns(quarterTurns)) {
    case 0: s = p; break;
    case 1: s = Offset{page.height - view.width - p.y, p.x}; break;
    case 2: s = Offset{page.width - view.width - p.x, page.height - view.height - p.y}; break;
    default: s = Offset{p.y, page.width - view.height - p.x}; break;
  }
  s.x = ClampScroll(s.x, shown.width, view.width);
  s.y = ClampScroll(s.y, shown.height, view.height);
  return s;
}

Offset PageFromShown(Offset s, PageSize page, PageSize view, int quarterTurns) {
  Offset p;
  switch (NormalTurns(quarterTurns)) {
    case 0: p = s; break;
    case 1: p = Offset{s.y, page.height - view.width - s.x}; break;
    case 2: p = Offset{page.width - view.width - s.x, page.height - view.height - s.y}; break;
    default: p = Offset{page.width - view.height - s.y, s.x}; break;
  }
  // The visible part measured along the page's own axes.
  const PageSize visible = Turned(view, quarterTurns);
  p.x = ClampScroll(p.x, page.width, visible.width);
  p.y = ClampScroll(p.y, page.height, visible.height);
  return p;
}

namespace {

ScrollBarState Bar(int extent, int visible, int position) {
  ScrollBarState b;
  b.min = 0;
  b.max = extent > 0 ? extent - 1 : 0;
  b.page = visible > 0 ? visible : 0;
  b.position = ClampScroll(position, extent, visible);
  b.shown = b.page < extent;
  return b;
}

}  // namespace

ScrollBars ScrollBarsFor(const PageGeometry& g) {
  const PageSize page{g.imageWidth, g.imageHeight};
  const PageSize view{g.viewWidth, g.viewHeight};
  const PageSize shown = Turned(page, g.rotation);
  const Offset s = ShownFromPage(Offset{g.x, g.y}, page, view, g.rotation);
  ScrollBars bars;
  bars.horizontal = Bar(shown.width, view.width, s.x);
  bars.vertical = Bar(shown.height, view.height, s.y);
  return bars;
}

Offset PagePositionFromBars(const PageGeometry& g, int horizontalPosition, int verticalPosition) {
  return PageFromShown(Offset{horizontalPosition, verticalPosition}, PageSize{g.imageWidth, g.imageHeight},
                       PageSize{g.viewWidth, g.viewHeight}, g.rotation);
}

int ZoomPercentForSlider(int position) {
  position = std::clamp(position, 0, kZoomSliderMax);
  return 100 + 4 * position;
}

int SliderForZoomPercent(int percent) {
  const int p = (percent - 100 + 2) / 4;
  return std::clamp(percent < 100 ? 0 : p, 0, kZoomSliderMax);
}

PageSize DecodeSizeFor(PageSize shown, PageSize page, std::int64_t maxPixels) {
  if (Empty(shown) || Empty(page)) return PageSize{};
  PageSize s = shown;
  if (s.width > page.width || s.height > page.height) s = page;
  const std::int64_t pixels = static_cast<std::int64_t>(s.width) * s.height;
  if (maxPixels > 0 && pixels > maxPixels) {
    // Scale both sides by sqrt(max / pixels), rounding down.
    double factor = 1.0;
    double lo = 0.0, hi = 1.0;
    for (int i = 0; i < 50; ++i) {
      factor = (lo + hi) / 2;
      const std::int64_t w = static_cast<std::int64_t>(s.width * factor), h = static_cast<std::int64_t>(s.height * factor);
      if (w * h > maxPixels)
        hi = factor;
      else
        lo = factor;
    }
    s = PageSize{AtLeastOne(static_cast<std::int64_t>(s.width * lo)), AtLeastOne(static_cast<std::int64_t>(s.height * lo))};
  }
  return s;
}
