// The message directory's outbox: where files for the host are dropped, and
// the names of the files the auxiliary port fills with the lines its device
// sends unasked.
#pragma once

#include <string>

struct MessagingFolders {
  std::string directory;        // [Message] "Directory"
  bool useSubdirectory = true;  // "Use subdirectory": the four folders below it
  std::string scanExtension;    // "Scan extension": without the folders, the files taken
};

// The directory with a backslash after it unless it ends in one (or "/").
std::string WithSeparator(const std::string& directory);
// D\FromPC\ with the folders, else D itself (with its separator).
std::string OutboxFolder(const MessagingFolders& folders);
// A new file of the auxiliary port in the outbox, named "AUX" and eight hex
// digits of the stamp; it carries the scan extension when the outbox is the
// directory itself and one is set (so that the outbox takes it), else "TXT".
std::string AuxOutboxFileName(const MessagingFolders& folders, unsigned long stamp);
