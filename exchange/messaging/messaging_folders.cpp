#include "messaging_folders.h"

#include <cstdio>
#include <cstring>

MessagingRecord Messaging;

void ResetMessaging() { Messaging = MessagingRecord{}; }

bool MessagingFolderPrefix(const char* folder, char* out, size_t size) {
  if (!Messaging.enabled || !Messaging.haveDirectory || !Messaging.directory[0]) return false;
  const char* d = Messaging.directory;
  const size_t n = std::strlen(d);
  const char* separator = d[n - 1] == '\\' || d[n - 1] == '/' ? "" : "\\";
  int written = Messaging.useSubdirectory ? std::snprintf(out, size, "%s%s%s\\", d, separator, folder)
                                          : std::snprintf(out, size, "%s%s", d, separator);
  return written > 0 && static_cast<size_t>(written) < size;
}
