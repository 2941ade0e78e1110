// A scripted DDE layer: services that answer, request answers, a registry
// and a helper list, and a record of every call, with live-handle counts so
// a test sees a leak.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "dde_port.h"

struct FakeTransaction {
  DdeConversation conversation;
  uint32_t type;
  std::string item;  // "" for none
  std::string data;  // the bytes sent, zero included
};

class FakeDdePort final : public DdePort {
 public:
  // Script.
  bool initializeFails = false;
  std::set<std::string> services;  // "SERVICE|TOPIC" pairs that connect
  std::map<std::string, std::string> answers;  // request item -> text (a zero is added)
  bool transactionsFail = false;
  std::map<std::string, std::string> classesRoot;
  std::map<std::string, std::string> helpers;
  unsigned launchResult = 33;

  // Record.
  int initializeCalls = 0;
  int uninitializeCalls = 0;
  std::vector<std::string> connects;  // "SERVICE|TOPIC" tried
  std::vector<DdeConversation> disconnects;
  std::vector<FakeTransaction> transactions;
  std::vector<std::string> launches;
  std::vector<std::string> addresses;
  bool timerRunning = false;
  int timerStarts = 0;
  int adviseNotices = 0;
  std::vector<int> registrations;

  int LiveStrings() const { return static_cast<int>(strings_.size()); }
  int LiveData() const { return static_cast<int>(data_.size()); }
  std::string StringOf(DdeStringHandle h) const;

  bool Initialize() override;
  void Uninitialize() override;
  DdeStringHandle CreateString(const char* text) override;
  void FreeString(DdeStringHandle handle) override;
  DdeConversation Connect(DdeStringHandle service, DdeStringHandle topic) override;
  void Disconnect(DdeConversation conversation) override;
  bool Transaction(DdeConversation conversation, DdeDataHandle data, DdeStringHandle item, uint32_t type,
                   DdeDataHandle* result) override;
  DdeDataHandle AddData(DdeDataHandle data, const uint8_t* bytes, int count, int offset,
                        DdeStringHandle item) override;
  int GetData(DdeDataHandle data, uint8_t* out, int count, int offset) override;
  int TextLength(DdeDataHandle data) override;
  void FreeData(DdeDataHandle data) override;
  int ReadClassesRoot(const char* key, char* out, int size) override;
  int ReadHelper(const char* name, char* out, int size) override;
  unsigned Launch(const char* commandLine) override;
  void OpenAddress(const char* address) override { addresses.push_back(address); }
  void StartLaunchTimer(int milliseconds) override;
  void StopLaunchTimer() override { timerRunning = false; }
  void PostAdviseNotice() override { ++adviseNotices; }
  void PostRegistration(int slot) override { registrations.push_back(slot); }

  int timerMilliseconds = 0;

 private:
  std::map<uintptr_t, std::string> strings_;
  std::map<uintptr_t, std::string> data_;
  uintptr_t next_ = 100;
  std::map<DdeConversation, std::string> conversations_;
};
