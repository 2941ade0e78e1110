// Where PC messaging keeps its files and what state it is in: the message
// directory and, with "Use subdirectory", its four folders; whether this
// instance is the message source; whether the outbox has reported a change.
// The shell fills the record from [Message] at start-up; transfers use it
// for the "&" endpoint.
#pragma once

#include <cstddef>
#include <string>

#include "outbox.h"

constexpr int kMessageDirectorySize = 512;  // 511 characters
constexpr int kScanExtensionSize = 10;      // 9 characters
constexpr int kMsgInExtensionsSize = 200;   // 199 characters

struct MessagingRecord {
  bool enabled;           // "Messageing enabled"
  bool haveDirectory;     // the directory could be made (or found)
  char directory[kMessageDirectorySize];  // "Directory"
  bool useSubdirectory;   // "Use subdirectory"
  std::string scanExtension;  // "Scan extension"
  bool notifyConflict;    // "Notify conflict": 1 = no warning
  bool useMsgInExtensions;    // "Use Msg-in ext"
  std::string msgInExtensions;  // "Msg-in ext"
  bool source;            // this instance holds "Moxel-messaging"
  bool messageWaiting;    // the outbox reported a change not yet delivered
  std::string auxOutboxFile;  // the auxiliary port's outbox file while it is filled
};

// Owned by messaging_folders.cpp.
extern MessagingRecord Messaging;

void ResetMessaging();

// The folder a messaging file goes into ("ToPC", "FromPC", "Msg-in" or
// "Msg-ack"): the directory, a backslash unless it ends in one (or in "/"),
// then, with sub-folders, the folder and a backslash. False when messaging is
// off, has no directory, or the result does not fit.
bool MessagingFolderPrefix(const char* folder, char* out, size_t size);

// The record's directory, folders and scan extension.
MessagingFolders CurrentMessagingFolders();
// Outbox files and notices go to the host only from the source, with a
// directory.
bool MessagingDelivers();
