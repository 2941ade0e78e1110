// The global directory and its work file in memory, and a lock whose holder
// the test decides: the host's passes without files or other terminals.
#pragma once

#include <string>

#include "gdl_pass.h"

struct MemoryGdlStore final : GdlStore {
  std::string directory;
  bool exists = true;
  std::string work;
  bool working = false;
  bool commitFails = false;
  int commits = 0;

  bool ReadDirectory(std::string* text) override {
    *text = exists ? directory : std::string();
    return exists;
  }
  bool StartWork() override {
    work.clear();
    working = true;
    return true;
  }
  bool AppendWork(const std::string& bytes) override {
    if (!working) return false;
    work += bytes;
    return true;
  }
  bool CommitWork() override {
    if (!working || commitFails) return false;
    directory = work;
    exists = true;
    working = false;
    ++commits;
    return true;
  }
  void DiscardWork() override {
    work.clear();
    working = false;
  }
};

struct FakeDialLock final : DialLock {
  bool elsewhere = false;  // another terminal holds it
  bool held = false;
  int timerStarts = 0;
  bool timerRunning = false;

  bool TryLock() override {
    if (elsewhere) return false;
    held = true;
    return true;
  }
  void Unlock() override { held = false; }
  bool LockedElsewhere() override { return elsewhere; }
  void RestartTimer() override {
    ++timerStarts;
    timerRunning = true;
  }
  void StopTimer() override { timerRunning = false; }
};
