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

}  // namespace tavix
