#include "messaging_folders.h"

#include <cstdio>
#include <string>

MessagingRecord Messaging;

void ResetMessaging() { Messaging = MessagingRecord{}; }

bool MessagingFolderPrefix(const char* folder, char* out, size_t size) {
  if (!Messaging.enabled || !Messaging.haveDirectory || !Messaging.directory[0]) return false;
  const std::string d = WithSeparator(Messaging.directory);
  int written = Messaging.useSubdirectory ? std::snprintf(out, size, "%s%s\\", d.c_str(), folder)
                                          : std::snprintf(out, size, "%s", d.c_str());
  return written > 0 && static_cast<size_t>(written) < size;
}

MessagingFolders CurrentMessagingFolders() {
  MessagingFolders f;
  if (Messaging.haveDirectory) f.directory = Messaging.directory;
  f.useSubdirectory = Messaging.useSubdirectory;
  f.scanExtension = Messaging.scanExtension;
  return f;
}

bool MessagingDelivers() { return Messaging.enabled && Messaging.source && Messaging.haveDirectory && Messaging.directory[0]; }
