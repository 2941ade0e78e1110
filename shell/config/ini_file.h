// The INI file behind the configuration store, shaped like the Windows
// private-profile functions so that the Win32 implementation is a thin wrapper
// and the in-memory one can be held to the same behaviour by the same tests.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tavix {

class IniFile {
public:
    virtual ~IniFile() = default;

    // Copies the value of key in section (or def when the key is missing; a
    // null def counts as "") into buf, at most size - 1 characters plus a
    // terminating zero, and returns the number of characters copied. Section
    // and key names match without regard to case; the value loses surrounding
    // white space and one pair of enclosing double quotes. A key that is
    // present with an empty value yields "" and not def.
    virtual std::size_t get_string(const char* section, const char* key, const char* def,
                                   char* buf, std::size_t size) = 0;

    // The value of key as an integer: def when the key is missing or empty,
    // otherwise its leading number (0 when it starts with no digit).
    virtual int get_int(const char* section, const char* key, int def) = 0;

    // Sets key in section to value, creating both as needed. A null value
    // deletes the key; a null key deletes the whole section. Returns false
    // when the file could not be written.
    virtual bool write_string(const char* section, const char* key, const char* value) = 0;

    // The names of the section's keys in file order (none when the section is
    // missing).
    virtual std::vector<std::string> key_names(const char* section) = 0;

    // True when the key exists in the section (even with an empty value).
    bool has_key(const char* section, const char* key);
};

// The integer reading rule of the private-profile functions: optional sign,
// an optional "0x", "0o" or "0b" base prefix, then digits up to the first
// character that is not one; wraps modulo 2^32 like the system does.
int parse_profile_int(const char* text);

}  // namespace tavix
