#include "shell/dialogs/disconnect_dialog_win32.h"

#include <cstring>

#include "resources/resource_ids.h"
#include "shell/dialogs/disconnect_password.h"

namespace {

constexpr char kIncorrectText[] = "The password you entered is incorrect.";
constexpr char kIncorrectCaption[] = "Incorrect Password";

// The height the warning needs at the static field's width and font.
int NeededTextHeight(HWND field, const char* text) {
  RECT rect;
  GetClientRect(field, &rect);
  HDC dc = GetDC(field);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(field, WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  DrawTextA(dc, text, -1, &rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  if (old) SelectObject(dc, old);
  ReleaseDC(field, dc);
  return rect.bottom - rect.top;
}

struct MoveBelow {
  HWND dialog;
  int below;  // client y: controls whose top is at or below this move
  int delta;
};

BOOL CALLBACK MoveIfBelow(HWND child, LPARAM param) {
  auto* move = reinterpret_cast<MoveBelow*>(param);
  if (GetParent(child) != move->dialog) return TRUE;
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, move->dialog, reinterpret_cast<POINT*>(&rect), 2);
  if (rect.top >= move->below) {
    SetWindowPos(child, nullptr, rect.left, rect.top + move->delta, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return TRUE;
}

// Grows the dialog by the height the warning needs beyond the field's own,
// moving the password field and the buttons down by as much.
void FitWarning(HWND dialog, const char* warning) {
  HWND field = GetDlgItem(dialog, IDC_DISCONNECT_TEXT);
  if (!field) return;
  RECT fieldRect;
  GetWindowRect(field, &fieldRect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&fieldRect), 2);
  int delta = NeededTextHeight(field, warning) - (fieldRect.bottom - fieldRect.top);
  if (delta <= 0) return;
  MoveBelow move{dialog, fieldRect.bottom, delta};
  EnumChildWindows(dialog, MoveIfBelow, reinterpret_cast<LPARAM>(&move));
  SetWindowPos(field, nullptr, 0, 0, fieldRect.right - fieldRect.left,
               fieldRect.bottom - fieldRect.top + delta,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT dialogRect;
  GetWindowRect(dialog, &dialogRect);
  SetWindowPos(dialog, nullptr, 0, 0, dialogRect.right - dialogRect.left,
               dialogRect.bottom - dialogRect.top + delta,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Centres the dialog on its owner (the main window), kept on the work area.
void CentreOnOwner(HWND dialog) {
  HWND owner = GetWindow(dialog, GW_OWNER);
  RECT ownerRect;
  if (!owner || !GetWindowRect(owner, &ownerRect)) {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &ownerRect, 0);
  }
  RECT rect;
  GetWindowRect(dialog, &rect);
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  int x = ownerRect.left + (ownerRect.right - ownerRect.left - width) / 2;
  int y = ownerRect.top + (ownerRect.bottom - ownerRect.top - height) / 2;
  RECT work;
  if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
    if (x + width > work.right) x = work.right - width;
    if (y + height > work.bottom) y = work.bottom - height;
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
  }
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TypedPasswordMatches(HWND dialog, const DisconnectPasswordRequest* request) {
  char typed[tavix::kDisconnectPasswordMax + 1] = "";
  GetDlgItemTextA(dialog, IDC_DISCONNECT_PASSWORD, typed, sizeof typed);
  if (!request) return false;
  int storedLength = request->storedLength > 0 ? request->storedLength : 0;
  return tavix::DisconnectPasswordMatches(typed, std::strlen(typed), request->stored,
                                          static_cast<size_t>(storedLength));
}

}  // namespace

INT_PTR CALLBACK DisconnectPasswordDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* request = reinterpret_cast<const DisconnectPasswordRequest*>(lParam);
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      const char* warning = request && request->warning ? request->warning : "";
      SetDlgItemTextA(dialog, IDC_DISCONNECT_TEXT, warning);
      SendDlgItemMessageA(dialog, IDC_DISCONNECT_PASSWORD, EM_LIMITTEXT,
                          tavix::kDisconnectPasswordMax, 0);
      FitWarning(dialog, warning);
      CentreOnOwner(dialog);
      SetFocus(GetDlgItem(dialog, IDC_DISCONNECT_PASSWORD));
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDYES: {
          auto* request = reinterpret_cast<const DisconnectPasswordRequest*>(
              GetWindowLongPtrA(dialog, DWLP_USER));
          if (TypedPasswordMatches(dialog, request)) {
            EndDialog(dialog, IDYES);
          } else {
            MessageBoxA(dialog, kIncorrectText, kIncorrectCaption, MB_OK | MB_ICONSTOP);
            SetDlgItemTextA(dialog, IDC_DISCONNECT_PASSWORD, "");
            SetFocus(GetDlgItem(dialog, IDC_DISCONNECT_PASSWORD));
          }
          return TRUE;
        }
        case IDNO:
        case IDCANCEL:
          EndDialog(dialog, IDNO);
          return TRUE;
      }
      break;
    case WM_CLOSE:
      EndDialog(dialog, IDNO);
      return TRUE;
  }
  return FALSE;
}

bool AskDisconnectPassword(HINSTANCE instance, HWND owner, const char* warning,
                           const uint8_t* stored, int storedLength) {
  DisconnectPasswordRequest request{warning, stored, storedLength};
  INT_PTR answer =
      DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_DISCONNECT_PASSWORD), owner,
                      DisconnectPasswordDialogProc, reinterpret_cast<LPARAM>(&request));
  return answer == IDYES;
}
