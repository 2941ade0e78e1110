#include "list_placement.h"

#include <algorithm>

namespace viewer {

ListPlace PlaceList(const ScreenArea& work, const ViewerSettings& s) {
  ListPlace p;
  p.width = s.listWidth > 0 ? s.listWidth : kListDefaultWidth;
  p.height = s.listHeight > 0 ? s.listHeight : kListDefaultHeight;
  const int workW = work.right - work.left, workH = work.bottom - work.top;
  if (workW <= 0 || workH <= 0) {
    p.x = s.listX == kNoPosition ? 0 : s.listX;
    p.y = s.listY == kNoPosition ? 0 : s.listY;
    return p;
  }
  p.width = std::min(p.width, workW);
  p.height = std::min(p.height, workH);
  p.x = s.listX == kNoPosition ? work.right - p.width : std::clamp(s.listX, work.left, work.right - p.width);
  p.y = s.listY == kNoPosition ? work.top + (workH - p.height) / 4
                               : std::clamp(s.listY, work.top, work.bottom - p.height);
  return p;
}

}  // namespace viewer
