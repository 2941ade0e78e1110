// An INI file held in memory, behaving like the private-profile functions.
// Used by the unit tests and anywhere a configuration without a file is wanted.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "shell/config/ini_file.h"

namespace tavix {

class MemoryIni : public IniFile {
public:
    std::size_t get_string(const char* section, const char* key, const char* def, char* buf,
                           std::size_t size) override;
    int get_int(const char* section, const char* key, int def) override;
    bool write_string(const char* section, const char* key, const char* value) override;
    std::vector<std::string> key_names(const char* section) override;

    // The file as text, sections and keys in the order they were created.
    std::string text() const;
    // Every key as "Section/key=value" in file order.
    std::vector<std::string> entries() const;
    // Number of keys in a section (0 when the section is missing).
    std::size_t key_count(const char* section) const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };
    Section* find_section(const char* name);
    const Section* find_section(const char* name) const;

    std::vector<Section> sections_;
};

}  // namespace tavix
