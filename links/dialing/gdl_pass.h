// The host's changes to the global directory corvane.gdl (ESC G A add,
// U update, D delete, F finish). A pass of changes comes in ascending entry
// order under the lock "MoxelDialFile": lines before a change are copied to
// the work file, the change is written, and ESC G F copies the rest and puts
// the work file in the directory's place in one step. Entry numbers are the
// original file's line numbers throughout a pass; new and changed lines end
// in CR LF.
//
// The lock is held for at most 180 s, counted again from every change. When
// it runs out mid-pass the pass is abandoned (corvane.gdl stays as it was) and
// its later changes answer "locked" until its ESC G F, so two terminals never
// interleave their passes. A disconnect abandons the pass too.
#pragma once

#include <string>
#include <vector>

// Where a pass reads and writes.
class GdlStore {
 public:
  virtual ~GdlStore() = default;
  // corvane.gdl; false when there is none (an empty directory).
  virtual bool ReadDirectory(std::string* text) = 0;
  // The work file, created afresh; then appended to.
  virtual bool StartWork() = 0;
  virtual bool AppendWork(const std::string& bytes) = 0;
  // The work file replaces corvane.gdl in one step; false leaves corvane.gdl
  // as it was.
  virtual bool CommitWork() = 0;
  virtual void DiscardWork() = 0;
};

// The named mutex shared by the terminals of the PC and timer 9.
class DialLock {
 public:
  virtual ~DialLock() = default;
  virtual bool TryLock() = 0;          // without waiting
  virtual void Unlock() = 0;
  virtual bool LockedElsewhere() = 0;  // takes and releases it when free
  virtual void RestartTimer() = 0;     // 180 s from now
  virtual void StopTimer() = 0;
};

// The files of the real directory in the current folder: "./corvane.gdl" and
// the work file "./gdltemp1.tmp".
class FileGdlStore final : public GdlStore {
 public:
  FileGdlStore(std::string directory = "./corvane.gdl", std::string work = "./gdltemp1.tmp")
      : directory_(std::move(directory)), work_(std::move(work)) {}
  bool ReadDirectory(std::string* text) override;
  bool StartWork() override;
  bool AppendWork(const std::string& bytes) override;
  bool CommitWork() override;
  void DiscardWork() override;

 private:
  std::string directory_, work_;
};

class GdlPass {
 public:
  GdlPass(GdlStore& store, DialLock& lock) : store_(store), lock_(lock) {}

  // ESC G A, U or D with its text ("number,line"): the one-character reply.
  char Change(char which, const char* text);
  // ESC G F.
  void Finish();
  // Timer 9: the lock ran out.
  void Expired();
  // The connection ended.
  void Abandon();
  bool Running() const { return state_ == kRunning; }

 private:
  enum State { kIdle, kRunning, kLockLost };
  bool Begin();
  void CopyBefore(size_t line);  // lines up to (not including) this 0-based one
  bool Write(const std::string& bytes);
  void Drop();

  GdlStore& store_;
  DialLock& lock_;
  State state_ = kIdle;
  std::vector<std::string> lines_;  // the source, without their line feeds
  bool lastTerminated_ = true;      // the source's last line ended in a line feed
  size_t next_ = 0;                 // the next source line to copy
  bool needBreak_ = false;          // an unterminated line was copied: end it before more
  bool failed_ = false;             // the work file could not be written
};
