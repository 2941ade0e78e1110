#include "shell/render/fit_order.h"

#include <algorithm>

#include "screen_model.h"

namespace tavix::render {

FitCell CellForArea(int availWidth, int availHeight, bool fitUp) {
    if (fitUp)
        return FitCell{(availHeight + kScreenRows - 1) / kScreenRows,
                       (availWidth + kScreenCols - 1) / kScreenCols};
    return FitCell{availHeight / kScreenRows, availWidth / kScreenCols};
}

bool FitDown(int height, int width, const AcceptSize& accept, FitCell* found) {
    for (int h = height; h >= kMinFitHeight; --h) {
        if (accept(h, width)) {
            *found = FitCell{h, width};
            return true;
        }
    }
    return false;
}

bool FitUp(int height, int width, int maxHeight, int maxWidth, const AcceptSize& accept,
           FitCell* found) {
    const int h0 = std::max(height, kMinFitHeight);
    const int w0 = std::max(width, kMinFitWidth);
    auto usable = [&](int h, int w) { return h <= maxHeight && w <= maxWidth; };
    for (int d = 0; h0 + d <= maxHeight || w0 + d <= maxWidth; ++d) {
        // Ring d: sizes whose larger step from (h0, w0) is d, by height then width.
        for (int h = h0; h <= h0 + d; ++h) {
            if (h < h0 + d) {
                // Below the top row of the ring only the widest size is at distance d.
                const int w = w0 + d;
                if (usable(h, w) && accept(h, w)) {
                    *found = FitCell{h, w};
                    return true;
                }
                continue;
            }
            for (int w = w0; w <= w0 + d; ++w) {
                if (usable(h, w) && accept(h, w)) {
                    *found = FitCell{h, w};
                    return true;
                }
            }
        }
    }
    return false;
}

}  // namespace tavix::render
