#include "edit_goto_dialog_win32.h"

#include "helper_ids.h"
#include "modeless_dialog.h"

namespace {

class GoToDialog final : public ModalDialog {
 public:
  int line = 0;

 protected:
  void OnInit() override {
    SetDlgItemInt(Handle(), IDC_GOTO_LINE, 1, FALSE);
    SendDlgItemMessageA(Handle(), IDC_GOTO_LINE, EM_SETSEL, 0, -1);
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR*) override {
    if (message != WM_COMMAND) return false;
    switch (LOWORD(wParam)) {
      case IDOK: {
        BOOL ok = FALSE;
        const UINT n = GetDlgItemInt(Handle(), IDC_GOTO_LINE, &ok, FALSE);
        if (!ok || n < 1) {
          MessageBeep(MB_OK);
          return true;
        }
        line = n > 0x7fffffff ? 0x7fffffff : static_cast<int>(n);
        EndDialog(Handle(), IDOK);
        return true;
      }
      case IDCANCEL:
        EndDialog(Handle(), IDCANCEL);
        return true;
      default:
        return false;
    }
  }
};

}  // namespace

int AskGoToLine(HWND owner) {
  GoToDialog dialog;
  return dialog.Run(IDD_EDIT_GOTO, owner) == IDOK ? dialog.line : 0;
}
