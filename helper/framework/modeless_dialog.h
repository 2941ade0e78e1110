// A modeless dialog of the library, owned by a frame: made from a dialog
// resource, kept until its owner goes, and given the loading program's
// messages first so that Tab, Enter and Escape work in it.
#pragma once

#include <windows.h>

class ModelessDialog {
 public:
  ModelessDialog() = default;
  ModelessDialog(const ModelessDialog&) = delete;
  ModelessDialog& operator=(const ModelessDialog&) = delete;
  virtual ~ModelessDialog();

  // Creates the hidden dialog; false on failure.
  bool CreateFrom(int resource, HWND owner);
  HWND Handle() const { return dialog_; }
  bool Visible() const { return dialog_ && IsWindowVisible(dialog_); }
  // Dialog navigation for a message meant for this dialog.
  bool PreTranslate(MSG& msg);

 protected:
  // WM_INITDIALOG has arrived.
  virtual void OnInit() {}
  // Everything else; true when handled (the result in *result).
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) = 0;

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  HWND dialog_ = nullptr;
};

// A modal dialog's procedure with `this` kept in the window: derive, call
// Run, handle OnMessage.
class ModalDialog {
 public:
  virtual ~ModalDialog() = default;
  // IDOK, IDCANCEL or what EndDialog was given; -1 on failure.
  INT_PTR Run(int resource, HWND owner);
  HWND Handle() const { return dialog_; }

 protected:
  virtual void OnInit() {}
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) = 0;

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  HWND dialog_ = nullptr;
};
