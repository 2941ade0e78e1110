#include "notice_files.h"

#include <cctype>
#include <vector>

#include "framing.h"

namespace {

// Files moved out of "Msg-in" in one pass at most: the folder is listed
// again after each move, so this only stops a folder that never empties.
constexpr int kMovesPerPass = 10000;

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// The text after the name's last dot; empty when there is none.
std::string Extension(const std::string& name) {
  const size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string Trimmed(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '.')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

bool ListedExtension(const std::string& extension, const std::string& list) {
  size_t start = 0;
  for (;;) {
    const size_t comma = list.find(',', start);
    const std::string entry = Trimmed(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (entry == "*") return true;
    if (!entry.empty() && !extension.empty() && SameIgnoringCase(entry, extension)) return true;
    if (comma == std::string::npos) return false;
    start = comma + 1;
  }
}

}  // namespace

bool AcceptableNoticeFile(const MessagingFileEntry& e, const NoticeRules& rules) {
  if (e.readOnly || e.hidden || e.system || e.directory || e.size == 0) return false;
  const std::string extension = Extension(e.name);
  if (rules.useExtensions) return ListedExtension(extension, rules.extensions);
  return !extension.empty() && !SameIgnoringCase(extension, "tmp");
}

bool NoticeScanner::Queue(const std::string& path) {
  std::string text = path;
  if (!FramingSafe(text)) text = files_->ShortPath(path);
  if (text.empty() || !FramingSafe(text)) {
    if (toldRefused_.insert(path).second) refused_(path);
    return false;
  }
  queue_(text);
  return true;
}

int NoticeScanner::ProcessAck(const std::string& msgAck, const NoticeRules& rules) {
  std::vector<MessagingFileEntry> entries;
  if (!files_->List(msgAck, &entries)) return 0;
  int queued = 0;
  for (const MessagingFileEntry& e : entries)
    if (AcceptableNoticeFile(e, rules) && Queue(msgAck + e.name)) ++queued;
  return queued;
}

int NoticeScanner::ProcessIn(const std::string& msgIn, const std::string& msgAck, const NoticeRules& rules) {
  int queued = 0;
  std::set<std::string> unmovable;  // stay in "Msg-in" until the next change
  for (int moves = 0; moves < kMovesPerPass; ++moves) {
    std::vector<MessagingFileEntry> entries;
    if (!files_->List(msgIn, &entries)) break;
    bool moved = false;
    for (const MessagingFileEntry& e : entries) {
      if (!AcceptableNoticeFile(e, rules) || unmovable.count(e.name)) continue;
      if (!files_->Move(msgIn + e.name, msgAck + e.name)) {
        unmovable.insert(e.name);
        continue;
      }
      if (Queue(msgAck + e.name)) ++queued;
      moved = true;
      break;  // the folder is listed again after each move
    }
    if (!moved) break;
  }
  return queued;
}
