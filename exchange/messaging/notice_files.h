// The notice folders: a file that appears in "Msg-in" is moved to "Msg-ack"
// and its path queued for the host; at start the files already in
// "Msg-ack" are queued again. Runs on the watcher thread.
#pragma once

#include <functional>
#include <set>
#include <string>

#include "messaging_files.h"

struct NoticeRules {
  bool useExtensions = false;  // "Use Msg-in ext"
  std::string extensions;      // "Msg-in ext": comma-separated, "*" takes any
};

// A file fit to be a notice: no read-only, hidden, system or folder entry,
// not empty, and its extension passes the rules (without the list: any but
// "tmp", and a file without one is refused).
bool AcceptableNoticeFile(const MessagingFileEntry& entry, const NoticeRules& rules);

class NoticeScanner {
 public:
  // queue(path) puts a notice into the queue for the host; refused(path) is
  // told once of a path that cannot be framed for the host (see framing.h).
  NoticeScanner(MessagingFilePort* files, std::function<void(const std::string&)> queue,
                std::function<void(const std::string&)> refused)
      : files_(files), queue_(std::move(queue)), refused_(std::move(refused)) {}

  // Both return how many notices were queued. `msgIn` and `msgAck` are the
  // folders with their separators.
  int ProcessAck(const std::string& msgAck, const NoticeRules& rules);
  int ProcessIn(const std::string& msgIn, const std::string& msgAck, const NoticeRules& rules);

 private:
  bool Queue(const std::string& path);

  MessagingFilePort* files_;
  std::function<void(const std::string&)> queue_;
  std::function<void(const std::string&)> refused_;
  std::set<std::string> toldRefused_;
};
