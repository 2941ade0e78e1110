// The registry values in the real registry.
#pragma once

#include "shell/config/registry.h"

namespace tavix {

class Win32Registry : public RegistryStore {
public:
    bool write_dword(RegistryRoot root, const char* name, std::uint32_t value) override;
    bool write_string(RegistryRoot root, const char* name, const std::string& value) override;
    bool read_dword(RegistryRoot root, const char* name, std::uint32_t& value) override;
    bool read_string(RegistryRoot root, const char* name, std::string& value) override;
};

}  // namespace tavix
