// Recording stand-ins for the two sides an edit session talks to: the
// terminal's preference callbacks and the window.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "edit_frame.h"
#include "edit_session.h"
#if defined(_WIN32)
#include <windows.h>  // RECT in full for the Windows build of the tests
#endif
#include "helper/interfaces/helper_interfaces.h"

// Records every call by slot name ("GetToolbar(BP)"); getters answer from
// `values` (by slot name) or else 0.
class RecordingEditToMoxel final : public EditToMoxel {
 public:
  std::vector<std::string> calls;
  std::map<std::string, int> values;
  int notifications = 0;
  std::vector<int> closeRequests;
  RECT desktop{0, 0, 1024, 768};

  int Value(const char* name) const {
    auto it = values.find(name);
    return it == values.end() ? 0 : it->second;
  }
  void Record(const std::string& call) { calls.push_back(call); }
  static std::string S(const char* suffix) { return suffix ? suffix : "(null)"; }

  int GetCheckSyntax(const char* s) override { Record("GetCheckSyntax(" + S(s) + ")"); return Value("CheckSyntax"); }
  void SetCheckSyntax(int f, const char* s) override { Record("SetCheckSyntax(" + std::to_string(f) + "," + S(s) + ")"); }
  int GetAutoLabels(const char* s) override { Record("GetAutoLabels(" + S(s) + ")"); return Value("AutoLabels"); }
  void SetAutoLabels(int f, const char* s) override { Record("SetAutoLabels(" + std::to_string(f) + "," + S(s) + ")"); }
  void GetDesktopRect(RECT* r) override { Record("GetDesktopRect"); *r = desktop; }
  void NotifyPending() override { ++notifications; }
  void SetToolbar(int f, const char* s) override { Record("SetToolbar(" + std::to_string(f) + "," + S(s) + ")"); }
  int GetToolbar(const char* s) override { Record("GetToolbar(" + S(s) + ")"); return Value("Toolbar"); }
  void SetStatusbar(int f, const char* s) override { Record("SetStatusbar(" + std::to_string(f) + "," + S(s) + ")"); }
  int GetStatusbar(const char* s) override { Record("GetStatusbar(" + S(s) + ")"); return Value("Statusbar"); }
  int GetColumnWarning(const char* s) override { Record("GetColumnWarning(" + S(s) + ")"); return Value("ColumnWarning"); }
  void SetColumnWarning(int f, const char* s) override { Record("SetColumnWarning(" + std::to_string(f) + "," + S(s) + ")"); }
  void RequestClose(int session) override { closeRequests.push_back(session); }
  int GetAutoIndent(const char* s) override { Record("GetAutoIndent(" + S(s) + ")"); return Value("AutoIndent"); }
  void SetAutoIndent(int f, const char* s) override { Record("SetAutoIndent(" + std::to_string(f) + "," + S(s) + ")"); }
  int GetSaveOnExit(const char* s) override { Record("GetSaveOnExit(" + S(s) + ")"); return Value("SaveOnExit"); }
  void SetSaveOnExit(int m, const char* s) override { Record("SetSaveOnExit(" + std::to_string(m) + "," + S(s) + ")"); }
  void GetWindowPlacement(int* x, int* y, int* w, int* h, const char* s) override {
    Record("GetWindowPlacement(" + S(s) + ")");
    *x = Value("X") ? Value("X") : -1;
    *y = Value("Y") ? Value("Y") : -1;
    *w = Value("W") ? Value("W") : 400;
    *h = Value("H") ? Value("H") : 400;
  }
  void SetWindowPlacement(int x, int y, int w, int h, const char* s) override {
    Record("SetWindowPlacement(" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(w) + "," +
           std::to_string(h) + "," + S(s) + ")");
  }
  void GetFindOptions(int* a, int* b, int* c, int* d, const char* s) override {
    Record("GetFindOptions(" + S(s) + ")");
    *a = 1, *b = 0, *c = 0, *d = 1;
  }
  void SetFindOptions(int, int, int, int, const char* s) override { Record("SetFindOptions(" + S(s) + ")"); }
  void GetFont(char* name, int size, int* pt, int* it, int* b, const char* s) override {
    Record("GetFont(" + std::to_string(size) + "," + S(s) + ")");
    snprintf(name, static_cast<size_t>(size), "%s", "Courier New");
    *pt = values.count("PointSize") ? Value("PointSize") : 10, *it = 0, *b = 0;
  }
  void SetFont(const char* name, int, int, int, const char* s) override { Record("SetFont(" + std::string(name) + "," + S(s) + ")"); }
  int GetColors(int n, int* fg, int* bg, const char* s) override {
    Record("GetColors(" + std::to_string(n) + "," + S(s) + ")");
    // "ColorCode", when set, is stored for every role (as a damaged file might).
    const int code = values.count("ColorCode") ? Value("ColorCode") : 16;
    for (int i = 0; i <= n; ++i) fg[i] = code;
    for (int i = 0; i < n; ++i) bg[i] = code;
    return 16;
  }
  void SetColors(int n, const int*, const int*, const char* s) override { Record("SetColors(" + std::to_string(n) + "," + S(s) + ")"); }
  void GetDialogPlacement(int which, int* x, int* y, int* w, int* h, const char* s) override {
    Record("GetDialogPlacement(" + std::to_string(which) + "," + S(s) + ")");
    *x = *y = *w = *h = -1;
  }
  void SetDialogPlacement(int which, int, int, int, int, const char* s) override {
    Record("SetDialogPlacement(" + std::to_string(which) + "," + S(s) + ")");
  }
  int GetFunctionWidth(const char* s) override { Record("GetFunctionWidth(" + S(s) + ")"); return -1; }
  void SetFunctionWidth(int, const char* s) override { Record("SetFunctionWidth(" + S(s) + ")"); }
  void GetCustomColors(COLORREF* c, const char* s) override {
    Record("GetCustomColors(" + S(s) + ")");
    // "CustomTop", when set, fills the top byte the colour word should not carry.
    const COLORREF top = static_cast<COLORREF>(static_cast<uint32_t>(Value("CustomTop")) << 24);
    for (int i = 0; i < 16; ++i) c[i] = static_cast<COLORREF>(i) | top;
  }
  void SetCustomColors(const COLORREF*, const char* s) override { Record("SetCustomColors(" + S(s) + ")"); }
  int GetSortLabels(const char* s) override { Record("GetSortLabels(" + S(s) + ")"); return Value("SortLabels"); }
  void SetSortLabels(int f, const char* s) override { Record("SetSortLabels(" + std::to_string(f) + "," + S(s) + ")"); }
  int GetNumPadScreenDraw(const char* s) override { Record("GetNumPadScreenDraw(" + S(s) + ")"); return Value("NumPad"); }
  void SetNumPadScreenDraw(int f, const char* s) override { Record("SetNumPadScreenDraw(" + std::to_string(f) + "," + S(s) + ")"); }
};

