#include "messaging_keys.h"

#include "messaging_folders.h"

namespace {
constexpr char kSection[] = "Message";
}

MessagingKeys ReadMessagingKeys(tavix::VariantIni& ini) {
  MessagingKeys k;
  k.enabled = ini.read_migrated_int("Messageing enabled", 1) != 0;
  k.notifyConflict = ini.read_migrated_int("Notify conflict", 0) != 0;
  k.directory = ini.read_migrated_string("Directory", "", kMessageDirectorySize);
  k.useSubdirectory = ini.read_migrated_int("Use subdirectory", 1) != 0;
  k.scanExtension = ini.read_migrated_string("Scan extension", "", kScanExtensionSize);
  k.useMsgInExtensions = ini.read_migrated_int("Use Msg-in ext", 0) != 0;
  k.msgInExtensions = ini.read_migrated_string("Msg-in ext", "", kMsgInExtensionsSize);
  return k;
}

void WriteMessagingKeys(tavix::VariantIni& ini, const MessagingKeys& k, bool all) {
  ini.write_int(kSection, "Messageing enabled", k.enabled ? 1 : 0);
  ini.write_int(kSection, "Notify conflict", k.notifyConflict ? 1 : 0);
  if (!all) return;
  ini.write_string(kSection, "Directory", k.directory.substr(0, kMessageDirectorySize - 1).c_str());
  ini.write_int(kSection, "Use subdirectory", k.useSubdirectory ? 1 : 0);
  ini.write_string(kSection, "Scan extension", k.scanExtension.substr(0, kScanExtensionSize - 1).c_str());
  ini.write_int(kSection, "Use Msg-in ext", k.useMsgInExtensions ? 1 : 0);
  ini.write_string(kSection, "Msg-in ext", k.msgInExtensions.substr(0, kMsgInExtensionsSize - 1).c_str());
}
