#include "fake_helper.h"

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "helper/interfaces/helper_interfaces.h"

namespace {

struct Record {
  std::mutex mutex;
  std::string log;
  std::vector<long> idleCounts;
  int idleCalls = 0;
  int idleWork = 0;
  DWORD viewerThread = 0;
  HelperToMoxel* callbacks = nullptr;
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  bool hold = false;
};

Record& The() {
  static Record record;
  return record;
}

void Log(const std::string& line) {
  Record& r = The();
  std::lock_guard<std::mutex> lock(r.mutex);
  if (r.viewerThread && GetCurrentThreadId() != r.viewerThread) r.log += "thread!\n";
  r.log += line + "\n";
}

class RecordingViewer final : public MoxelToHelper {
 public:
  int OnIdle(long count) override {
    Record& r = The();
    std::lock_guard<std::mutex> lock(r.mutex);
    ++r.idleCalls;
    if (r.idleCounts.size() < 100000) r.idleCounts.push_back(count);
    return count < r.idleWork ? 1 : 0;
  }
  int PreTranslateMessage(MSG* message) override {
    if (message && message->message >= WM_APP) Log("pre:" + std::to_string(message->message - WM_APP));
    return 0;
  }
  int ClearList() override {
    // Long enough that a caller not waiting for it would be seen.
    Sleep(150);
    Log("clear");
    return 1;
  }
  void AddItem(const char* entry) override {
    std::string text = entry ? entry : "<null>";
    for (char& c : text)
      if (c == '\xFE') c = '|';
    Log("add:" + text);
  }
  void ShowList() override {
    Log("show");
    if (The().hold) WaitForSingleObject(The().release, 10000);
    Log("shown");
  }
  void CloseList() override { Log("close"); }
  void GetMonitorSize(HWND, int*, int*) override { Log("monitor"); }
};

RecordingViewer Viewer;

}  // namespace

extern "C" {

__declspec(dllexport) MoxelToHelper* __stdcall ConnectToHelper(HelperToMoxel* callbacks) {
  char mode[16] = {};
  GetEnvironmentVariableA(kFakeHelperMode, mode, sizeof mode);
  {
    Record& r = The();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.viewerThread = GetCurrentThreadId();
    r.callbacks = callbacks;
    r.log += std::string("connect") + (callbacks ? "" : " without callbacks") + "\n";
  }
  if (std::strcmp(mode, "null") == 0) return nullptr;
  if (std::strcmp(mode, "exit") == 0) ExitThread(5);
  return &Viewer;
}

__declspec(dllexport) int FakeLog(char* out, int size) {
  Record& r = The();
  std::lock_guard<std::mutex> lock(r.mutex);
  if (size <= 0) return static_cast<int>(r.log.size());
  const std::size_t n = r.log.size() < static_cast<std::size_t>(size - 1) ? r.log.size() : size - 1;
  std::memcpy(out, r.log.data(), n);
  out[n] = 0;
  return static_cast<int>(r.log.size());
}

__declspec(dllexport) int FakeIdleCounts(long* out, int max) {
  Record& r = The();
  std::lock_guard<std::mutex> lock(r.mutex);
  for (int i = 0; i < max && i < static_cast<int>(r.idleCounts.size()); ++i) out[i] = r.idleCounts[i];
  return r.idleCalls;
}

__declspec(dllexport) HelperToMoxel* FakeCallbacks() { return The().callbacks; }
__declspec(dllexport) DWORD FakeViewerThread() { return The().viewerThread; }

__declspec(dllexport) void FakeHoldShow(int hold) {
  The().hold = hold != 0;
  if (hold) ResetEvent(The().release);
  else SetEvent(The().release);
}

__declspec(dllexport) void FakeSetIdleWork(int work) {
  Record& r = The();
  std::lock_guard<std::mutex> lock(r.mutex);
  r.idleWork = work;
}

}  // extern "C"
