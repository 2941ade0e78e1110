#include "gdl_pass.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

constexpr char kDone = '0';

// A positive decimal entry number at the start of text, up to a comma or the
// end; 0 when the text does not start so.
long EntryNumber(const char* text, const char** rest) {
  long n = 0;
  int digits = 0;
  const char* p = text;
  while (*p >= '0' && *p <= '9') {
    if (++digits > 9) return 0;
    n = n * 10 + (*p - '0');
    ++p;
  }
  if (digits == 0 || (*p && *p != ',')) return 0;
  *rest = *p == ',' ? p + 1 : p;
  return n;
}

}  // namespace

// ---- The files -------------------------------------------------------------

bool FileGdlStore::ReadDirectory(std::string* text) {
  text->clear();
  std::FILE* f = std::fopen(directory_.c_str(), "rb");
  if (!f) return false;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text->append(buf, n);
  std::fclose(f);
  return true;
}

bool FileGdlStore::StartWork() {
  std::FILE* f = std::fopen(work_.c_str(), "wb");
  if (!f) return false;
  return std::fclose(f) == 0;
}

bool FileGdlStore::AppendWork(const std::string& bytes) {
  std::FILE* f = std::fopen(work_.c_str(), "ab");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

bool FileGdlStore::CommitWork() {
  // One step: the directory is never missing, and a failure leaves it whole.
  std::error_code error;
  std::filesystem::rename(work_, directory_, error);
  return !error;
}

void FileGdlStore::DiscardWork() { std::remove(work_.c_str()); }

// ---- The pass --------------------------------------------------------------

bool GdlPass::Begin() {
  if (!lock_.TryLock()) return false;
  std::string text;
  store_.ReadDirectory(&text);  // no directory yet: a pass may create one
  lines_.clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines_.push_back(text.substr(start));
      break;
    }
    lines_.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  lastTerminated_ = text.empty() || text.back() == '\n';
  next_ = 0;
  needBreak_ = false;
  failed_ = !store_.StartWork();
  state_ = kRunning;
  return true;
}

bool GdlPass::Write(const std::string& bytes) {
  if (bytes.empty()) return true;
  std::string out;
  if (needBreak_) {
    out = "\r\n";
    needBreak_ = false;
  }
  out += bytes;
  if (!store_.AppendWork(out)) failed_ = true;
  return !failed_;
}

void GdlPass::CopyBefore(size_t line) {
  std::string out;
  for (; next_ < line && next_ < lines_.size(); ++next_) {
    out += lines_[next_];
    if (next_ + 1 < lines_.size() || lastTerminated_) out += '\n';
  }
  Write(out);
  if (next_ == lines_.size() && !lastTerminated_ && !lines_.empty() && !out.empty()) needBreak_ = true;
}

char GdlPass::Change(char which, const char* text) {
  const bool del = which == 'D';
  const char locked = del ? '2' : '1';
  const char unreachable = del ? '1' : '2';
  if (state_ == kLockLost) return locked;
  if (state_ == kIdle && !Begin()) return locked;
  lock_.RestartTimer();

  const char* rest = "";
  long k = EntryNumber(text ? text : "", &rest);
  // Entry k is line k. An addition may also go right after the last line;
  // a change behind the point the pass has reached cannot be made.
  const size_t last = which == 'A' ? lines_.size() + 1 : lines_.size();
  if (k <= 0 || static_cast<size_t>(k) <= next_ || static_cast<size_t>(k) > last) return unreachable;

  CopyBefore(static_cast<size_t>(k) - 1);
  if (which != 'D') {
    std::string line;
    for (const char* p = rest; *p; ++p)
      if (*p != '\r') line += *p;
    Write(line + "\r\n");
  }
  if (which != 'A') next_ = static_cast<size_t>(k);  // the old line k is replaced or dropped
  return failed_ ? unreachable : kDone;
}

void GdlPass::Finish() {
  if (state_ == kRunning) {
    CopyBefore(lines_.size());
    if (failed_ || !store_.CommitWork()) store_.DiscardWork();
    lock_.StopTimer();
    lock_.Unlock();
  }
  state_ = kIdle;
}

void GdlPass::Drop() {
  store_.DiscardWork();
  lock_.StopTimer();
  lock_.Unlock();
  lines_.clear();
}

void GdlPass::Expired() {
  if (state_ != kRunning) return;
  Drop();
  state_ = kLockLost;
}

void GdlPass::Abandon() {
  if (state_ == kRunning) Drop();
  state_ = kIdle;
}
