#include "image_rotate.h"

#include <cstddef>

#include "image_geometry.h"

void TurnPixels(const std::uint32_t* src, int width, int height, int quarterTurns, std::uint32_t* dst) {
  const int turns = NormalTurns(quarterTurns);
  const std::size_t w = static_cast<std::size_t>(width), h = static_cast<std::size_t>(height);
  for (std::size_t y = 0; y < h; ++y) {
    const std::uint32_t* row = src + y * w;
    for (std::size_t x = 0; x < w; ++x) {
      switch (turns) {
        case 0: dst[y * w + x] = row[x]; break;
        case 1: dst[x * h + (h - 1 - y)] = row[x]; break;          // shown width is h
        case 2: dst[(h - 1 - y) * w + (w - 1 - x)] = row[x]; break;
        default: dst[(w - 1 - x) * h + y] = row[x]; break;
      }
    }
  }
}
