// The program's registry values under "Software\Corvane\Corvane Terminal
// Emulator", behind an interface so that tests and portable code need no
// registry.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace tavix {

extern const char kRegistryKey[];  // "Software\\Corvane\\Corvane Terminal Emulator"

enum class RegistryRoot { CurrentUser, LocalMachine };

class RegistryStore {
public:
    virtual ~RegistryStore() = default;
    // The key is created when missing. Each returns false on failure.
    virtual bool write_dword(RegistryRoot root, const char* name, std::uint32_t value) = 0;
    virtual bool write_string(RegistryRoot root, const char* name, const std::string& value) = 0;
    // Reads a DWORD value; false when missing or of another type.
    virtual bool read_dword(RegistryRoot root, const char* name, std::uint32_t& value) = 0;
    // Reads a value only when it is a plain string; false otherwise.
    virtual bool read_string(RegistryRoot root, const char* name, std::string& value) = 0;
};

// Registry values held in memory, for tests.
class MemoryRegistry : public RegistryStore {
public:
    bool write_dword(RegistryRoot root, const char* name, std::uint32_t value) override;
    bool write_string(RegistryRoot root, const char* name, const std::string& value) override;
    bool read_dword(RegistryRoot root, const char* name, std::uint32_t& value) override;
    bool read_string(RegistryRoot root, const char* name, std::string& value) override;

    std::size_t size() const { return values_.size(); }

private:
    struct Value {
        bool is_string = false;
        std::uint32_t dword = 0;
        std::string text;
    };
    std::map<std::pair<RegistryRoot, std::string>, Value> values_;
};

// Window handles are stored as DWORDs: handles of windows are 32-bit values
// on both bitnesses, so a 64-bit program keeps the low half and a reader
// widens it back with sign extension.
std::uint32_t window_handle_to_dword(std::uintptr_t handle);
std::uintptr_t dword_to_window_handle(std::uint32_t value);

// At start-up: "lwindow" always, "window" only with messaging enabled.
void store_main_window(RegistryStore& reg, std::uintptr_t handle, bool messaging_enabled);

// The folder of the last file chosen for the host ("directory"); empty when unset.
std::string read_last_directory(RegistryStore& reg);
bool write_last_directory(RegistryStore& reg, const std::string& folder);

// The messaging directory, saved under both roots ("messageing", spelled so).
bool write_messaging_directory(RegistryStore& reg, const std::string& directory);

}  // namespace tavix
