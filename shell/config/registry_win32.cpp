#include "shell/config/registry_win32.h"

#include <windows.h>

#include <vector>

namespace tavix {

namespace {

HKEY root_key(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// Opens (creating when missing) the program's key with all access rights.
HKEY open_key(RegistryRoot root) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root_key(root), kRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

}  // namespace

bool Win32Registry::write_dword(RegistryRoot root, const char* name, std::uint32_t value) {
    HKEY key = open_key(root);
    if (key == nullptr) return false;
    DWORD data = value;
    LONG rc = RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                             sizeof data);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool Win32Registry::write_string(RegistryRoot root, const char* name, const std::string& value) {
    HKEY key = open_key(root);
    if (key == nullptr) return false;
    LONG rc = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool Win32Registry::read_dword(RegistryRoot root, const char* name, std::uint32_t& value) {
    HKEY key = open_key(root);
    if (key == nullptr) return false;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof data) return false;
    value = data;
    return true;
}

bool Win32Registry::read_string(RegistryRoot root, const char* name, std::string& value) {
    HKEY key = open_key(root);
    if (key == nullptr) return false;
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    bool ok = false;
    if (rc == ERROR_SUCCESS && type == REG_SZ) {
        // One extra zero: a stored string need not carry its terminator.
        std::vector<char> data(size + 1, '\0');
        DWORD got = size;
        rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
        if (rc == ERROR_SUCCESS && type == REG_SZ) {
            value.assign(data.data());
            ok = true;
        }
    }
    RegCloseKey(key);
    return ok;
}

}  // namespace tavix
