#include "shell/config/ini_file.h"

#include <cstdint>
#include <cstring>

namespace tavix {

bool IniFile::has_key(const char* section, const char* key) {
    // Two different defaults can only both come back when the key is there.
    char a[4];
    char b[4];
    get_string(section, key, "\x01", a, sizeof a);
    get_string(section, key, "\x02", b, sizeof b);
    return std::strcmp(a, b) == 0;
}

int parse_profile_int(const char* p) {
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '-') {
        negative = true;
        ++p;
    } else if (*p == '+') {
        ++p;
    }
    unsigned base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'o' || p[1] == 'b')) {
        base = p[1] == 'x' ? 16u : p[1] == 'o' ? 8u : 2u;
        p += 2;
    }
    std::uint32_t value = 0;
    for (;; ++p) {
        unsigned digit;
        char c = *p;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'z') digit = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'Z') digit = static_cast<unsigned>(c - 'A' + 10);
        else break;
        if (digit >= base) break;
        value = value * base + digit;
    }
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

}  // namespace tavix
