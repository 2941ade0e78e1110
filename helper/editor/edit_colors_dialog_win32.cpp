#include "edit_colors_dialog_win32.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <initializer_list>

#include "edit_colours.h"
#include "helper_ids.h"
#include "modeless_dialog.h"

namespace {

const char* const kElements[8] = {"Text",     "Text selection", "Comment", "Reserved word",
                                  "Bookmark", "Find results",   "Strings", "80 Column marker"};
constexpr int kChoices = 17;  // the 16 custom colours and "Windows"

// The dialog of 16 colour buttons; each opens the system colour chooser.
class CustomColorsDialog final : public ModalDialog {
 public:
  explicit CustomColorsDialog(COLORREF (&colours)[16]) : colours_(colours) {}

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override {
    if (message == WM_DRAWITEM) {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const int index = static_cast<int>(item->CtlID) - IDC_CUSTOM_FIRST;
      if (index < 0 || index >= 16) return false;
      HBRUSH brush = CreateSolidBrush(colours_[index]);
      FillRect(item->hDC, &item->rcItem, brush);
      DeleteObject(brush);
      FrameRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      *result = TRUE;
      return true;
    }
    if (message != WM_COMMAND) return false;
    const int id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL) {
      EndDialog(Handle(), id);
      return true;
    }
    const int index = id - IDC_CUSTOM_FIRST;
    if (index < 0 || index >= 16) return false;
    COLORREF table[16];
    std::memcpy(table, colours_, sizeof table);
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = Handle();
    choose.rgbResult = colours_[index];
    choose.lpCustColors = table;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (ChooseColorA(&choose)) {
      colours_[index] = choose.rgbResult & 0xFFFFFF;
      InvalidateRect(GetDlgItem(Handle(), id), nullptr, TRUE);
    }
    return true;
  }

 private:
  COLORREF (&colours_)[16];
};

class ColorsDialog final : public ModalDialog {
 public:
  ColorsDialog(const EditPreferences& prefs, const COLORREF custom[16]) : prefs(prefs) {
    std::memcpy(this->custom, custom, sizeof this->custom);
  }
  EditPreferences prefs;
  COLORREF custom[16];

 protected:
  void OnInit() override {
    for (const char* e : kElements) SendDlgItemMessageA(Handle(), IDC_COLORS_ELEMENTS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e));
    for (int id : {IDC_COLORS_TEXT, IDC_COLORS_BACK}) {
      for (int code = 0; code < kChoices; ++code) {
        const char* label = code == kAutomaticColour ? "Windows" : "";
        SendDlgItemMessageA(Handle(), id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
      }
    }
    CheckDlgButton(Handle(), IDC_COLORS_CHECK_SYNTAX, prefs.checkSyntax ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageA(Handle(), IDC_COLORS_ELEMENTS, LB_SETCURSEL, 0, 0);
    ShowElement();
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override {
    switch (message) {
      case WM_DRAWITEM:
        Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        *result = TRUE;
        return true;
      case WM_COMMAND:
        return Command(LOWORD(wParam), HIWORD(wParam));
      default:
        return false;
    }
  }

 private:
  int Element() const {
    const LRESULT at = SendDlgItemMessageA(Handle(), IDC_COLORS_ELEMENTS, LB_GETCURSEL, 0, 0);
    return at >= 0 && at < 8 ? static_cast<int>(at) : 0;
  }

  void ShowElement() {
    const int role = Element();
    SendDlgItemMessageA(Handle(), IDC_COLORS_TEXT, CB_SETCURSEL, SanitiseColourCode(prefs.foreground[role]), 0);
    const bool hasBack = role < 7;
    EnableWindow(GetDlgItem(Handle(), IDC_COLORS_BACK), hasBack);
    SendDlgItemMessageA(Handle(), IDC_COLORS_BACK, CB_SETCURSEL,
                        hasBack ? SanitiseColourCode(prefs.background[role]) : -1, 0);
    InvalidateRect(GetDlgItem(Handle(), IDC_COLORS_SAMPLE), nullptr, TRUE);
  }

  bool Command(int id, int code) {
    switch (id) {
      case IDC_COLORS_ELEMENTS:
        if (code == LBN_SELCHANGE) ShowElement();
        return true;
      case IDC_COLORS_TEXT:
      case IDC_COLORS_BACK: {
        if (code != CBN_SELCHANGE) return true;
        const LRESULT at = SendDlgItemMessageA(Handle(), id, CB_GETCURSEL, 0, 0);
        if (at < 0 || at >= kChoices) return true;
        const int role = Element();
        if (id == IDC_COLORS_TEXT) prefs.foreground[role] = static_cast<int>(at);
        else if (role < 7) prefs.background[role] = static_cast<int>(at);
        InvalidateRect(GetDlgItem(Handle(), IDC_COLORS_SAMPLE), nullptr, TRUE);
        return true;
      }
      case IDC_COLORS_SET: {
        CustomColorsDialog swatches(custom);
        swatches.Run(IDD_EDIT_CUSTOM, Handle());
        InvalidateRect(Handle(), nullptr, TRUE);
        return true;
      }
      case IDOK:
        prefs.checkSyntax = IsDlgButtonChecked(Handle(), IDC_COLORS_CHECK_SYNTAX) == BST_CHECKED ? 1 : 0;
        EndDialog(Handle(), IDOK);
        return true;
      case IDCANCEL:
        EndDialog(Handle(), IDCANCEL);
        return true;
      default:
        return false;
    }
  }

  void Draw(const DRAWITEMSTRUCT& item) {
    const COLORREF window = GetSysColor(COLOR_WINDOW), text = GetSysColor(COLOR_WINDOWTEXT);
    if (item.CtlID == IDC_COLORS_SAMPLE) {
      const int role = Element();
      const COLORREF fg = ResolveForeground(role, SanitiseColourCode(prefs.foreground[role]), custom, window, text);
      const COLORREF bg = role < 7 ? ResolveBackground(role, SanitiseColourCode(prefs.background[role]), custom, window, text)
                                   : window;
      SetTextColor(item.hDC, fg);
      SetBkColor(item.hDC, bg);
      ExtTextOutA(item.hDC, item.rcItem.left + 4, item.rcItem.top + 4, ETO_OPAQUE, &item.rcItem, "Sample", 6, nullptr);
      return;
    }
    if (item.itemID == static_cast<UINT>(-1)) return;
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush((item.itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    InflateRect(&r, -2, -2);
    const int code = static_cast<int>(item.itemID);
    RECT swatch = r;
    swatch.right = swatch.left + (r.bottom - r.top) * 2;
    HBRUSH brush = CreateSolidBrush(code < 16 ? custom[code] : RGB(255, 255, 255));
    FillRect(item.hDC, &swatch, brush);
    DeleteObject(brush);
    FrameRect(item.hDC, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (code == kAutomaticColour) {
      SetBkMode(item.hDC, TRANSPARENT);
      SetTextColor(item.hDC, GetSysColor((item.itemState & ODS_SELECTED) ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      RECT label = r;
      label.left = swatch.right + 4;
      DrawTextA(item.hDC, "Windows", -1, &label, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
  }
};

}  // namespace

bool EditColorsDialog(HWND owner, EditPreferences& prefs, COLORREF custom[16]) {
  ColorsDialog dialog(prefs, custom);
  if (dialog.Run(IDD_EDIT_COLORS, owner) != IDOK) return false;
  prefs = dialog.prefs;
  std::memcpy(custom, dialog.custom, sizeof dialog.custom);
  return true;
}
