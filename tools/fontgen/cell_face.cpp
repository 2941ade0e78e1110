#include "cell_face.h"

#include <cstdio>

#include "cp437.h"

namespace fontgen {
namespace {

bool rows_repeat_every(const Bitmap& g, int period) {
    for (int y = 0; y + period < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            if (g.ink(x, y) != g.ink(x, y + period)) return false;
    return true;
}

bool columns_repeat_every(const Bitmap& g, int period) {
    for (int x = 0; x + period < g.width; ++x)
        for (int y = 0; y < g.height; ++y)
            if (g.ink(x, y) != g.ink(x + period, y)) return false;
    return true;
}

// Smallest period of a shade pattern along one axis; 1 (repeat the edge) if none is found.
int pattern_period(const Bitmap& g, bool vertical) {
    const int extent = vertical ? g.height : g.width;
    for (int p = 1; p <= extent / 2; ++p)
        if (vertical ? rows_repeat_every(g, p) : columns_repeat_every(g, p)) return p;
    return 1;
}

// Folds a coordinate outside [0, size) back inside by whole periods.
int fold(int v, int size, int period) {
    if (v < 0) return v + (-v + period - 1) / period * period;
    if (v >= size) return v - (v - size + period) / period * period;
    return v;
}

}  // namespace

bool build_cp437_face(const PcfFont& source, const std::string& face_name, CellFace& face,
                      std::string& error) {
    face = CellFace{};
    face.face_name = face_name;
    face.cell_width = source.cell_width;
    face.cell_height = source.ascent + source.descent;
    face.ascent = source.ascent;
    for (int code = 0; code < 256; ++code) {
        const uint32_t u = cp437_to_unicode(static_cast<uint8_t>(code));
        if (u == 0) {
            face.glyphs[code] = Bitmap(face.cell_width, face.cell_height);
            continue;
        }
        auto it = source.glyphs.find(u);
        if (it == source.glyphs.end()) {
            char msg[96];
            std::snprintf(msg, sizeof msg, "source font has no glyph for U+%04X (code %d)",
                          static_cast<unsigned>(u), code);
            error = msg;
            return false;
        }
        face.glyphs[code] = it->second;
    }
    return true;
}

CellFace pad_face(const CellFace& face, int left, int right, int top, int bottom) {
    CellFace out;
    out.face_name = face.face_name;
    out.cell_width = face.cell_width + left + right;
    out.cell_height = face.cell_height + top + bottom;
    out.ascent = face.ascent + top;
    for (int code = 0; code < 256; ++code) {
        const Bitmap& g = face.glyphs[code];
        Bitmap n(out.cell_width, out.cell_height);
        const EdgeKind kind = cp437_edge_kind(static_cast<uint8_t>(code));
        const int px = kind == EdgeKind::Shade ? pattern_period(g, false) : 1;
        const int py = kind == EdgeKind::Shade ? pattern_period(g, true) : 1;
        for (int y = 0; y < n.height; ++y) {
            for (int x = 0; x < n.width; ++x) {
                int sx = x - left, sy = y - top;
                const bool inside = sx >= 0 && sy >= 0 && sx < g.width && sy < g.height;
                if (!inside && kind == EdgeKind::Free) continue;
                sx = fold(sx, g.width, px);
                sy = fold(sy, g.height, py);
                n.set(x, y, g.ink(sx, sy));
            }
        }
        out.glyphs[code] = std::move(n);
    }
    return out;
}

CellFace double_face(const CellFace& face) {
    CellFace out;
    out.face_name = face.face_name;
    out.cell_width = face.cell_width * 2;
    out.cell_height = face.cell_height * 2;
    out.ascent = face.ascent * 2;
    for (int code = 0; code < 256; ++code) {
        const Bitmap& g = face.glyphs[code];
        Bitmap n(out.cell_width, out.cell_height);
        for (int y = 0; y < n.height; ++y)
            for (int x = 0; x < n.width; ++x) n.set(x, y, g.ink(x / 2, y / 2));
        out.glyphs[code] = std::move(n);
    }
    return out;
}

}  // namespace fontgen
