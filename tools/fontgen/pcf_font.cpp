#include "pcf_font.h"

#include <fstream>
#include <iterator>

namespace fontgen {
namespace {

// Table types and format bits of the PCF container.
constexpr uint32_t kAccelerators = 1u << 1;
constexpr uint32_t kMetrics = 1u << 2;
constexpr uint32_t kBitmaps = 1u << 3;
constexpr uint32_t kEncodings = 1u << 5;
constexpr uint32_t kBdfAccelerators = 1u << 8;
constexpr uint32_t kCompressedMetrics = 0x100;
constexpr uint32_t kByteOrderMsb = 1u << 2;
constexpr uint32_t kBitOrderMsb = 1u << 3;

struct TableEntry {
    uint32_t type, format, size, offset;
};

struct Metric {
    int lsb = 0, rsb = 0, width = 0, ascent = 0, descent = 0;
};

// Bounds-checked reader over one table; the byte order comes from the table's format word.
class Cursor {
public:
    Cursor(const std::vector<uint8_t>& d, size_t pos, size_t end) : d_(d), pos_(pos), end_(end) {}
    bool ok() const { return ok_; }
    size_t pos() const { return pos_; }
    void set_msb(bool msb) { msb_ = msb; }
    uint32_t u8() { return need(1) ? d_[pos_++] : 0; }
    uint32_t u16() {
        if (!need(2)) return 0;
        uint32_t a = d_[pos_], b = d_[pos_ + 1];
        pos_ += 2;
        return msb_ ? (a << 8 | b) : (b << 8 | a);
    }
    int s16() { return static_cast<int16_t>(static_cast<uint16_t>(u16())); }
    uint32_t u32() {
        if (!need(4)) return 0;
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            uint32_t byte = d_[pos_ + i];
            v |= msb_ ? byte << (8 * (3 - i)) : byte << (8 * i);
        }
        pos_ += 4;
        return v;
    }
    // The format word at the head of every table is always little-endian.
    uint32_t format() {
        bool keep = msb_;
        msb_ = false;
        uint32_t f = u32();
        msb_ = keep;
        return f;
    }

private:
    bool need(size_t n) {
        if (!ok_ || end_ - pos_ < n || pos_ > end_) {
            ok_ = false;
            return false;
        }
        return true;
    }
    const std::vector<uint8_t>& d_;
    size_t pos_, end_;
    bool msb_ = false;
    bool ok_ = true;
};

bool find_table(const std::vector<TableEntry>& toc, uint32_t type, TableEntry& out) {
    for (const auto& t : toc) {
        if (t.type == type) {
            out = t;
            return true;
        }
    }
    return false;
}

Cursor open_table(const std::vector<uint8_t>& data, const TableEntry& t, uint32_t& format) {
    Cursor c(data, t.offset, static_cast<size_t>(t.offset) + t.size);
    format = c.format();
    c.set_msb((format & kByteOrderMsb) != 0);
    return c;
}

bool read_metrics(const std::vector<uint8_t>& data, const TableEntry& t, std::vector<Metric>& out) {
    uint32_t format = 0;
    Cursor c = open_table(data, t, format);
    if (format & kCompressedMetrics) {
        uint32_t count = c.u16();
        out.resize(count);
        for (auto& m : out) {
            m.lsb = static_cast<int>(c.u8()) - 0x80;
            m.rsb = static_cast<int>(c.u8()) - 0x80;
            m.width = static_cast<int>(c.u8()) - 0x80;
            m.ascent = static_cast<int>(c.u8()) - 0x80;
            m.descent = static_cast<int>(c.u8()) - 0x80;
        }
    } else {
        uint32_t count = c.u32();
        if (count > data.size() / 12) return false;
        out.resize(count);
        for (auto& m : out) {
            m.lsb = c.s16();
            m.rsb = c.s16();
            m.width = c.s16();
            m.ascent = c.s16();
            m.descent = c.s16();
            c.u16();  // attributes
        }
    }
    return c.ok();
}

bool read_accelerators(const std::vector<uint8_t>& data, const TableEntry& t, PcfFont& font) {
    uint32_t format = 0;
    Cursor c = open_table(data, t, format);
    for (int i = 0; i < 8; ++i) c.u8();  // flags and padding
    font.ascent = static_cast<int32_t>(c.u32());
    font.descent = static_cast<int32_t>(c.u32());
    c.u32();  // max overlap
    for (int i = 0; i < 6; ++i) c.s16();  // min bounds
    c.s16();
    c.s16();
    font.cell_width = c.s16();  // max bounds: character width
    return c.ok();
}

bool read_encodings(const std::vector<uint8_t>& data, const TableEntry& t,
                    std::map<uint32_t, uint32_t>& code_to_glyph) {
    uint32_t format = 0;
    Cursor c = open_table(data, t, format);
    uint32_t min2 = c.u16(), max2 = c.u16(), min1 = c.u16(), max1 = c.u16();
    c.u16();  // default char
    if (!c.ok() || max2 < min2 || max1 < min1) return false;
    for (uint32_t b1 = min1; b1 <= max1; ++b1) {
        for (uint32_t b2 = min2; b2 <= max2; ++b2) {
            uint32_t index = c.u16();
            if (index != 0xFFFF) code_to_glyph[b1 << 8 | b2] = index;
        }
    }
    return c.ok();
}

// Brings one glyph's packed rows into a cell image. Rows are padded to `pad` bytes;
// multi-byte scan units may be stored with bytes swapped, and bits may run LSB first.
bool unpack_glyph(const std::vector<uint8_t>& data, size_t start, size_t end, uint32_t format,
                  const Metric& m, const PcfFont& font, Bitmap& cell) {
    const int width = m.rsb - m.lsb;
    const int height = m.ascent + m.descent;
    cell = Bitmap(font.cell_width, font.ascent + font.descent);
    if (width <= 0 || height <= 0) return true;  // blank glyph
    const size_t pad = size_t{1} << (format & 3);
    const size_t unit = size_t{1} << ((format >> 4) & 3);
    const size_t row_bytes = ((static_cast<size_t>(width) + 7) / 8 + pad - 1) / pad * pad;
    const bool msb_bytes = (format & kByteOrderMsb) != 0;
    const bool msb_bits = (format & kBitOrderMsb) != 0;
    if (start + row_bytes * height > end) return false;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            size_t byte_index = static_cast<size_t>(x) / 8;
            if (msb_bytes != msb_bits && unit > 1) {
                size_t base = byte_index / unit * unit;
                byte_index = base + (unit - 1 - (byte_index - base));
            }
            if (byte_index >= row_bytes) return false;
            uint8_t byte = data[start + row_bytes * y + byte_index];
            int bit = msb_bits ? 7 - (x % 8) : x % 8;
            if (!((byte >> bit) & 1)) continue;
            int cx = m.lsb + x;
            int cy = font.ascent - m.ascent + y;
            if (cx < 0 || cy < 0 || cx >= cell.width || cy >= cell.height) return false;
            cell.set(cx, cy, true);
        }
    }
    return true;
}

}  // namespace

