// The edit window: CFrameEdit (menu, accelerators, tool bar, status bar)
// around one CViewEdit that shows and edits the session's lines.
#pragma once

#include <windows.h>

#include <deque>
#include <string>

#include "edit_frame.h"
#include "edit_session.h"
#include "framework.h"

class CFrameEdit;

class CViewEdit {
 public:
  explicit CViewEdit(CFrameEdit& frame) : frame_(&frame) {}
  ~CViewEdit();
  bool Create(HWND parent);
  HWND Handle() const { return window_; }
  void ApplyFont();
  void Refresh();
  void CaretIntoView();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnKey(WPARAM key);
  bool OnChar(WPARAM ch);
  void Paint();
  void PlaceCaret();
  void UpdateScrollBars();
  void Scroll(int bar, int request, int thumb);
  int VisibleRows() const;
  int VisibleColumns() const;

  CFrameEdit* frame_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  int cellWidth_ = 8;
  int cellHeight_ = 16;
  int firstLine_ = 0;
  int firstColumn_ = 0;
  bool hasCaret_ = false;
};

class CFrameEdit final : public FrameWindow, public EditFrame {
 public:
  CFrameEdit() : session_(*this), view_(*this) {}

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

  EditSession session_;
  CViewEdit view_;
  std::deque<std::string> messages_;
  int busyDepth_ = 0;
  bool destroyPending_ = false;
  bool destroying_ = false;
  bool readOnlyMenu_ = false;
};

// Makes the Win32 frame for OpenEditWindow.
EditFrame* MakeWin32EditFrame();
