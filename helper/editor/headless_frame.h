// An edit window without a window: the session's logic alone, for running
// the library where no Win32 frame exists (the fuzz target, the benchmarks).
// Questions are answered No; messages and repaints go nowhere. `onLoaded`,
// when set, runs as the load ends (a scripted user).
#pragma once

#include "edit_frame.h"
#include "edit_session.h"

class HeadlessEditFrame final : public EditFrame {
 public:
  HeadlessEditFrame() : session_(*this) {}
  EditSession& Session() override { return session_; }
  bool CreateHidden() override { return true; }
  void ShowLoaded() override {
    if (onLoaded) onLoaded(session_);
  }
  void Destroy() override { delete this; }
  void Refresh() override {}
  void Beep() override {}
  void CapturePlacement(EditPreferences&) override {}
  void ShowMessageLater(const std::string&) override {}
  int AskYesNoCancel(const char*) override { return 0; }
  bool AskYesNo(const char*, const char*) override { return false; }

  static EditFrame* Make() { return new HeadlessEditFrame; }
  static void (*onLoaded)(EditSession&);

 private:
  EditSession session_;
};