bool parse_pcf(const std::vector<uint8_t>& data, PcfFont& font, std::string& error) {
    font = PcfFont{};
    Cursor c(data, 0, data.size());
    if (c.u32() != 0x70636601u) {  // "\1fcp" read little-endian
        error = "not a PCF file";
        return false;
    }
    uint32_t count = c.u32();
    if (!c.ok() || count > 64) {
        error = "bad PCF table count";
        return false;
    }
    std::vector<TableEntry> toc(count);
    for (auto& t : toc) {
        t.type = c.u32();
        t.format = c.u32();
        t.size = c.u32();
        t.offset = c.u32();
        // Some writers round a table's size up past the end of the file: clamp it, the
        // readers below check every access against the table's end anyway.
        if (t.offset > data.size()) {
            error = "PCF table outside the file";
            return false;
        }
        if (t.size > data.size() - t.offset) t.size = static_cast<uint32_t>(data.size() - t.offset);
    }
    if (!c.ok()) {
        error = "truncated PCF table of contents";
        return false;
    }
    TableEntry accel, metrics_t, bitmaps_t, enc_t;
    if (!(find_table(toc, kBdfAccelerators, accel) || find_table(toc, kAccelerators, accel)) ||
        !find_table(toc, kMetrics, metrics_t) || !find_table(toc, kBitmaps, bitmaps_t) ||
        !find_table(toc, kEncodings, enc_t)) {
        error = "PCF file lacks a required table";
        return false;
    }
    std::vector<Metric> metrics;
    std::map<uint32_t, uint32_t> code_to_glyph;
    if (!read_accelerators(data, accel, font) || !read_metrics(data, metrics_t, metrics) ||
        !read_encodings(data, enc_t, code_to_glyph)) {
        error = "malformed PCF metrics, accelerators or encodings";
        return false;
    }
    if (font.cell_width <= 0 || font.cell_width > 256 || font.ascent < 0 || font.descent < 0 ||
        font.ascent + font.descent <= 0 || font.ascent + font.descent > 256) {
        error = "implausible PCF cell size";
        return false;
    }
    uint32_t format = 0;
    Cursor b = open_table(data, bitmaps_t, format);
    uint32_t glyph_count = b.u32();
    if (!b.ok() || glyph_count != metrics.size()) {
        error = "PCF bitmap count differs from metric count";
        return false;
    }
    std::vector<uint32_t> offsets(glyph_count);
    for (auto& o : offsets) o = b.u32();
    uint32_t sizes[4];
    for (auto& s : sizes) s = b.u32();
    if (!b.ok()) {
        error = "truncated PCF bitmap table";
        return false;
    }
    const size_t bits_start = b.pos();
    const size_t bits_end = static_cast<size_t>(bitmaps_t.offset) + bitmaps_t.size;
    const size_t bits_size = sizes[format & 3];
    if (bits_start + bits_size > bits_end) {
        error = "PCF bitmap data outside its table";
        return false;
    }
    for (const auto& [code, index] : code_to_glyph) {
        if (index >= glyph_count || offsets[index] > bits_size) {
            error = "PCF encoding names a missing glyph";
            return false;
        }
        Bitmap cell;
        if (!unpack_glyph(data, bits_start + offsets[index], bits_start + bits_size, format,
                          metrics[index], font, cell)) {
            error = "PCF glyph does not fit its cell";
            return false;
        }
        font.glyphs.emplace(code, std::move(cell));
    }
    return true;
}

bool read_file(const std::string& path, std::vector<uint8_t>& data, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    return true;
}

bool write_file(const std::string& path, const std::vector<uint8_t>& data, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace fontgen