// A window that records what the session and the registry ask of it.
class FakeFrame final : public EditFrame {
 public:
  explicit FakeFrame(std::vector<std::string>* log = nullptr) : session_(*this), log_(log) {}
  EditSession& Session() override { return session_; }
  bool CreateHidden() override { return createSucceeds; }
  void ShowLoaded() override { Log("show"); }
  void Destroy() override;
  void Refresh() override { ++refreshes; }
  void Beep() override { Log("beep"); }
  void CapturePlacement(EditPreferences& prefs) override {}
  void ShowMessageLater(const std::string& text) override { messages.push_back(text); }
  int AskYesNoCancel(const char* text) override {
    questions.push_back(text);
    return answer;
  }
  bool AskYesNo(const char* text, const char*) override {
    questions.push_back(text);
    return answer > 0;
  }

  void StartFlushTimer(long long ms) override { timerStarts.push_back(ms); }
  void StopFlushTimer() override { ++timerStops; }

  bool createSucceeds = true;
  std::vector<long long> timerStarts;  // each window timer asked for, in ms
  int timerStops = 0;
  int answer = 1;
  int refreshes = 0;
  std::vector<std::string> messages;
  std::vector<std::string> questions;

 private:
  void Log(const std::string& what) {
    if (log_) log_->push_back(what + " " + std::to_string(session_.session));
  }
  EditSession session_;
  std::vector<std::string>* log_;
};

// Every message the host would get from the session, each confirmed (the
// pending line change first goes into the queue when `flush` is set).
std::vector<std::string> DrainMessages(EditSession& session, bool flush);

// Frames made by OpenEditWindow in the tests log here.
extern std::vector<std::string> FrameLog;
extern FakeFrame* LastFrame;
extern bool NextFrameFails;
EditFrame* MakeFakeFrame();

// The records of the stored-line flag byte and text, as the terminal keeps them.
struct LoadedRecord {
  std::string bytes;  // flag byte then text
  LoadedRecord(char flag, const std::string& text) : bytes(1, flag) { bytes += text; }
  const char* text() const { return bytes.data() + 1; }
  int length() const { return static_cast<int>(bytes.size()) - 1; }
};
