// The library's own small window framework: a frame window with menu,
// accelerators, tool bar, status bar and one view; the module whose
// resources the library uses; and the message-loop hooks (pre-translation
// and idle updates) the loading program calls through MoxelToHelper.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The library's own module, set when it is loaded: every resource comes
// from here, whoever calls in.
HINSTANCE HelperModule();
void SetHelperModule(HINSTANCE module);

// A top-level frame: menu and accelerators from one resource number, an
// optional tool bar and status bar, and one view filling the rest.
class FrameWindow {
 public:
  virtual ~FrameWindow() = default;

  HWND Handle() const { return frame_; }
  HWND View() const { return view_; }

  // Give the loading program's messages to the frame first: accelerators.
  // True when the message was taken.
  bool PreTranslate(MSG& msg);
  // Command states and status texts brought up to date (only what changed).
  void UpdateUserInterface();

 protected:
  // Registers `className` once; creates the hidden frame at the rectangle
  // with the menu and accelerators of `resource`.
  bool CreateFrame(const char* className, int resource, const std::string& caption, const RECT& at);
  // The tool bar's buttons: command ids with standard bitmaps.
  struct ToolButton {
    int command;
    int bitmap;  // STD_* index of the common controls' standard bitmaps
  };
  void CreateBars(const std::vector<ToolButton>& buttons);
  void SetView(HWND view) { view_ = view; }
  void ShowToolbar(bool on);
  void ShowStatusbar(bool on);
  bool ToolbarShown() const { return toolbarShown_; }
  bool StatusbarShown() const { return statusbarShown_; }
  void SetStatusTexts(const std::vector<std::string>& parts);
  void Layout();

  // Per frame: a command from menu, accelerator or tool bar.
  virtual void OnCommand(int id) = 0;
  // Whether a command is enabled / checked now.
  virtual bool CommandEnabled(int id) { return true; }
  virtual bool CommandChecked(int id) { return false; }
  // The status bar's texts now.
  virtual std::vector<std::string> StatusTexts() { return {}; }
  // Any other message; return true when handled (result in *result).
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) { return false; }
  // The window is gone (WM_NCDESTROY).
  virtual void OnDestroyed() {}

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void UpdateCommand(HMENU menu, int id);

  HWND frame_ = nullptr;
  HWND view_ = nullptr;
  HWND toolbar_ = nullptr;
  HWND statusbar_ = nullptr;
  HACCEL accelerators_ = nullptr;
  bool toolbarShown_ = true;
  bool statusbarShown_ = true;
  std::vector<ToolButton> buttons_;
  std::vector<std::string> statusShown_;
  std::vector<int> enabledShown_;
  std::vector<int> checkedShown_;
  std::vector<int> menuCommands_;
};
