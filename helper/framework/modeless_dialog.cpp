#include "modeless_dialog.h"

#include "framework.h"

namespace {

// Colour messages return their brush itself; the rest go through the
// dialog's message result.
INT_PTR DialogResult(HWND dialog, UINT message, INT_PTR result) {
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) return result;
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace

ModelessDialog::~ModelessDialog() {
  if (dialog_) {
    HWND dialog = dialog_;
    SetWindowLongPtrA(dialog, DWLP_USER, 0);
    dialog_ = nullptr;
    DestroyWindow(dialog);
  }
}

bool ModelessDialog::CreateFrom(int resource, HWND owner) {
  dialog_ = CreateDialogParamA(HelperModule(), MAKEINTRESOURCEA(resource), owner, Procedure,
                               reinterpret_cast<LPARAM>(this));
  return dialog_ != nullptr;
}

bool ModelessDialog::PreTranslate(MSG& msg) {
  if (!dialog_ || !IsWindowVisible(dialog_)) return false;
  if (msg.hwnd != dialog_ && !IsChild(dialog_, msg.hwnd)) return false;
  return IsDialogMessageA(dialog_, &msg) != FALSE;
}

INT_PTR CALLBACK ModelessDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<ModelessDialog*>(lParam);
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    self->dialog_ = dialog;
    self->OnInit();
    return TRUE;
  }
  auto* self = reinterpret_cast<ModelessDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (!self) return FALSE;
  INT_PTR result = 0;
  if (!self->OnMessage(message, wParam, lParam, &result)) return FALSE;
  return DialogResult(dialog, message, result);
}

INT_PTR ModalDialog::Run(int resource, HWND owner) {
  return DialogBoxParamA(HelperModule(), MAKEINTRESOURCEA(resource), owner, Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<ModalDialog*>(lParam);
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    self->dialog_ = dialog;
    self->OnInit();
    return TRUE;
  }
  auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (!self) return FALSE;
  INT_PTR result = 0;
  if (!self->OnMessage(message, wParam, lParam, &result)) return FALSE;
  return DialogResult(dialog, message, result);
}
