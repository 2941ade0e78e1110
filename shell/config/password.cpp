#include "shell/config/password.h"

#include <cstdint>

namespace tavix {

namespace {

constexpr std::size_t kCountedCharacters = 8;

// Values 0-25 become 'A'-'Z', 26-51 'a'-'z'; anything else lands elsewhere
// by the same rule (digits in a password give characters below 'A').
char letter_of(int v) {
    return static_cast<char>(v < 26 ? 'A' + v : 'G' + v);
}

// The fresh salt: the first draw of the classic linear congruential
// generator seeded with 0, modulo 51.
int fresh_salt() {
    std::uint32_t state = 0;
    state = state * 214013u + 2531011u;
    int draw = static_cast<int>((state >> 16) & 0x7fffu);
    return draw % 51;
}

std::string scramble_from(const std::string& text, int s) {
    std::string out(1, letter_of(s));
    for (std::size_t i = 0; i < text.size() && i < kCountedCharacters; ++i) {
        int c = static_cast<signed char>(text[i]);  // text is ANSI; char is signed here
        if (c == 0) break;
        int x = c < '[' ? c - 'A' : c - 'G';
        s ^= x;
        if (s > 51) s -= 51 * (1 + (s - 52) / 51);
        out.push_back(letter_of(s));
    }
    // The scrambled text is kept as a C string: a zero ends it.
    out.resize(out.find('\0') == std::string::npos ? out.size() : out.find('\0'));
    // It is stored as one INI value. A line break would split the line and a
    // trailing blank would be trimmed on reading, and the password could then
    // never match again; such characters (which no letter produces) are
    // replaced by characters the rule above never produces.
    for (char& ch : out) {
        if (ch == '\n') ch = '^';
        else if (ch == '\r') ch = '_';
    }
    if (!out.empty()) {
        char last = out.back();
        if (last == ' ' || last == '\t' || last == '\v' || last == '\f' || last == '\x1a')
            out.back() = '~';
    }
    return out;
}

}  // namespace

std::string scramble_password(const std::string& text, char salt) {
    int c = static_cast<signed char>(salt);
    int s = c > 'Z' ? c - 'G' : c - 'A';
    return scramble_from(text, s);
}

std::string scramble_new_password(const std::string& text) {
    return scramble_from(text, fresh_salt());
}

}  // namespace tavix
