// The messaging file port on the Win32 file functions.
#pragma once

#include "messaging_files.h"

class Win32MessagingFiles final : public MessagingFilePort {
 public:
  bool List(const std::string& folder, std::vector<MessagingFileEntry>* entries) override;
  bool ReadAll(const std::string& path, std::string* bytes) override;
  bool Move(const std::string& from, const std::string& to) override;
  std::string ShortPath(const std::string& path) override;
};

// Queue items for the host in movable global memory blocks under the named
// mutex "MoxelBrowse".
void UseGlobalHostItemMemory();
