#include "shell/config/variant_ini.h"

#include "shell/config/sections.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace tavix {

namespace {

const char kAbsent[] = "=";  // a variant value meaning "not in this variant"


// Longest value moved out of the legacy section; messaging values are paths.
constexpr std::size_t kLegacyValueSize = 1024;

}  // namespace

std::string VariantIni::write_section(const char* section, bool variant_aware) const {
    if (!variant_active(variant_aware)) return section;
    return std::string(section) + "-" + variant_;
}

int VariantIni::read_int(const char* section, const char* key, int def, bool variant_aware) {
    if (!variant_active(variant_aware)) return ini_->get_int(section, key, def);
    std::string vs = write_section(section);
    char probe[3];
    ini_->get_string(vs.c_str(), key, kAbsent, probe, sizeof probe);
    if (std::strcmp(probe, kAbsent) == 0) return ini_->get_int(section, key, def);
    return ini_->get_int(vs.c_str(), key, def);
}

std::size_t VariantIni::read_string(const char* section, const char* key, const char* def,
                                    char* buf, std::size_t size, bool variant_aware) {
    if (buf == nullptr || size == 0) return 0;
    if (variant_active(variant_aware)) {
        // Probe with room for at least two characters, so that a value that
        // merely starts with "=" is not cut down to "=" and taken for absent.
        std::vector<char> probe(size < 3 ? 3 : size);
        std::string vs = write_section(section);
        std::size_t n = ini_->get_string(vs.c_str(), key, kAbsent, probe.data(), probe.size());
        if (std::strcmp(probe.data(), kAbsent) != 0) {
            if (n > size - 1) n = size - 1;
            std::memcpy(buf, probe.data(), n);
            buf[n] = '\0';
            return n;
        }
    }
    return ini_->get_string(section, key, def, buf, size);
}

std::string VariantIni::read_string(const char* section, const char* key, const char* def,
                                    std::size_t size, bool variant_aware) {
    if (size == 0) return std::string();
    std::vector<char> buf(size);
    std::size_t n = read_string(section, key, def, buf.data(), size, variant_aware);
    return std::string(buf.data(), n);
}

bool VariantIni::write_string(const char* section, const char* key, const char* value,
                              bool variant_aware) {
    return ini_->write_string(write_section(section, variant_aware).c_str(), key, value);
}

bool VariantIni::write_int(const char* section, const char* key, int value, bool variant_aware) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return write_string(section, key, text, variant_aware);
}

void VariantIni::migrate_legacy_key(const char* key) {
    // Where does the key live: in the variant's legacy section (not marked
    // absent there), else in the base legacy section?
    std::string from;
    std::string to;
    if (!variant_.empty()) {
        std::string vs = write_section(kHelpersSection);
        char probe[3];
        if (ini_->has_key(vs.c_str(), key)) {
            ini_->get_string(vs.c_str(), key, kAbsent, probe, sizeof probe);
            if (std::strcmp(probe, kAbsent) != 0) {
                from = vs;
                to = write_section(kMessageSection);
            }
        }
    }
    if (from.empty() && ini_->has_key(kHelpersSection, key)) {
        from = kHelpersSection;
        to = kMessageSection;
    }
    if (from.empty()) return;
    std::vector<char> value(kLegacyValueSize);
    ini_->get_string(from.c_str(), key, "", value.data(), value.size());
    // Write the new place before deleting the old one, so a failed write loses nothing.
    if (ini_->write_string(to.c_str(), key, value.data())) ini_->write_string(from.c_str(), key, nullptr);
}

int VariantIni::read_migrated_int(const char* key, int def) {
    migrate_legacy_key(key);
    return read_int(kMessageSection, key, def);
}

std::string VariantIni::read_migrated_string(const char* key, const char* def, std::size_t size) {
    migrate_legacy_key(key);
    return read_string(kMessageSection, key, def, size);
}

}  // namespace tavix
