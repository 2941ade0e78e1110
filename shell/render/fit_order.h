// The order in which the scalable font's sizes are tried. The caller supplies
// the test: whether a font of a given character height and cell width fits.
#pragma once

#include <functional>

namespace tavix::render {

// Smallest sizes the search will try.
constexpr int kMinFitHeight = 14;
constexpr int kMinFitWidth = 7;

using AcceptSize = std::function<bool(int height, int width)>;

struct FitCell {
    int height, width;
};

// The cell a client area of availWidth x availHeight gives the 80 x 25 grid,
// rounded up when fitting up.
FitCell CellForArea(int availWidth, int availHeight, bool fitUp);

// Fit down: heights from `height` down to the smallest, width fixed. Returns
// whether a size was accepted (and which one in *found).
bool FitDown(int height, int width, const AcceptSize& accept, FitCell* found);

// Fit up: sizes at least `height` x `width` (raised to the smallest), by
// increasing distance max(dH, dW), then by height, then by width; heights
// above maxHeight and widths above maxWidth are skipped, and the search ends
// once both limits are passed.
bool FitUp(int height, int width, int maxHeight, int maxWidth, const AcceptSize& accept,
           FitCell* found);

}  // namespace tavix::render
