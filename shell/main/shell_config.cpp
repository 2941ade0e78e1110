#include "shell_config.h"

#include "engine.h"
#include "pc.h"

namespace {
// The platform object decides whether the settings name a usable channel.
bool PlatformSaysConfigured(const tavix::ConfigBlock& b) {
  return WindowsPc.channel_configured(b.mode, b.host, b.speed);
}
}  // namespace

ShellConfiguration Config;

void LoadConfiguration(const char* commandLine) {
  Config.commandLine = tavix::parse_command_line(commandLine ? commandLine : "");
  Config.variantIni.set_variant(Config.commandLine.config_variant);
  Config.channelConfigured = Config.store.load_all(PlatformSaysConfigured);
  Config.store.correct_sound_mode();
  // -R<digit> fills the parser's stored path slots.
  for (size_t slot = 0; slot < Config.commandLine.run_paths.size(); ++slot) {
    const std::string& path = Config.commandLine.run_paths[slot];
    if (!path.empty()) SetStoredPath(static_cast<int>(slot), path.c_str());
  }
}
