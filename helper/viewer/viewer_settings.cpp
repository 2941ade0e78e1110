#include "viewer_settings.h"

namespace viewer {

int ClampThumbWidth(int width) { return width < kThumbMinWidth || width > kThumbMaxWidth ? kThumbMaxWidth : width; }
int ClampThumbHeight(int height) {
  return height < kThumbMinHeight || height > kThumbMaxHeight ? kThumbMaxHeight : height;
}
int ClampDisplayType(int type) { return type < 0 || type > 2 ? 0 : type; }

ViewerSettings ReadViewerSettings(HelperToMoxel& c) {
  ViewerSettings s;
  int w = -1, h = -1;
  c.GetThumbSize(&w, &h);
  s.thumbWidth = ClampThumbWidth(w);
  s.thumbHeight = ClampThumbHeight(h);
  c.GetListSize(&s.listWidth, &s.listHeight);
  c.GetListPosition(&s.listX, &s.listY);
  s.topmost = c.GetTopmost() != 0;
  s.thumbDisplay = ClampDisplayType(c.GetThumbDisplay());
  s.mainDisplay = ClampDisplayType(c.GetMainDisplay());
  s.thumbAnnotations = c.GetThumbAnnotations() != 0;
  s.mainAnnotations = c.GetMainAnnotations() != 0;
  s.useDefaultViewer = c.GetUseDefaultViewer() != 0;
  s.autoLaunch = c.GetAutoLaunch() != 0;
  s.mainFitMode = c.GetMainFitMode() != 0 ? 1 : 0;
  s.mainBackground = c.GetMainBackground();
  c.SetMainBackground(s.mainBackground);
  s.thumbAspect = c.GetThumbAspect() != 0;
  s.thumbView = c.GetThumbView() != 0;
  s.imageColWidth = c.GetImageColWidth();
  s.typeColWidth = c.GetTypeColWidth();
  s.sizeColWidth = c.GetSizeColWidth();
  s.typeColEnabled = c.GetTypeColEnabled() != 0;
  s.sizeColEnabled = c.GetSizeColEnabled() != 0;
  return s;
}

namespace {
int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }
}  // namespace

int ThumbWidthForPosition(int p) { return kThumbMinWidth + Clamp(p, 0, 100) * 60 / 100; }
int ThumbHeightForPosition(int p) { return kThumbMinHeight + Clamp(p, 0, 100) * 78 / 100; }

// The smallest position whose size reaches the wanted one.
int PositionForThumbWidth(int width) {
  for (int p = 0; p <= 100; ++p)
    if (ThumbWidthForPosition(p) >= width) return p;
  return 100;
}
int PositionForThumbHeight(int height) {
  for (int p = 0; p <= 100; ++p)
    if (ThumbHeightForPosition(p) >= height) return p;
  return 100;
}

int AspectHeight(int width) { return (width * 22 + 8) / 17; }

ViewerSettings RestoredDefaults(const ViewerSettings& current) {
  ViewerSettings s = current;
  s.autoLaunch = true;
  s.topmost = false;
  s.useDefaultViewer = false;
  s.thumbDisplay = 0;
  s.thumbWidth = kThumbMaxWidth;
  s.thumbHeight = kThumbMaxHeight;
  s.mainDisplay = 0;
  s.mainAnnotations = false;
  s.mainFitMode = 1;
  s.mainBackground = -1;
  return s;
}

int WriteChangedSettings(HelperToMoxel& c, const ViewerSettings& b, const ViewerSettings& n) {
  int calls = 0;
  auto flag = [&](bool before, bool now, void (HelperToMoxel::*set)(int)) {
    if (before != now) (c.*set)(now ? 1 : 0), ++calls;
  };
  auto value = [&](int before, int now, void (HelperToMoxel::*set)(int)) {
    if (before != now) (c.*set)(now), ++calls;
  };
  flag(b.autoLaunch, n.autoLaunch, &HelperToMoxel::SetAutoLaunch);
  if (b.topmost != n.topmost) c.SetTopmost(n.topmost ? 1 : 0), ++calls;
  flag(b.useDefaultViewer, n.useDefaultViewer, &HelperToMoxel::SetUseDefaultViewer);
  flag(b.thumbView, n.thumbView, &HelperToMoxel::SetThumbView);
  value(b.thumbDisplay, n.thumbDisplay, &HelperToMoxel::SetThumbDisplay);
  flag(b.thumbAnnotations, n.thumbAnnotations, &HelperToMoxel::SetThumbAnnotations);
  flag(b.thumbAspect, n.thumbAspect, &HelperToMoxel::SetThumbAspect);
  if (b.thumbWidth != n.thumbWidth || b.thumbHeight != n.thumbHeight) c.SetThumbSize(n.thumbWidth, n.thumbHeight), ++calls;
  flag(b.typeColEnabled, n.typeColEnabled, &HelperToMoxel::SetTypeColEnabled);
  flag(b.sizeColEnabled, n.sizeColEnabled, &HelperToMoxel::SetSizeColEnabled);
  value(b.mainDisplay, n.mainDisplay, &HelperToMoxel::SetMainDisplay);
  flag(b.mainAnnotations, n.mainAnnotations, &HelperToMoxel::SetMainAnnotations);
  value(b.mainFitMode, n.mainFitMode, &HelperToMoxel::SetMainFitMode);
  value(b.mainBackground, n.mainBackground, &HelperToMoxel::SetMainBackground);
  return calls;
}

}  // namespace viewer
