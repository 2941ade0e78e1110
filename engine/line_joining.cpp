// Line joining: after the host has drawn a horizontal or vertical line of box
// glyphs, the junctions along it are repaired so that crossing lines connect.
#include <algorithm>

#include "completions.h"
#include "param_collector.h"
#include "render_notify.h"
#include "screen_model.h"
#include "cell_primitives.h"

namespace {

// Weights 0 none, 1 single, 2 double; arms 0 or 1.
struct BoxRecord {
  uint8_t h, v, left, right, up, down;
  bool operator==(const BoxRecord& o) const {
    return h == o.h && v == o.v && left == o.left && right == o.right && up == o.up && down == o.down;
  }
};

constexpr int kFirstBox = 179;
constexpr int kLastBox = 218;

const BoxRecord kBoxRecords[kLastBox - kFirstBox + 1] = {
    {0, 1, 0, 0, 1, 1},  // 179
    {1, 1, 1, 0, 1, 1},  // 180
    {2, 1, 1, 0, 1, 1},  // 181
    {1, 2, 1, 0, 1, 1},  // 182
    {1, 2, 1, 0, 0, 1},  // 183
    {2, 1, 1, 0, 0, 1},  // 184
    {2, 2, 1, 0, 1, 1},  // 185
    {0, 2, 0, 0, 1, 1},  // 186
    {2, 2, 1, 0, 0, 1},  // 187
    {2, 2, 1, 0, 1, 0},  // 188
    {1, 2, 1, 0, 1, 0},  // 189
    {2, 1, 1, 0, 1, 0},  // 190
    {1, 1, 1, 0, 0, 1},  // 191
    {1, 1, 0, 1, 1, 0},  // 192
    {1, 1, 1, 1, 1, 0},  // 193
    {1, 1, 1, 1, 0, 1},  // 194
    {1, 1, 0, 1, 1, 1},  // 195
    {1, 0, 1, 1, 0, 0},  // 196
    {1, 1, 1, 1, 1, 1},  // 197
    {2, 1, 0, 1, 1, 1},  // 198
    {1, 2, 0, 1, 1, 1},  // 199
    {2, 2, 0, 1, 1, 0},  // 200
    {2, 2, 0, 1, 0, 1},  // 201
    {2, 2, 1, 1, 1, 0},  // 202
    {2, 2, 1, 1, 0, 1},  // 203
    {2, 2, 0, 1, 1, 1},  // 204
    {2, 0, 1, 1, 0, 0},  // 205
    {2, 2, 1, 1, 1, 1},  // 206
    {2, 1, 1, 1, 1, 0},  // 207
    {1, 2, 1, 1, 1, 0},  // 208
    {2, 1, 1, 1, 0, 1},  // 209
    {1, 2, 1, 1, 0, 1},  // 210
    {1, 2, 0, 1, 1, 0},  // 211
    {2, 1, 0, 1, 1, 0},  // 212
    {2, 1, 0, 1, 0, 1},  // 213
    {1, 2, 0, 1, 0, 1},  // 214
    {1, 2, 1, 1, 1, 1},  // 215
    {2, 1, 1, 1, 1, 1},  // 216
    {1, 1, 1, 0, 1, 0},  // 217
    {1, 1, 0, 1, 0, 1},  // 218
};

BoxRecord RecordOf(uint8_t glyph) {
  if (glyph < kFirstBox || glyph > kLastBox) return BoxRecord{};
  return kBoxRecords[glyph - kFirstBox];
}

// The first glyph with this record, or -1.
int GlyphOf(const BoxRecord& r) {
  for (int i = 0; i <= kLastBox - kFirstBox; ++i)
    if (kBoxRecords[i] == r) return kFirstBox + i;
  return -1;
}

// A record seen along the run: `along` is the weight in the run's direction,
// `back`/`ahead` the arms along it, `side1`/`side2` the arms across it.
struct RunView {
  uint8_t along, across, back, ahead, side1, side2;
};

RunView ToRun(const BoxRecord& r, bool vertical) {
  if (vertical) return RunView{r.v, r.h, r.up, r.down, r.left, r.right};
  return RunView{r.h, r.v, r.left, r.right, r.up, r.down};
}

BoxRecord FromRun(const RunView& g, bool vertical) {
  if (vertical) return BoxRecord{g.across, g.along, g.side1, g.side2, g.back, g.ahead};
  return BoxRecord{g.along, g.across, g.back, g.ahead, g.side1, g.side2};
}

struct Frame {
  int col, row, width, height;
  bool Contains(int x, int y) const {
    return x >= col && x < col + width && y >= row && y < row + height && InGrid(x, y);
  }
};

uint8_t GlyphInFrame(const Frame& f, int x, int y) {
  return f.Contains(x, y) ? CellAt(x, y)->glyph : ' ';
}

// One cell of the run. `prev` is the glyph before it along the run (already
// repaired), `next` the one after, `s1`/`s2` the neighbours across.
int RepairCell(uint8_t glyph, uint8_t prev, uint8_t next, uint8_t s1, uint8_t s2, bool vertical) {
  RunView g = ToRun(RecordOf(glyph), vertical);
  if (g.along == 0) return glyph;
  RunView a = ToRun(RecordOf(s1), vertical);
  RunView b = ToRun(RecordOf(s2), vertical);
  if (a.across == 0 && b.across == 0) {
    g.across = g.side1 = g.side2 = 0;
  } else {
    g.side1 = 0;
    if (a.side2 && (g.across == 0 || g.across == a.across)) {
      if (g.across == 0) g.across = a.across;
      g.side1 = 1;
    }
    g.side2 = 0;
    if (b.side1 && (g.across == 0 || g.across == b.across)) {
      if (g.across == 0) g.across = b.across;
      g.side2 = 1;
    }
    if (!g.side1 && !g.side2) g.across = 0;
  }
  if ((g.side1 || g.side2) && g.across) {
    RunView p = ToRun(RecordOf(prev), vertical);
    RunView n = ToRun(RecordOf(next), vertical);
    g.back = p.ahead && p.along == g.along;
    g.ahead = n.back && n.along == g.along;
    if (!g.back && !g.ahead) g.along = 0;
  }
  int result = GlyphOf(FromRun(g, vertical));
  return result < 0 ? glyph : result;
}

}  // namespace

