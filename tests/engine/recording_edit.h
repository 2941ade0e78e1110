// A program editor that records every call the terminal makes on it, in
// order, and answers from a script: the messages it has queued per session
// and the session it names as having work.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "edit_relay.h"

class RecordingEdit final : public MoxelToEdit {
 public:
  std::vector<std::string> calls;
  std::map<int, std::deque<std::string>> messages;  // per session, oldest first
  int pendingSession = 0;   // what GetPendingSession answers
  int windows = 0;          // windows registered
  std::vector<std::string> loaded;  // AddLoadedLine: flag byte, then the text
  std::string current;      // the text GetNextMessage handed out last

  int CloseSession(int session) override {
    Call("CloseSession " + std::to_string(session));
    if (windows > 0) --windows;
    return windows > 0 ? 1 : 0;
  }
  void AcknowledgeSend(int session) override {
    Call("AcknowledgeSend " + std::to_string(session));
    auto& q = messages[session];
    if (!q.empty()) q.pop_front();
  }
  int GetNextMessage(int session, const char** text, int* length) override {
    Call("GetNextMessage " + std::to_string(session));
    auto& q = messages[session];
    if (q.empty()) return 0;
    current = q.front();
    *text = current.c_str();
    *length = static_cast<int>(current.size());
    return 1;
  }
  void CloseAll() override { Call("CloseAll"); }
  void AddLoadedLine(int index, const char* text, int length) override {
    loaded.push_back(std::string(1, static_cast<char>('0' + text[-1])) + std::string(text, length));
    if (loaded.size() <= 3) Call("AddLoadedLine " + std::to_string(index));
  }
  void EndOfLoad(int index) override { Call("EndOfLoad " + std::to_string(index)); }
  int CloseIndex(int index) override {
    Call("CloseIndex " + std::to_string(index));
    return 0;
  }
  int GetPendingSession() override {
    Call("GetPendingSession");
    return pendingSession;
  }
  void CancelContinuation(int session) override { Call("CancelContinuation " + std::to_string(session)); }
  void HostReply(int session, const char* reply) override {
    Call("HostReply " + std::to_string(session) + " " + reply);
  }
  void SetAllViewOnly() override { Call("SetAllViewOnly"); }
  int AnyBusy() override {
    Call("AnyBusy");
    return 0;
  }
  void CloseIdle() override { Call("CloseIdle"); }

  // The calls since the last look, then forgotten.
  std::vector<std::string> Take() {
    std::vector<std::string> c;
    c.swap(calls);
    return c;
  }

 private:
  void Call(const std::string& c) { calls.push_back(c); }
};
