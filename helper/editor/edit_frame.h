// What an edit session needs of the window that shows it. The Win32 frame
// (CFrameEdit) implements it; the native tests use a recording one.
#pragma once

#include <string>

class EditSession;
struct EditPreferences;

class EditFrame {
 public:
  virtual ~EditFrame() = default;
  virtual EditSession& Session() = 0;
  // Create the hidden frame window (step 4 of opening); false on failure.
  virtual bool CreateHidden() = 0;
  // Loading is complete: apply the preferences, show the window, focus the view.
  virtual void ShowLoaded() = 0;
  // Write the preferences as the save-on-exit mode says, destroy the window
  // and free this object. Never asks the user anything.
  virtual void Destroy() = 0;
  // Repaint the view and refresh the toolbar and status bar.
  virtual void Refresh() = 0;
  virtual void Beep() = 0;
  // The window's rectangle (its restored one when maximised) into the
  // placement preferences.
  virtual void CapturePlacement(EditPreferences& prefs) = 0;
  // A message box with the window title, shown from the window's own message
  // loop later (never inside an interface call).
  virtual void ShowMessageLater(const std::string& text) = 0;
  // A Yes/No/Cancel question (No as the default): 1 yes, 0 no, -1 cancel.
  // Only asked from the user's own commands.
  virtual int AskYesNoCancel(const char* text) = 0;
  // A Yes/No question: true for yes. Only asked from the user's own commands.
  virtual bool AskYesNo(const char* text, const char* caption) = 0;
  // The flush timer: call Session().CheckFlushTimer() in `ms` milliseconds
  // (a window timer); stopped again when the terminal has been told.
  virtual void StartFlushTimer(long long ms) { (void)ms; }
  virtual void StopFlushTimer() {}
};
