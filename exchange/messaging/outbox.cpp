#include "outbox.h"

#include <cstdio>

std::string WithSeparator(const std::string& directory) {
  if (directory.empty()) return directory;
  char last = directory.back();
  return last == '\\' || last == '/' ? directory : directory + "\\";
}

std::string OutboxFolder(const MessagingFolders& folders) {
  std::string d = WithSeparator(folders.directory);
  if (d.empty()) return d;
  return folders.useSubdirectory ? d + "FromPC\\" : d;
}

std::string AuxOutboxFileName(const MessagingFolders& folders, unsigned long stamp) {
  std::string folder = OutboxFolder(folders);
  if (folder.empty()) return folder;
  const std::string extension =
      !folders.useSubdirectory && !folders.scanExtension.empty() ? folders.scanExtension : "TXT";
  char name[32];
  std::snprintf(name, sizeof name, "AUX%08lX.", stamp & 0xFFFFFFFFul);
  return folder + name + extension;
}
