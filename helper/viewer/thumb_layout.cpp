#include "thumb_layout.h"

namespace viewer {

ThumbLayout LayoutThumb(int left, int top, int width, int height, int lineHeight) {
  ThumbLayout l;
  l.cell = {left, top, left + width, top + height + 2 * lineHeight + 4};
  l.image = {left + 2, top + 2, left + width - 2, top + height - 2};
  l.pages = {left + 3, top + 3, left + width - 3, top + 3 + lineHeight};
  l.description = {left, top + height + 2, left + width, top + height + 2 + 2 * lineHeight};
  return l;
}

int ThumbsPerRow(int clientWidth, int cellWidth, int gap) {
  if (cellWidth + gap <= 0) return 1;
  const int n = (clientWidth - gap) / (cellWidth + gap);
  return n < 1 ? 1 : n;
}

}  // namespace viewer
