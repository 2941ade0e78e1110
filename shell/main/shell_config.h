// The configuration as the running program holds it: the command line, the
// INI file with its variant, the configuration store and the registry.
#pragma once

#include "shell/cmdline/command_line.h"
#include "shell/config/config_store.h"
#include "shell/config/ini_win32.h"
#include "shell/config/registry_win32.h"
#include "shell/config/user_directory.h"
#include "shell/config/variant_ini.h"

struct ShellConfiguration {
  tavix::CommandLine commandLine;
  tavix::Win32Ini ini{tavix::kIniPath};
  tavix::VariantIni variantIni{ini};
  tavix::ConfigStore store{variantIni};
  tavix::Win32Registry registry;
  bool channelConfigured = false;  // the settings suffice to connect
};

// Owned by shell_config.cpp.
extern ShellConfiguration Config;

// Start-up steps 5 and 6: parse the command line, then load every key.
void LoadConfiguration(const char* commandLine);
