#include "shell/config/ini_win32.h"

#include <windows.h>

namespace tavix {

std::size_t Win32Ini::get_string(const char* section, const char* key, const char* def,
                                 char* buf, std::size_t size) {
    if (buf == nullptr || size == 0) return 0;
    // The system takes a 32-bit size; no value of ours comes near it.
    DWORD n = static_cast<DWORD>(size > 0x7fffffffu ? 0x7fffffffu : size);
    buf[0] = '\0';
    return GetPrivateProfileStringA(section, key, def ? def : "", buf, n, path_.c_str());
}

int Win32Ini::get_int(const char* section, const char* key, int def) {
    return static_cast<int>(GetPrivateProfileIntA(section, key, def, path_.c_str()));
}

bool Win32Ini::write_string(const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, path_.c_str()) != FALSE;
}

std::vector<std::string> Win32Ini::key_names(const char* section) {
    // The names come zero-separated; a list that filled the buffer (its length
    // is then the size minus two) is read again with more room.
    std::vector<char> buf(4096);
    for (;;) {
        DWORD n = GetPrivateProfileStringA(section, nullptr, "", buf.data(), static_cast<DWORD>(buf.size()),
                                           path_.c_str());
        if (n + 2 < buf.size() || buf.size() >= (1u << 24)) {
            std::vector<std::string> out;
            for (DWORD i = 0; i < n;) {
                std::string name(buf.data() + i);
                i += static_cast<DWORD>(name.size()) + 1;
                if (!name.empty()) out.push_back(name);
            }
            return out;
        }
        buf.resize(buf.size() * 4);
    }
}

}  // namespace tavix
