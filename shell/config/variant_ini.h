// The configuration accessors: every key of a section S is first looked up in
// the variant section "S-<variant>" chosen with the -C switch, where the value
// "=" means "absent from the variant"; writes always go to the variant section.
#pragma once

#include <cstddef>
#include <string>

#include "shell/config/ini_file.h"

namespace tavix {

class VariantIni {
public:
    // variant: the configuration variant name (empty for none).
    explicit VariantIni(IniFile& ini, std::string variant = std::string())
        : ini_(&ini), variant_(std::move(variant)) {}

    IniFile& file() { return *ini_; }
    const std::string& variant() const { return variant_; }
    void set_variant(std::string variant) { variant_ = std::move(variant); }

    // The section a variant-aware write goes to: "S-<variant>", or S itself
    // when no variant is set.
    std::string write_section(const char* section, bool variant_aware = true) const;

    int read_int(const char* section, const char* key, int def, bool variant_aware = true);

    // Copies at most size - 1 characters plus a zero into buf; returns the count.
    std::size_t read_string(const char* section, const char* key, const char* def, char* buf,
                            std::size_t size, bool variant_aware = true);
    // The same into a string of at most size - 1 characters.
    std::string read_string(const char* section, const char* key, const char* def,
                            std::size_t size, bool variant_aware = true);

    // A null value deletes the key (from the section a write would go to).
    bool write_string(const char* section, const char* key, const char* value,
                      bool variant_aware = true);
    // Integers are stored as decimal text.
    bool write_int(const char* section, const char* key, int value, bool variant_aware = true);

    // Readers for keys that older versions kept in [Helpers-32]: a key found
    // there moves to the same level of [Message] (from "Helpers-32-<variant>"
    // to "Message-<variant>", from [Helpers-32] to [Message]) and is then read
    // from [Message] like any other key.
    int read_migrated_int(const char* key, int def);
    std::string read_migrated_string(const char* key, const char* def, std::size_t size);

private:
    bool variant_active(bool variant_aware) const { return variant_aware && !variant_.empty(); }
    void migrate_legacy_key(const char* key);

    IniFile* ini_;
    std::string variant_;
};

}  // namespace tavix
