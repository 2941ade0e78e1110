// The message directory's outbox: where files for the host are dropped, the
// names of the files the auxiliary port fills with the lines its device
// sends unasked, and which file goes to the host next.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "messaging_files.h"

struct MessagingFolders {
  std::string directory;        // [Message] "Directory"
  bool useSubdirectory = true;  // "Use subdirectory": the four folders below it
  std::string scanExtension;    // "Scan extension": without the folders, the files taken
};

// The directory with a backslash after it unless it ends in one (or "/").
std::string WithSeparator(const std::string& directory);
// D\FromPC\ with the folders, else D itself (with its separator).
std::string OutboxFolder(const MessagingFolders& folders);
// A file of the auxiliary port in the outbox: "AUX", the counter as five
// digits (it runs modulo 100000), "." and the scan extension when the outbox
// is the directory itself and one is set (so that the outbox takes it), else
// "txt".
std::string AuxOutboxFileName(const MessagingFolders& folders, unsigned counter);

// Whether an outbox entry may go to the host at all: not read-only, hidden,
// system or a folder, not empty, not the auxiliary file being filled, and
// with the scan extension when one applies (any case).
bool OutboxCandidate(const MessagingFileEntry& entry, const MessagingFolders& folders,
                     const std::string& auxFileBeingFilled);

// Chooses the next outbox file, in name order. A file that went to the host,
// or that could not be framed, is passed over until it changes (size or
// time).
class OutboxPicker {
 public:
  // The first candidate not yet offered and not in `skip`; false when none.
  bool Next(std::vector<MessagingFileEntry> entries, const MessagingFolders& folders,
            const std::string& auxFileBeingFilled, const std::set<std::string>& skip,
            MessagingFileEntry* next) const;
  void Offered(const MessagingFileEntry& entry);
  void Forget(const std::string& name) { offered_.erase(name); }
  void Clear() { offered_.clear(); }

 private:
  struct Stamp {
    uint64_t size, time;
  };
  std::map<std::string, Stamp> offered_;
};
