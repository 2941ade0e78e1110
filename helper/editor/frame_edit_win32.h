// The edit window: CFrameEdit (menu, accelerators, tool bar, status bar)
// around one CViewEdit that shows and edits the session's lines, with the
// window's modeless companions (find dialog, list windows, function text).
#pragma once

#include <windows.h>

#include <deque>
#include <memory>
#include <string>

#include "edit_frame.h"
#include "edit_session.h"
#include "framework.h"
#include "view_edit_win32.h"

class EditFindDialog;
class EditListWindow;
class EditFunctionDialog;

// Which list window: the order of the placement preferences.
enum EditListKind : int { kListFound = 0, kListBookmarks = 1, kListLabels = 2 };

class CFrameEdit final : public FrameWindow, public EditFrame {
 public:
  CFrameEdit();
  ~CFrameEdit() override;

  EditSession& Session() override { return session_; }
  bool CreateHidden() override;
  void ShowLoaded() override;
  void Destroy() override;
  void Refresh() override;
  void Beep() override { MessageBeep(MB_OK); }
  void CapturePlacement(EditPreferences& prefs) override;
  void ShowMessageLater(const std::string& text) override;
  int AskYesNoCancel(const char* text) override;
  bool AskYesNo(const char* text, const char* caption) override;
  void StartFlushTimer(long long ms) override;
  void StopFlushTimer() override;

  HWND FrameHandle() const { return FrameWindow::Handle(); }
  CViewEdit& View() { return view_; }
  // Accelerators and the modeless dialogs' keyboard navigation.
  bool PreTranslate(MSG& msg);
  // A message box of this window: captioned with its title.
  int Box(const char* text, UINT flags);
  // A list window was closed or moved: its placement is kept.
  void ListClosed(EditListKind kind);
  // The caret moved to `line` from a list window or dialog: shown, focused.
  void ShowLine(int line, int column = 0);
  // The function dialog's "Replace": the word at the caret becomes `text`.
  bool ReplaceWordAtCaret(const std::string& text);
  // Run a command as if chosen from the menu (enable rule included); the
  // end-to-end tests and the benchmarks reach commands this way too.
  void RunCommand(int id);
  // Show a list window (made on first use) with its entries built afresh.
  void ShowList(EditListKind kind);

  // The view's key handling runs inside this guard, as commands do: a window
  // closed meanwhile goes only when the handler has returned.
  class Busy {
   public:
    explicit Busy(CFrameEdit& frame) : frame_(frame) { ++frame_.busyDepth_; }
    ~Busy();

   private:
    CFrameEdit& frame_;
  };

 protected:
  void OnCommand(int id) override;
  bool CommandEnabled(int id) override;
  bool CommandChecked(int id) override;
  std::vector<std::string> StatusTexts() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void OnDestroyed() override;

 private:
  void DestroyNow();
  void ShowNextMessage();
  void OnFlushTimer();
  // Commands, by group (frame_commands_win32.cpp).
  bool FileCommand(int id, bool& done);
  bool EditCommand(int id, bool& done);
  bool SearchCommand(int id, bool& done);
  bool ConfigureCommand(int id, bool& done);
  void RefreshLists();
  void OpenFind(bool replace);
  void ChooseEditFont();
  void ShowFunctionText();
  void Copy(bool cut);
  void Paste();
  void CopyLines();
  void SearchWord(bool wholeFile);

  EditSession session_;
  CViewEdit view_;
  std::unique_ptr<EditFindDialog> find_;
  std::unique_ptr<EditListWindow> lists_[3];
  std::unique_ptr<EditFunctionDialog> function_;
  std::deque<std::string> messages_;
  int busyDepth_ = 0;
  bool destroyPending_ = false;
  bool destroying_ = false;
  bool readOnlyMenu_ = false;
  bool showFunctionPending_ = false;
};

// Makes the Win32 frame for OpenEditWindow.
EditFrame* MakeWin32EditFrame();
