#include "fnt_file.h"

#include <algorithm>
#include <cctype>

#include "byte_io.h"

namespace fontgen {
namespace {

constexpr size_t kHeaderV3 = 148;
constexpr size_t kCharEntryV3 = 6;
constexpr uint32_t kFirstChar = 0;
constexpr uint32_t kLastChar = 255;
constexpr uint32_t kFlagFixed = 0x0001;
constexpr uint32_t kFamilyModern = 0x30;  // low bit clear: fixed pitch
constexpr uint32_t kResolution = 96;
constexpr uint32_t kRtFontDir = 0x8007;
constexpr uint32_t kRtFont = 0x8008;
constexpr uint32_t kAlignShift = 4;
constexpr size_t kNeOffset = 0x80;

int column_bytes(int width) { return (width + 7) / 8; }

// The fields shared by the FNT header and a font directory entry, from the version
// word through the face-name offset (109 bytes).
void write_common_header(ByteWriter& w, const CellFace& face, const std::string& copyright,
                         uint32_t file_size, uint32_t face_offset) {
    const uint32_t width_bytes = column_bytes(face.cell_width) * 256;
    w.le16(0x0300);
    w.le32(file_size);
    std::string c = copyright.substr(0, 59);
    w.text(c);
    w.zeros(60 - c.size());
    w.le16(0);  // raster
    w.le16((face.cell_height * 72 + kResolution / 2) / kResolution);
    w.le16(kResolution);
    w.le16(kResolution);
    w.le16(face.ascent);
    w.le16(0);  // internal leading
    w.le16(0);  // external leading
    w.u8(0);    // italic
    w.u8(0);    // underline
    w.u8(0);    // strike-out
    w.le16(400);
    w.u8(kOemCharset);
    w.le16(face.cell_width);
    w.le16(face.cell_height);
    w.u8(kFamilyModern);
    w.le16(face.cell_width);
    w.le16(face.cell_width);
    w.u8(kFirstChar);
    w.u8(kLastChar);
    w.u8(' ' - kFirstChar);  // default character, relative to the first
    w.u8(' ' - kFirstChar);  // break character, relative to the first
    w.le16((width_bytes + 1) & ~1u);
    w.le32(0);  // no device name
    w.le32(face_offset);
}

std::string upper(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

void pascal_string(ByteWriter& w, const std::string& s) {
    w.u8(static_cast<uint32_t>(s.size()));
    w.text(s);
}

}  // namespace

std::vector<uint8_t> build_fnt(const CellFace& face, const std::string& copyright) {
    const int cols = column_bytes(face.cell_width);
    const size_t glyph_bytes = static_cast<size_t>(cols) * face.cell_height;
    const size_t table_size = (kLastChar - kFirstChar + 2) * kCharEntryV3;
    const size_t bits_offset = kHeaderV3 + table_size;
    const size_t face_offset = bits_offset + glyph_bytes * 256;
    const size_t file_size = face_offset + face.face_name.size() + 1;

    ByteWriter w;
    write_common_header(w, face, copyright, static_cast<uint32_t>(file_size),
                        static_cast<uint32_t>(face_offset));
    w.le32(0);  // bits pointer (filled in by the loader)
    w.le32(static_cast<uint32_t>(bits_offset));
    w.u8(0);    // reserved
    w.le32(kFlagFixed);
    w.le16(0);  // A, B and C spaces
    w.le16(0);
    w.le16(0);
    w.le32(0);  // colour table
    w.zeros(16);
    // Character table; the extra last entry is the customary sentinel after the last char.
    for (uint32_t c = kFirstChar; c <= kLastChar + 1; ++c) {
        const uint32_t index = std::min(c, kLastChar) - kFirstChar;
        w.le16(face.cell_width);
        w.le32(static_cast<uint32_t>(bits_offset + glyph_bytes * index));
    }
    // Glyphs are stored as byte-wide columns, each running top to bottom.
    for (uint32_t c = kFirstChar; c <= kLastChar; ++c) {
        const Bitmap& g = face.glyphs[c];
        for (int col = 0; col < cols; ++col) {
            for (int y = 0; y < face.cell_height; ++y) {
                uint32_t byte = 0;
                for (int bit = 0; bit < 8; ++bit) {
                    const int x = col * 8 + bit;
                    if (x < g.width && g.ink(x, y)) byte |= 0x80u >> bit;
                }
                w.u8(byte);
            }
        }
    }
    w.text(face.face_name);
    w.u8(0);
    return w.bytes;
}

std::vector<uint8_t> build_fon(const CellFace& face, const std::string& copyright) {
    const std::vector<uint8_t> fnt = build_fnt(face, copyright);
    const std::string module = upper(face.face_name);
    const std::string description = "FONTRES 100,96,96 : " + face.face_name;

    ByteWriter w;
    // MZ header and a stub that says what the file is when run under DOS.
    w.text("MZ");
    w.le16(kNeOffset);  // bytes in last page
    w.le16(1);          // pages
    w.le16(0);          // relocations
    w.le16(4);          // header paragraphs
    w.le16(0);
    w.le16(0xFFFF);
    w.le16(0);          // ss
    w.le16(0xB8);       // sp
    w.le16(0);          // checksum
    w.le16(0);          // ip
    w.le16(0);          // cs
    w.le16(0x40);       // relocation table
    w.le16(0);          // overlay
    w.zeros(0x3C - w.size());
    w.le32(kNeOffset);
    const uint8_t stub[] = {0x0E, 0x1F, 0xBA, 0x0E, 0x00, 0xB4, 0x09, 0xCD,
                            0x21, 0xB8, 0x01, 0x4C, 0xCD, 0x21};
    w.bytes.insert(w.bytes.end(), std::begin(stub), std::end(stub));
    w.text("This is a Windows font file.\r\n$");
    w.zeros(kNeOffset - w.size());

    // NE header; the table offsets are patched once the tables are laid out.
    const size_t ne = w.size();
    w.text("NE");
    w.u8(5);             // linker version
    w.u8(10);            // linker revision
    w.le16(0);           // entry table offset (patched)
    w.le16(0);           // entry table size (patched)
    w.le32(0);           // checksum
    w.le16(0x8300);      // library module, windowed
    w.zeros(2 + 2 + 2 + 4 + 4 + 2 + 2);  // autodata, heap, stack, cs:ip, ss:sp, segments, modules
    w.le16(0);           // non-resident name table size (patched)
    w.le16(0);           // segment table offset (patched)
    w.le16(0);           // resource table offset (patched)
    w.le16(0);           // resident name table offset (patched)
    w.le16(0);           // module reference table offset (patched)
    w.le16(0);           // imported names table offset (patched)
    w.le32(0);           // non-resident name table file offset (patched)
    w.le16(0);           // movable entries
    w.le16(kAlignShift);
    w.le16(0);           // resource segments
    w.u8(2);             // target: Windows
    w.u8(0);
    w.zeros(6);
    w.le16(0x0300);      // expected Windows version

    // Resource table: a font directory and one font.
    const size_t res_table = w.size();
    w.le16(kAlignShift);
    w.le16(kRtFontDir);
    w.le16(1);
    w.le32(0);
    const size_t dir_entry = w.size();
    w.zeros(12);
    w.le16(kRtFont);
    w.le16(1);
    w.le32(0);
    const size_t font_entry = w.size();
    w.zeros(12);
    w.le16(0);
    const size_t dir_name = w.size();
    pascal_string(w, "FONTDIR");
    w.u8(0);

    const size_t resident = w.size();
    pascal_string(w, module);
    w.le16(0);
    w.u8(0);
    const size_t modref = w.size();
    const size_t imported = w.size();
    w.u8(0);
    const size_t entries = w.size();
    w.le16(0);
    const size_t nonresident = w.size();
    pascal_string(w, description);
    w.le16(0);
    w.u8(0);
    const size_t nonresident_size = w.size() - nonresident;

    w.put_le16(ne + 4, static_cast<uint32_t>(entries - ne));
    w.put_le16(ne + 6, 2);
    w.put_le16(ne + 32, static_cast<uint32_t>(nonresident_size));
    w.put_le16(ne + 34, static_cast<uint32_t>(res_table - ne));
    w.put_le16(ne + 36, static_cast<uint32_t>(res_table - ne));
    w.put_le16(ne + 38, static_cast<uint32_t>(resident - ne));
    w.put_le16(ne + 40, static_cast<uint32_t>(modref - ne));
    w.put_le16(ne + 42, static_cast<uint32_t>(imported - ne));
    w.put_le32(ne + 44, static_cast<uint32_t>(nonresident));

    // Font directory: count, then per font its ordinal, the header fields, device and face.
    ByteWriter dir;
    dir.le16(1);
    dir.le16(1);
    write_common_header(dir, face, copyright, static_cast<uint32_t>(fnt.size()),
                        static_cast<uint32_t>(fnt.size() - face.face_name.size() - 1));
    dir.le32(0);  // reserved
    dir.u8(0);    // device name
    dir.text(face.face_name);
    dir.u8(0);

    const uint32_t unit = 1u << kAlignShift;
    auto place = [&](const std::vector<uint8_t>& data, size_t entry, uint32_t flags, uint32_t id) {
        w.align(unit);
        const size_t at = w.size();
        w.append(data);
        w.align(unit);
        w.put_le16(entry, static_cast<uint32_t>(at >> kAlignShift));
        w.put_le16(entry + 2, static_cast<uint32_t>((data.size() + unit - 1) >> kAlignShift));
        w.put_le16(entry + 4, flags);
        w.put_le16(entry + 6, id);
    };
    place(dir.bytes, dir_entry, 0x0C50, static_cast<uint32_t>(dir_name - res_table));
    place(fnt, font_entry, 0x1C30, 0x8001);
    return w.bytes;
}

bool parse_fnt(const std::vector<uint8_t>& fnt, FntInfo& info, std::string& error) {
    info = FntInfo{};
    ByteReader r(fnt);
    info.version = r.le16(0);
    info.size = r.le32(2);
    info.copyright = r.cstr(6, 60);
    info.type = r.le16(66);
    info.points = r.le16(68);
    info.ascent = r.le16(74);
    info.charset = r.u8(85);
    info.pix_width = r.le16(86);
    info.pix_height = r.le16(88);
    info.pitch_and_family = r.u8(90);
    info.avg_width = r.le16(91);
    info.max_width = r.le16(93);
    info.first_char = r.u8(95);
    info.last_char = r.u8(96);
    const uint32_t face_offset = r.le32(105);
    info.flags = r.le32(118);
    if (!r.ok() || (info.version != 0x300 && info.version != 0x200)) {
        error = "not a version 2 or 3 raster font";
        return false;
    }
    if (info.size != fnt.size() || info.last_char < info.first_char || face_offset >= fnt.size()) {
        error = "inconsistent font header";
        return false;
    }
    info.face_name = r.cstr(face_offset);
    const size_t table = info.version == 0x300 ? kHeaderV3 : 118;
    const size_t entry_size = info.version == 0x300 ? 6 : 4;
    for (uint32_t c = info.first_char; c <= info.last_char; ++c) {
        const size_t e = table + (c - info.first_char) * entry_size;
        const int width = static_cast<int>(r.le16(e));
        const size_t offset = info.version == 0x300 ? r.le32(e + 2) : r.le16(e + 2);
        const int height = static_cast<int>(info.pix_height);
        if (width <= 0 || width > 256 || height <= 0) {
            error = "bad glyph width or height";
            return false;
        }
        Bitmap g(width, height);
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y)
                g.set(x, y, (r.u8(offset + static_cast<size_t>(x / 8) * height + y) << (x % 8)) & 0x80);
        if (!r.ok()) {
            error = "glyph data outside the font";
            return false;
        }
        info.glyphs.push_back(std::move(g));
    }
    return true;
}

bool parse_fon(const std::vector<uint8_t>& fon, FonInfo& info, std::string& error) {
    info = FonInfo{};
    ByteReader r(fon);
    if (r.le16(0) != 0x5A4D) {
        error = "no MZ header";
        return false;
    }
    const size_t ne = r.le32(0x3C);
    if (r.le16(ne) != 0x454E) {
        error = "no NE header";
        return false;
    }
    const size_t res_table = ne + r.le16(ne + 36);
    const size_t resident = ne + r.le16(ne + 38);
    const size_t nonresident = r.le32(ne + 44);
    info.module_name = std::string(fon.begin() + std::min(fon.size(), resident + 1),
                                   fon.begin() + std::min(fon.size(), resident + 1 + r.u8(resident)));
    info.description = std::string(fon.begin() + std::min(fon.size(), nonresident + 1),
                                   fon.begin() + std::min(fon.size(), nonresident + 1 + r.u8(nonresident)));
    const uint32_t shift = r.le16(res_table);
    size_t at = res_table + 2;
    for (int guard = 0; guard < 64 && r.ok(); ++guard) {
        const uint32_t type = r.le16(at);
        if (type == 0) break;
        const uint32_t count = r.le16(at + 2);
        at += 8;
        for (uint32_t i = 0; i < count && r.ok(); ++i, at += 12) {
            const size_t offset = static_cast<size_t>(r.le16(at)) << shift;
            const size_t length = static_cast<size_t>(r.le16(at + 2)) << shift;
            if (!r.in(offset, length)) break;
            std::vector<uint8_t> data(fon.begin() + offset, fon.begin() + offset + length);
            if (type == kRtFontDir) info.font_dir = data;
            if (type == kRtFont) info.fonts.push_back(data);
        }
    }
    if (!r.ok() || shift > 16) {
        error = "malformed resource table";
        return false;
    }
    // A resource's length is rounded up to the alignment: trim each font to its own size.
    for (auto& f : info.fonts) {
        ByteReader fr(f);
        const uint32_t size = fr.le32(2);
        if (!fr.ok() || size > f.size()) {
            error = "font resource shorter than its header says";
            return false;
        }
        f.resize(size);
    }
    return true;
}

}  // namespace fontgen
