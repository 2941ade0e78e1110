#include "text.h"

#include <cstdio>
#include <cctype>
#include <cstdlib>

namespace hostsim {

namespace {

// Unicode code points of the code page 437 bytes 0x80..0xFF.
const unsigned kUpperHalf[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

struct ControlName {
    const char* name;
    unsigned char byte;
};

const ControlName kControlNames[] = {
    {"NUL", 0x00}, {"SOH", 0x01}, {"STX", 0x02}, {"ETX", 0x03}, {"EOT", 0x04},
    {"ENQ", 0x05}, {"ACK", 0x06}, {"BEL", 0x07}, {"BS", 0x08},  {"HT", 0x09},
    {"TAB", 0x09}, {"LF", 0x0A},  {"VT", 0x0B},  {"FF", 0x0C},  {"CR", 0x0D},
    {"SO", 0x0E},  {"SI", 0x0F},  {"DLE", 0x10}, {"DC1", 0x11}, {"DC2", 0x12},
    {"DC3", 0x13}, {"DC4", 0x14}, {"NAK", 0x15}, {"SYN", 0x16}, {"ETB", 0x17},
    {"CAN", 0x18}, {"EM", 0x19},  {"SUB", 0x1A}, {"ESC", 0x1B}, {"FS", 0x1C},
    {"GS", 0x1D},  {"RS", 0x1E},  {"US", 0x1F},  {"SP", 0x20},  {"DEL", 0x7F},
};

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads one UTF-8 sequence starting at s[i]; returns its length, 0 when malformed.
size_t decodeUtf8(const std::string& s, size_t i, unsigned& codePoint) {
    unsigned char lead = static_cast<unsigned char>(s[i]);
    size_t length;
    if (lead >= 0xF0 && lead < 0xF8) {
        length = 4;
        codePoint = lead & 0x07;
    } else if (lead >= 0xE0) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xC2 && lead < 0xE0) {
        length = 2;
        codePoint = lead & 0x1F;
    } else {
        return 0;
    }
    if (i + length > s.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        unsigned char c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (c & 0x3F);
    }
    return length;
}

void appendUtf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Handles the {...} forms; `body` is the text between the braces.
bool decodeBrace(const std::string& body, Text& out, std::string& error) {
    if (body == "input") {
        TextPiece piece;
        piece.kind = TextPiece::Input;
        out.pieces.push_back(piece);
        return true;
    }
    if (!body.empty() && (isdigit(static_cast<unsigned char>(body[0])) || body[0] == '-')) {
        char* end = nullptr;
        long value = strtol(body.c_str(), &end, 10);
        if (*end != '\0' || body == "-") {
            error = "bad parameter {" + body + "}";
            return false;
        }
        if (value < -32 || value > 223) {
            error = "parameter {" + body + "} out of range -32..223";
            return false;
        }
        out.appendBytes(std::string(1, static_cast<char>(value + 32)));
        return true;
    }
    for (const ControlName& c : kControlNames) {
        if (body == c.name) {
            out.appendBytes(std::string(1, static_cast<char>(c.byte)));
            return true;
        }
    }
    error = "unknown name {" + body + "}";
    return false;
}

}  // namespace

void Text::appendBytes(const std::string& b) {
    if (b.empty()) return;
    if (pieces.empty() || pieces.back().kind != TextPiece::Bytes) pieces.push_back(TextPiece());
    pieces.back().bytes += b;
}

void Text::appendText(const Text& other) {
    for (const TextPiece& p : other.pieces) {
        if (p.kind == TextPiece::Bytes)
            appendBytes(p.bytes);
        else
            pieces.push_back(p);
    }
}

std::string Text::expand(const std::string& input) const {
    std::string out;
    for (const TextPiece& p : pieces) out += p.kind == TextPiece::Bytes ? p.bytes : input;
    return out;
}

bool Text::usesInput() const {
    for (const TextPiece& p : pieces)
        if (p.kind == TextPiece::Input) return true;
    return false;
}

int cp437FromUnicode(unsigned codePoint) {
    if (codePoint < 0x80) return static_cast<int>(codePoint);
    for (int i = 0; i < 128; ++i)
        if (kUpperHalf[i] == codePoint) return 0x80 + i;
    return -1;
}

unsigned unicodeFromCp437(unsigned char byte) {
    return byte < 0x80 ? byte : kUpperHalf[byte - 0x80];
}

bool decodeText(const std::string& s, Text& out, std::string& error) {
    out = Text();
    std::string bytes;
    auto flush = [&]() {
        out.appendBytes(bytes);
        bytes.clear();
    };
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '\\') {
            if (i + 1 >= s.size()) {
                error = "text ends with a lone backslash";
                return false;
            }
            char e = s[i + 1];
            i += 2;
            switch (e) {
                case 'e': bytes += '\x1b'; break;
                case 'r': bytes += '\r'; break;
                case 'n': bytes += '\n'; break;
                case 't': bytes += '\t'; break;
                case 's': bytes += ' '; break;
                case '\\': bytes += '\\'; break;
                case '{': bytes += '{'; break;
                case '}': bytes += '}'; break;
                case 'x': {
                    int hi = i < s.size() ? hexValue(s[i]) : -1;
                    int lo = i + 1 < s.size() ? hexValue(s[i + 1]) : -1;
                    if (hi < 0 || lo < 0) {
                        error = "\\x needs two hexadecimal digits";
                        return false;
                    }
                    bytes += static_cast<char>(hi * 16 + lo);
                    i += 2;
                    break;
                }
                default:
                    error = std::string("unknown escape \\") + e;
                    return false;
            }
        } else if (c == '{') {
            size_t close = s.find('}', i + 1);
            if (close == std::string::npos) {
                error = "unclosed { (write \\{ for a brace)";
                return false;
            }
            flush();
            if (!decodeBrace(s.substr(i + 1, close - i - 1), out, error)) return false;
            i = close + 1;
        } else if (c == '}') {
            error = "unmatched } (write \\} for a brace)";
            return false;
        } else if (c < 0x80) {
            bytes += static_cast<char>(c);
            ++i;
        } else {
            unsigned cp = 0;
            size_t length = decodeUtf8(s, i, cp);
            if (length == 0) {
                error = "malformed UTF-8 (write \\xNN for a raw byte)";
                return false;
            }
            int b = cp437FromUnicode(cp);
            if (b < 0) {
                char buf[64];
                snprintf(buf, sizeof buf, "U+%04X has no code page 437 glyph", cp);
                error = buf;
                return false;
            }
            bytes += static_cast<char>(b);
            i += length;
        }
    }
    flush();
    return true;
}

std::string printable(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c < 0x20 || c == 0x7F) {
            char buf[8];
            snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            appendUtf8(out, unicodeFromCp437(c));
        }
    }
    return out;
}

}  // namespace hostsim
