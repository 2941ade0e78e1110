#include "shell/config/registry.h"

namespace tavix {

const char kRegistryKey[] = "Software\\Corvane\\Corvane Terminal Emulator";

namespace {
const char kLastWindow[] = "lwindow";
const char kWindow[] = "window";
const char kDirectory[] = "directory";
const char kMessaging[] = "messageing";
}  // namespace

bool MemoryRegistry::write_dword(RegistryRoot root, const char* name, std::uint32_t value) {
    Value& v = values_[{root, name}];
    v = Value{};
    v.dword = value;
    return true;
}

bool MemoryRegistry::write_string(RegistryRoot root, const char* name, const std::string& value) {
    Value& v = values_[{root, name}];
    v = Value{};
    v.is_string = true;
    v.text = value;
    return true;
}

bool MemoryRegistry::read_dword(RegistryRoot root, const char* name, std::uint32_t& value) {
    auto it = values_.find({root, name});
    if (it == values_.end() || it->second.is_string) return false;
    value = it->second.dword;
    return true;
}

bool MemoryRegistry::read_string(RegistryRoot root, const char* name, std::string& value) {
    auto it = values_.find({root, name});
    if (it == values_.end() || !it->second.is_string) return false;
    value = it->second.text;
    return true;
}

std::uint32_t window_handle_to_dword(std::uintptr_t handle) {
    return static_cast<std::uint32_t>(handle & 0xffffffffu);
}

std::uintptr_t dword_to_window_handle(std::uint32_t value) {
    return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

void store_main_window(RegistryStore& reg, std::uintptr_t handle, bool messaging_enabled) {
    std::uint32_t value = window_handle_to_dword(handle);
    if (messaging_enabled) reg.write_dword(RegistryRoot::CurrentUser, kWindow, value);
    reg.write_dword(RegistryRoot::CurrentUser, kLastWindow, value);
}

std::string read_last_directory(RegistryStore& reg) {
    std::string folder;
    if (!reg.read_string(RegistryRoot::CurrentUser, kDirectory, folder)) folder.clear();
    return folder;
}

bool write_last_directory(RegistryStore& reg, const std::string& folder) {
    return reg.write_string(RegistryRoot::CurrentUser, kDirectory, folder);
}

bool write_messaging_directory(RegistryStore& reg, const std::string& directory) {
    bool machine = reg.write_string(RegistryRoot::LocalMachine, kMessaging, directory);
    bool user = reg.write_string(RegistryRoot::CurrentUser, kMessaging, directory);
    return machine && user;
}

}  // namespace tavix