void JoinLines() {
  const WindowState& w = Screen.win;
  const uint8_t* p = ParamBytes();
  int x1 = w.winLeft + (p[0] - 32), y1 = w.winTop + (p[1] - 32);
  int x2 = w.winLeft + (p[2] - 32), y2 = w.winTop + (p[3] - 32);
  Frame f{w.frameCol, w.frameRow, w.frameWidth, w.frameHeight};
  if (!f.Contains(x1, y1) || !f.Contains(x2, y2)) return;
  if (x1 != x2 && y1 != y2) return;
  bool vertical = x1 == x2 && y1 != y2;
  int start, end;
  if (vertical) {
    start = std::min(y1, y2);
    end = std::max(y1, y2);
  } else {
    start = std::min(x1, x2);
    end = std::max(x1, x2);
  }
  // Position of step i along the run, and of its neighbours across it.
  auto at = [&](int i, int across) {
    return vertical ? std::pair<int, int>{x1 + across, i} : std::pair<int, int>{i, y1 + across};
  };
  auto glyphAt = [&](int i, int across) {
    auto pos = at(i, across);
    return GlyphInFrame(f, pos.first, pos.second);
  };
  uint8_t prev = glyphAt(start - 1, 0);
  for (int i = start; i <= end; ++i) {
    auto pos = at(i, 0);
    Cell* cell = CellAt(pos.first, pos.second);
    int repaired = RepairCell(cell->glyph, prev, glyphAt(i + 1, 0), glyphAt(i, -1), glyphAt(i, 1), vertical);
    cell->glyph = static_cast<uint8_t>(repaired);
    prev = cell->glyph;
  }
  if (vertical) {
    InvalidateCells(x1, start, 1, end - start + 1);
  } else {
    InvalidateCells(start, y1, end - start + 1, 1);
  }
}
