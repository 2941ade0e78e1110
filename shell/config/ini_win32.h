// The INI file on disk through the Windows private-profile functions.
#pragma once

#include <string>
#include <utility>

#include "shell/config/ini_file.h"

namespace tavix {

class Win32Ini : public IniFile {
public:
    // path as the private-profile functions take it ("./corvane.ini" for the
    // file in the current directory; a name without a folder would mean the
    // Windows directory).
    explicit Win32Ini(std::string path) : path_(std::move(path)) {}

    std::size_t get_string(const char* section, const char* key, const char* def, char* buf,
                           std::size_t size) override;
    int get_int(const char* section, const char* key, int def) override;
    bool write_string(const char* section, const char* key, const char* value) override;
    std::vector<std::string> key_names(const char* section) override;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace tavix
