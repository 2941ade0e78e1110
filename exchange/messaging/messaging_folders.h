// Where PC messaging keeps its files: the message directory and, with
// "Use subdirectory", its four folders. The shell fills the record from
// [Message] at start-up; transfers use it for the "&" endpoint.
#pragma once

#include <cstddef>

constexpr int kMessageDirectorySize = 512;  // 511 characters

struct MessagingRecord {
  bool enabled;           // "Messageing enabled"
  bool haveDirectory;     // the directory could be made (or found)
  char directory[kMessageDirectorySize];  // "Directory"
  bool useSubdirectory;   // "Use subdirectory"
};

// Owned by messaging_folders.cpp.
extern MessagingRecord Messaging;

void ResetMessaging();

// The folder a messaging file goes into ("ToPC", "FromPC", "Msg-in" or
// "Msg-ack"): the directory, a backslash unless it ends in one (or in "/"),
// then, with sub-folders, the folder and a backslash. False when messaging is
// off, has no directory, or the result does not fit.
bool MessagingFolderPrefix(const char* folder, char* out, size_t size);
