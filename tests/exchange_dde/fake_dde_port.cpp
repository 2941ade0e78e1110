#include "fake_dde_port.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

int CopyOut(const std::string& value, char* out, int size) {
  if (size > 0) {
    const size_t n = value.size() < static_cast<size_t>(size - 1) ? value.size() : static_cast<size_t>(size - 1);
    std::memcpy(out, value.data(), n);
    out[n] = 0;
  }
  return static_cast<int>(value.size());
}

}  // namespace

std::string FakeDdePort::StringOf(DdeStringHandle h) const {
  auto it = strings_.find(h);
  return it == strings_.end() ? std::string() : it->second;
}

bool FakeDdePort::Initialize() {
  ++initializeCalls;
  return !initializeFails;
}

void FakeDdePort::Uninitialize() { ++uninitializeCalls; }

DdeStringHandle FakeDdePort::CreateString(const char* text) {
  strings_[next_] = text;
  return next_++;
}

void FakeDdePort::FreeString(DdeStringHandle handle) {
  // Freeing a handle twice, or one never made, is a fault of the caller.
  if (strings_.erase(handle) != 1) ADD_FAILURE() << "string handle " << handle << " freed but not live";
}

DdeConversation FakeDdePort::Connect(DdeStringHandle service, DdeStringHandle topic) {
  const std::string key = StringOf(service) + "|" + StringOf(topic);
  connects.push_back(key);
  if (!services.count(key)) return 0;
  conversations_[next_] = key;
  return next_++;
}

void FakeDdePort::Disconnect(DdeConversation conversation) {
  disconnects.push_back(conversation);
  conversations_.erase(conversation);
}

bool FakeDdePort::Transaction(DdeConversation conversation, DdeDataHandle data, DdeStringHandle item, uint32_t type,
                              DdeDataHandle* result) {
  FakeTransaction t{conversation, type, item ? StringOf(item) : "", data ? data_[data] : ""};
  transactions.push_back(t);
  if (result) *result = 0;
  if (transactionsFail || !conversations_.count(conversation)) return false;
  if (type == kDdeRequest) {
    auto it = answers.find(t.item);
    if (it == answers.end()) return false;
    data_[next_] = it->second + std::string(1, '\0');
    if (result) *result = next_;
    ++next_;
  }
  return true;
}

DdeDataHandle FakeDdePort::AddData(DdeDataHandle data, const uint8_t* bytes, int count, int offset,
                                   DdeStringHandle item) {
  if (!data) data = next_++;
  std::string& d = data_[data];
  if (d.size() < static_cast<size_t>(offset + count)) d.resize(static_cast<size_t>(offset + count));
  d.replace(static_cast<size_t>(offset), static_cast<size_t>(count), reinterpret_cast<const char*>(bytes),
            static_cast<size_t>(count));
  return data;
}

int FakeDdePort::GetData(DdeDataHandle data, uint8_t* out, int count, int offset) {
  auto it = data_.find(data);
  if (it == data_.end() || offset >= static_cast<int>(it->second.size())) return 0;
  int n = static_cast<int>(it->second.size()) - offset;
  if (n > count) n = count;
  std::memcpy(out, it->second.data() + offset, static_cast<size_t>(n));
  return n;
}

int FakeDdePort::TextLength(DdeDataHandle data) {
  auto it = data_.find(data);
  if (it == data_.end()) return 0;
  return static_cast<int>(std::strlen(it->second.c_str()));
}

void FakeDdePort::FreeData(DdeDataHandle data) { data_.erase(data); }

int FakeDdePort::ReadClassesRoot(const char* key, char* out, int size) {
  auto it = classesRoot.find(key);
  return it == classesRoot.end() ? -1 : CopyOut(it->second, out, size);
}

int FakeDdePort::ReadHelper(const char* name, char* out, int size) {
  auto it = helpers.find(name);
  return it == helpers.end() ? -1 : CopyOut(it->second, out, size);
}

unsigned FakeDdePort::Launch(const char* commandLine) {
  launches.push_back(commandLine);
  return launchResult;
}

void FakeDdePort::StartLaunchTimer(int milliseconds) {
  timerRunning = true;
  ++timerStarts;
  timerMilliseconds = milliseconds;
}
