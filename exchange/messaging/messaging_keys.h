// The [Message] keys of corvane.ini (with the configuration variant; keys
// still in the older [Helpers-32] move over when first read), with their
// defaults and length limits.
#pragma once

#include <string>

#include "shell/config/variant_ini.h"

struct MessagingKeys {
  bool enabled = true;             // "Messageing enabled"
  bool notifyConflict = false;     // "Notify conflict": 1 = no warning
  std::string directory;           // "Directory", at most 511 characters; empty: the current directory
  bool useSubdirectory = true;     // "Use subdirectory"
  std::string scanExtension;       // "Scan extension", at most 9
  bool useMsgInExtensions = false; // "Use Msg-in ext"
  std::string msgInExtensions;     // "Msg-in ext", at most 199
};

MessagingKeys ReadMessagingKeys(tavix::VariantIni& ini);
// Every key; only "Messageing enabled" and "Notify conflict" when `all` is false.
void WriteMessagingKeys(tavix::VariantIni& ini, const MessagingKeys& keys, bool all = true);
