// Which cell edges a glyph's ink touches, and where: used to check that line-drawing
// glyphs of every face meet their neighbours.
#pragma once

#include <ostream>
#include <set>

#include "bitmap.h"

namespace fontgen {

// Shows a glyph as rows of '#' and '.' in test failure messages.
inline void PrintTo(const Bitmap& g, std::ostream* os) {
    *os << g.width << "x" << g.height << "\n";
    for (int y = 0; y < g.height; ++y) {
        for (int x = 0; x < g.width; ++x) *os << (g.ink(x, y) ? '#' : '.');
        *os << "\n";
    }
}

}  // namespace fontgen

namespace fontgen_test {

inline std::set<int> rows_at_column(const fontgen::Bitmap& g, int x) {
    std::set<int> rows;
    for (int y = 0; y < g.height; ++y)
        if (g.ink(x, y)) rows.insert(y);
    return rows;
}

inline std::set<int> columns_at_row(const fontgen::Bitmap& g, int y) {
    std::set<int> cols;
    for (int x = 0; x < g.width; ++x)
        if (g.ink(x, y)) cols.insert(x);
    return cols;
}

struct Edges {
    bool left, right, top, bottom;
};

inline Edges edges_reached(const fontgen::Bitmap& g) {
    return {!rows_at_column(g, 0).empty(), !rows_at_column(g, g.width - 1).empty(),
            !columns_at_row(g, 0).empty(), !columns_at_row(g, g.height - 1).empty()};
}

}  // namespace fontgen_test
