#include "truetype.h"

#include <algorithm>
#include <map>

#include "byte_io.h"
#include "cp437.h"

namespace fontgen {
namespace {

constexpr int kPixelUnits = 64;

struct Table {
    std::string tag;
    std::vector<uint8_t> data;
};

uint32_t checksum(const std::vector<uint8_t>& d) {
    uint32_t sum = 0;
    for (size_t i = 0; i < d.size(); i += 4) {
        uint32_t word = 0;
        for (size_t j = 0; j < 4; ++j) word = word << 8 | (i + j < d.size() ? d[i + j] : 0);
        sum += word;
    }
    return sum;
}

struct GlyphBox {
    int x_min = 0, y_min = 0, x_max = 0, y_max = 0;
    int points = 0, contours = 0;
};

// One glyph's outline: a clockwise rectangle (y up) per ink rectangle.
std::vector<uint8_t> encode_glyph(const Bitmap& g, int ascent, GlyphBox& box) {
    const std::vector<PixelRect> rects = ink_rectangles(g);
    box = GlyphBox{};
    if (rects.empty()) return {};
    std::vector<std::pair<int, int>> pts;
    for (const auto& r : rects) {
        const int left = r.x0 * kPixelUnits, right = r.x1 * kPixelUnits;
        const int top = (ascent - r.y0) * kPixelUnits, bottom = (ascent - r.y1) * kPixelUnits;
        pts.insert(pts.end(), {{left, bottom}, {left, top}, {right, top}, {right, bottom}});
    }
    box.x_min = box.x_max = pts[0].first;
    box.y_min = box.y_max = pts[0].second;
    for (const auto& [x, y] : pts) {
        box.x_min = std::min(box.x_min, x);
        box.x_max = std::max(box.x_max, x);
        box.y_min = std::min(box.y_min, y);
        box.y_max = std::max(box.y_max, y);
    }
    box.points = static_cast<int>(pts.size());
    box.contours = static_cast<int>(rects.size());

    ByteWriter w;
    w.be16(box.contours);
    w.be16(box.x_min & 0xFFFF);
    w.be16(box.y_min & 0xFFFF);
    w.be16(box.x_max & 0xFFFF);
    w.be16(box.y_max & 0xFFFF);
    for (int c = 0; c < box.contours; ++c) w.be16(c * 4 + 3);
    w.be16(0);  // no instructions
    ByteWriter xs, ys;
    std::vector<uint8_t> flags;
    // A coordinate delta: none (same flag), one byte with a sign flag, or two bytes.
    auto delta = [](int d, uint8_t short_flag, uint8_t same_or_positive, ByteWriter& out) -> uint8_t {
        if (d == 0) return same_or_positive;
        if (d > -256 && d < 256) {
            out.u8(static_cast<uint32_t>(d > 0 ? d : -d));
            return static_cast<uint8_t>(short_flag | (d > 0 ? same_or_positive : 0));
        }
        out.be16(static_cast<uint32_t>(d) & 0xFFFF);
        return 0;
    };
    int px = 0, py = 0;
    for (const auto& [x, y] : pts) {
        const uint8_t on_curve = 0x01;
        flags.push_back(static_cast<uint8_t>(on_curve | delta(x - px, 0x02, 0x10, xs) |
                                             delta(y - py, 0x04, 0x20, ys)));
        px = x;
        py = y;
    }
    w.append(flags);
    w.append(xs.bytes);
    w.append(ys.bytes);
    w.align(4);
    return w.bytes;
}

// A format 4 map from sorted (code point, glyph) pairs, one segment per run of
// consecutive code points with consecutive glyphs.
std::vector<uint8_t> format4(const std::vector<std::pair<uint32_t, uint32_t>>& map) {
    struct Segment {
        uint32_t start, end, delta;
    };
    std::vector<Segment> segs;
    for (const auto& [code, gid] : map) {
        if (!segs.empty() && segs.back().end + 1 == code &&
            ((code + segs.back().delta) & 0xFFFF) == gid) {
            segs.back().end = code;
        } else {
            segs.push_back({code, code, (gid - code) & 0xFFFF});
        }
    }
    segs.push_back({0xFFFF, 0xFFFF, 1});
    const uint32_t n = static_cast<uint32_t>(segs.size());
    uint32_t search = 1, selector = 0;
    while (search * 2 <= n) {
        search *= 2;
        ++selector;
    }
    ByteWriter w;
    w.be16(4);
    w.be16(16 + n * 8);
    w.be16(0);
    w.be16(n * 2);
    w.be16(search * 2);
    w.be16(selector);
    w.be16(n * 2 - search * 2);
    for (const auto& s : segs) w.be16(s.end);
    w.be16(0);
    for (const auto& s : segs) w.be16(s.start);
    for (const auto& s : segs) w.be16(s.delta);
    for (size_t i = 0; i < segs.size(); ++i) w.be16(0);
    return w.bytes;
}

std::vector<uint8_t> cmap_table() {
    std::vector<std::pair<uint32_t, uint32_t>> unicode, symbol;
    for (uint32_t code = 0; code < 256; ++code) {
        const uint32_t u = cp437_to_unicode(static_cast<uint8_t>(code));
        if (u) unicode.emplace_back(u, code + 1);
        symbol.emplace_back(0xF000 + code, code + 1);
    }
    std::sort(unicode.begin(), unicode.end());
    const std::vector<uint8_t> uni = format4(unicode), sym = format4(symbol);
    ByteWriter w;
    w.be16(0);
    w.be16(2);
    w.be16(0);  // Unicode, BMP
    w.be16(3);
    w.be32(4 + 2 * 8);
    w.be16(3);  // Windows, symbol
    w.be16(0);
    w.be32(static_cast<uint32_t>(4 + 2 * 8 + uni.size()));
    w.append(uni);
    w.append(sym);
    return w.bytes;
}

std::vector<uint8_t> name_table(const TrueTypeNames& names) {
    const std::map<int, std::string> strings = {
        {0, names.copyright},
        {1, names.family},
        {2, "Regular"},
        {3, names.family + " Regular " + names.version},
        {4, names.family},
        {5, names.version},
        {6, names.family},
        {13, names.license},
    };
    struct Record {
        int platform, encoding, language, id;
        std::vector<uint8_t> text;
    };
    std::vector<Record> records;
    for (int encoding : {0, 1}) {  // symbol and Unicode encodings of the Windows platform
        for (const auto& [id, s] : strings) {
            std::vector<uint8_t> utf16;
            for (char c : s) {
                utf16.push_back(0);
                utf16.push_back(static_cast<uint8_t>(c));
            }
            records.push_back({3, encoding, 0x409, id, utf16});
        }
    }
    ByteWriter w, text;
    w.be16(0);
    w.be16(static_cast<uint32_t>(records.size()));
    w.be16(static_cast<uint32_t>(6 + records.size() * 12));
    for (const auto& r : records) {
        w.be16(r.platform);
        w.be16(r.encoding);
        w.be16(r.language);
        w.be16(r.id);
        w.be16(static_cast<uint32_t>(r.text.size()));
        w.be16(static_cast<uint32_t>(text.size()));
        text.append(r.text);
    }
    w.append(text.bytes);
    return w.bytes;
}

}  // namespace

int truetype_units_per_em(const CellFace& face) { return face.cell_height * kPixelUnits; }

std::vector<PixelRect> ink_rectangles(const Bitmap& g) {
    std::vector<PixelRect> done, open;
    for (int y = 0; y <= g.height; ++y) {
        std::vector<std::pair<int, int>> runs;
        for (int x = 0; y < g.height && x < g.width;) {
            if (!g.ink(x, y)) {
                ++x;
                continue;
            }
            int end = x;
            while (end < g.width && g.ink(end, y)) ++end;
            runs.emplace_back(x, end);
            x = end;
        }
        std::vector<PixelRect> next;
        for (const auto& r : open) {
            auto same = std::find(runs.begin(), runs.end(), std::make_pair(r.x0, r.x1));
            if (same != runs.end()) {
                next.push_back({r.x0, r.y0, r.x1, y + 1});
                runs.erase(same);
            } else {
                done.push_back(r);
            }
        }
        for (const auto& [x0, x1] : runs) next.push_back({x0, y, x1, y + 1});
        open = std::move(next);
    }
    std::sort(done.begin(), done.end(), [](const PixelRect& a, const PixelRect& b) {
        return a.y0 != b.y0 ? a.y0 < b.y0 : a.x0 < b.x0;
    });
    return done;
}

std::vector<uint8_t> build_truetype(const CellFace& face, const TrueTypeNames& names) {
    const int upem = truetype_units_per_em(face);
    const int advance = face.cell_width * kPixelUnits;
    // The system rounds ascent and descent separately when it scales the face to a cell
    // height. With the split on a pixel boundary both land on .5 at some heights (24 px for
    // a 26:6 split) and the face comes out one pixel taller than asked. One unit moved from
    // ascent to descent (an odd ascent) keeps ascent + descent equal to the requested
    // height at every size, and changes nothing at the face's own size.
    const int ascender = face.ascent * kPixelUnits - 1;
    const int descender = (face.cell_height - face.ascent) * kPixelUnits + 1;
    const uint32_t glyph_count = 257;

    // Glyph 0 (.notdef) is empty; glyph n + 1 is code n.
    std::vector<GlyphBox> boxes(glyph_count);
    ByteWriter glyf, loca, hmtx;
    loca.be32(0);  // .notdef starts and ends at 0
    loca.be32(0);
    hmtx.be16(advance);
    hmtx.be16(0);
    int max_points = 0, max_contours = 0;
    GlyphBox all{0, (face.ascent - face.cell_height) * kPixelUnits, advance, face.ascent * kPixelUnits};
    for (uint32_t gid = 1; gid < glyph_count; ++gid) {
        GlyphBox& box = boxes[gid];
        glyf.append(encode_glyph(face.glyphs[gid - 1], face.ascent, box));
        loca.be32(static_cast<uint32_t>(glyf.size()));
        hmtx.be16(advance);
        hmtx.be16(box.x_min & 0xFFFF);
        max_points = std::max(max_points, box.points);
        max_contours = std::max(max_contours, box.contours);
        if (box.points) {
            all.x_min = std::min(all.x_min, box.x_min);
            all.y_min = std::min(all.y_min, box.y_min);
            all.x_max = std::max(all.x_max, box.x_max);
            all.y_max = std::max(all.y_max, box.y_max);
        }
    }

    ByteWriter head;
    head.be32(0x00010000);
    head.be32(0x00010000);  // font revision 1.0
    head.be32(0);           // checksum adjustment, set last
    head.be32(0x5F0F3CF5);
    head.be16(0x000B);      // baseline at y=0, left sidebearing at x=0, integer scaling
    head.be16(upem);
    head.zeros(16);         // created, modified: fixed so that builds are reproducible
    head.be16(all.x_min & 0xFFFF);
    head.be16(all.y_min & 0xFFFF);
    head.be16(all.x_max & 0xFFFF);
    head.be16(all.y_max & 0xFFFF);
    head.be16(0);           // mac style
    head.be16(6);           // smallest readable size
    head.be16(2);
    head.be16(1);           // long loca offsets
    head.be16(0);

    ByteWriter hhea;
    hhea.be32(0x00010000);
    hhea.be16(ascender);
    hhea.be16(static_cast<uint32_t>(-descender) & 0xFFFF);
    hhea.be16(0);
    hhea.be16(advance);
    hhea.be16(all.x_min & 0xFFFF);                       // min left side bearing
    hhea.be16(static_cast<uint32_t>(advance - all.x_max) & 0xFFFF);  // min right side bearing
    hhea.be16(all.x_max & 0xFFFF);
    hhea.be16(1);
    hhea.be16(0);
    hhea.be16(0);
    hhea.zeros(8);
    hhea.be16(0);
    hhea.be16(glyph_count);

    ByteWriter maxp;
    maxp.be32(0x00010000);
    maxp.be16(glyph_count);
    maxp.be16(max_points);
    maxp.be16(max_contours);
    maxp.be16(0);
    maxp.be16(0);
    maxp.be16(2);          // zones
    maxp.be16(0);          // twilight points
    maxp.be16(0);          // storage
    maxp.be16(0);          // function definitions
    maxp.be16(0);          // instruction definitions
    maxp.be16(2);          // stack depth: the control program pushes one value at a time
    maxp.zeros(6);

    // Control program: switch on dropout control at every size, so that strokes thinner
    // than a pixel at small cell sizes (lines of box glyphs) still draw.
    ByteWriter prep;
    for (uint8_t op : {0xB8, 0x01, 0xFF,    // PUSHW 0x01FF: dropout control at all sizes
                       0x85,                // SCANCTRL
                       0xB0, 0x05,          // PUSHB 5: smart dropout control without stubs
                       0x8D})               // SCANTYPE
        prep.u8(op);

    ByteWriter os2;
    os2.be16(4);
    os2.be16(advance);   // average width: every glyph is one cell
    os2.be16(400);
    os2.be16(5);
    os2.be16(0);         // installable
    os2.be16(upem / 2);  // subscript and superscript boxes
    os2.be16(upem / 2);
    os2.be16(0);
    os2.be16(upem / 8);
    os2.be16(upem / 2);
    os2.be16(upem / 2);
    os2.be16(0);
    os2.be16(upem / 3);
    os2.be16(kPixelUnits * std::max(1, face.cell_height / 16));  // strike-out
    os2.be16(upem / 4);
    os2.be16(0);
    const uint8_t panose[10] = {2, 0, 5, 9, 0, 0, 0, 0, 0, 0};  // text face, book, monospaced
    for (uint8_t p : panose) os2.u8(p);
    // Unicode ranges covered: Basic Latin, Latin-1, Greek, general punctuation, currency,
    // arrows, mathematical operators, miscellaneous technical, box drawing, block elements,
    // geometric shapes, miscellaneous symbols.
    os2.be32((1u << 0) | (1u << 1) | (1u << 7) | (1u << 31));
    os2.be32((1u << (33 - 32)) | (1u << (37 - 32)) | (1u << (38 - 32)) | (1u << (39 - 32)) |
             (1u << (43 - 32)) | (1u << (44 - 32)) | (1u << (45 - 32)) | (1u << (46 - 32)));
    os2.be32(0);
    os2.be32(0);
    os2.text("TAVX");
    os2.be16(0x0040);    // regular
    os2.be16(0xF000);    // first and last character of the symbol map
    os2.be16(0xF0FF);
    os2.be16(ascender);
    os2.be16(static_cast<uint32_t>(-descender) & 0xFFFF);
    os2.be16(0);
    os2.be16(ascender);  // ascent + descent = the em: the cell is exactly one em tall
    os2.be16(descender);
    os2.be32(0x80000000u);  // code pages: symbol character set
    os2.be32(0x80000000u);  // ... and the PC's code page 437
    os2.be16(upem / 2);     // x height
    os2.be16(upem * 2 / 3); // cap height
    os2.be16(0);
    os2.be16(0x20);
    os2.be16(1);

    ByteWriter post;
    post.be32(0x00030000);
    post.be32(0);
    post.be16(static_cast<uint32_t>(-descender + kPixelUnits) & 0xFFFF);
    post.be16(kPixelUnits);
    post.be32(1);  // fixed pitch
    post.zeros(16);

    std::vector<Table> tables = {
        {"OS/2", os2.bytes},  {"cmap", cmap_table()}, {"glyf", glyf.bytes},
        {"head", head.bytes}, {"hhea", hhea.bytes},   {"hmtx", hmtx.bytes},
        {"loca", loca.bytes}, {"maxp", maxp.bytes},   {"name", name_table(names)},
        {"post", post.bytes}, {"prep", prep.bytes},
    };
    const uint32_t n = static_cast<uint32_t>(tables.size());
    uint32_t search = 1, selector = 0;
    while (search * 2 <= n) {
        search *= 2;
        ++selector;
    }
    ByteWriter out;
    out.be32(0x00010000);
    out.be16(n);
    out.be16(search * 16);
    out.be16(selector);
    out.be16(n * 16 - search * 16);
    size_t offset = 12 + 16 * n;
    size_t head_offset = 0;
    for (const auto& t : tables) {
        out.text(t.tag);
        out.be32(checksum(t.data));
        out.be32(static_cast<uint32_t>(offset));
        out.be32(static_cast<uint32_t>(t.data.size()));
        if (t.tag == "head") head_offset = offset;
        offset += (t.data.size() + 3) / 4 * 4;
    }
    for (const auto& t : tables) {
        out.append(t.data);
        out.align(4);
    }
    out.put_be32(head_offset + 8, 0xB1B0AFBAu - checksum(out.bytes));
    return out.bytes;
}

}  // namespace fontgen
