// The fuzz target's DDE layer: services whose name starts with "S" answer,
// requests return a fixed text, launches alternate between success and
// failure; every handle is counted so a leak is caught.
#pragma once

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "dde_port.h"

class FuzzDdePort final : public DdePort {
 public:
  int liveStrings = 0;
  std::map<uintptr_t, std::string> data;

  bool Initialize() override { return true; }
  void Uninitialize() override {}
  DdeStringHandle CreateString(const char* text) override {
    ++liveStrings;
    names_[next_] = text;
    return next_++;
  }
  void FreeString(DdeStringHandle handle) override {
    if (names_.erase(handle)) --liveStrings;
  }
  DdeConversation Connect(DdeStringHandle service, DdeStringHandle topic) override {
    return names_[service].c_str()[0] == 'S' ? next_++ : 0;
  }
  void Disconnect(DdeConversation) override {}
  bool Transaction(DdeConversation, DdeDataHandle, DdeStringHandle item, uint32_t type,
                   DdeDataHandle* result) override {
    const bool ok = item != 0 || type == kDdeExecute;
    if (ok && result && type == kDdeRequest) {
      data[next_] = std::string(300, 'r') + '\0';
      *result = next_++;
    }
    return ok;
  }
  DdeDataHandle AddData(DdeDataHandle h, const uint8_t* bytes, int count, int offset, DdeStringHandle) override {
    if (!h) h = next_++;
    std::string& d = data[h];
    if (d.size() < static_cast<size_t>(offset + count)) d.resize(static_cast<size_t>(offset + count));
    d.replace(static_cast<size_t>(offset), static_cast<size_t>(count), reinterpret_cast<const char*>(bytes),
              static_cast<size_t>(count));
    return h;
  }
  int GetData(DdeDataHandle h, uint8_t* out, int count, int offset) override {
    const std::string& d = data[h];
    int n = static_cast<int>(d.size()) - offset;
    if (n > count) n = count;
    if (n <= 0) return 0;
    d.copy(reinterpret_cast<char*>(out), static_cast<size_t>(n), static_cast<size_t>(offset));
    return n;
  }
  int TextLength(DdeDataHandle h) override { return static_cast<int>(data[h].find('\0')); }
  void FreeData(DdeDataHandle h) override { data.erase(h); }
  int ReadClassesRoot(const char* key, char* out, int size) override { return -1; }
  int ReadHelper(const char* name, char* out, int size) override {
    if (name[0] != 'h' || size < 16) return -1;
    std::snprintf(out, static_cast<size_t>(size), "%s", name[1] == 'q' ? "app \"%1\"" : "app");
    return static_cast<int>(std::strlen(out));
  }
  unsigned Launch(const char*) override { return (launches_++ & 1) ? 2 : 33; }
  void OpenAddress(const char*) override {}
  void StartLaunchTimer(int) override {}
  void StopLaunchTimer() override {}
  void PostAdviseNotice() override {}
  void PostRegistration(int) override {}

 private:
  std::map<uintptr_t, std::string> names_;
  uintptr_t next_ = 1;
  unsigned launches_ = 0;
};
