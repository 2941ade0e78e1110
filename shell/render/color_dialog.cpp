// Dialog 111, "Configure Colors": edits a copy of the eleven roles' colours;
// OK writes the changed [Color] keys and takes the copy into use.
#include "resources/resource_ids.h"
#include "shell/config/config_store.h"
#include "shell/render/render_state.h"

using namespace tavix::render;

namespace {

struct ColorDialog {
    ColorTable copy;
    int role;
    HBRUSH swatches[kPaletteSize];  // exist only while the dialog is open
};

const char kSampleText[] = "\nSample Window\nText";

bool IsTextSwatch(int id) { return id >= IDC_COLOR_TEXT_FIRST && id < IDC_COLOR_TEXT_FIRST + kPaletteSize; }
bool IsBackSwatch(int id) { return id >= IDC_COLOR_BACK_FIRST && id < IDC_COLOR_BACK_FIRST + kPaletteSize; }

void RedrawMarksAndSample(HWND dialog) {
    for (int i = 0; i < kPaletteSize; ++i) {
        InvalidateRect(GetDlgItem(dialog, IDC_COLOR_TEXT_FIRST + i), nullptr, FALSE);
        InvalidateRect(GetDlgItem(dialog, IDC_COLOR_BACK_FIRST + i), nullptr, FALSE);
    }
    InvalidateRect(GetDlgItem(dialog, IDC_COLOR_SAMPLE), nullptr, FALSE);
}

void DrawSwatch(const ColorDialog& d, const DRAWITEMSTRUCT& item) {
    const bool text = IsTextSwatch(item.CtlID);
    const int index = item.CtlID - (text ? IDC_COLOR_TEXT_FIRST : IDC_COLOR_BACK_FIRST);
    const ColorRoleEntry& role = d.copy.roles[d.role];
    const bool marked = index == (text ? role.fg : role.bg);
    RECT r = item.rcItem;
    // A marked swatch has a black frame with a white line inside it, which
    // shows on every colour; the others a thin grey edge.
    FillRect(item.hDC, &r, static_cast<HBRUSH>(GetStockObject(marked ? BLACK_BRUSH : GRAY_BRUSH)));
    if (marked) {
        InflateRect(&r, -2, -2);
        FillRect(item.hDC, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    InflateRect(&r, -1, -1);
    FillRect(item.hDC, &r, d.swatches[index]);
    if (item.itemState & ODS_FOCUS) {
        RECT f = item.rcItem;
        DrawFocusRect(item.hDC, &f);
    }
}

void DrawSample(const ColorDialog& d, const DRAWITEMSTRUCT& item) {
    const ColorRoleEntry& role = d.copy.roles[d.role];
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, d.swatches[role.bg]);
    SetBkColor(item.hDC, PaletteColor(role.bg));
    SetTextColor(item.hDC, PaletteColor(role.fg));
    DrawTextA(item.hDC, kSampleText, -1, &r, DT_CENTER | DT_NOPREFIX);
}

INT_PTR CALLBACK ColorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    ColorDialog* d = reinterpret_cast<ColorDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            d = reinterpret_cast<ColorDialog*>(lParam);
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            for (int i = 0; i < kPaletteSize; ++i) d->swatches[i] = CreateSolidBrush(PaletteColor(i));
            HWND list = GetDlgItem(dialog, IDC_COLOR_ROLES);
            for (int i = 0; i < kConfigurableRoles; ++i)
                SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(RoleDisplayName(i)));
            SendMessageA(list, LB_SETCURSEL, 0, 0);
            d->role = 0;
            return TRUE;
        }
        case WM_DRAWITEM: {
            if (!d) break;
            const DRAWITEMSTRUCT& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (IsTextSwatch(item.CtlID) || IsBackSwatch(item.CtlID))
                DrawSwatch(*d, item);
            else if (item.CtlID == IDC_COLOR_SAMPLE)
                DrawSample(*d, item);
            else
                break;
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        case WM_COMMAND: {
            if (!d) break;
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (id == IDC_COLOR_ROLES && code == LBN_SELCHANGE) {
                const LRESULT sel = SendDlgItemMessageA(dialog, IDC_COLOR_ROLES, LB_GETCURSEL, 0, 0);
                if (sel >= 0 && sel < kConfigurableRoles) d->role = static_cast<int>(sel);
                RedrawMarksAndSample(dialog);
                return TRUE;
            }
            if (IsTextSwatch(id) || IsBackSwatch(id)) {
                ColorRoleEntry& role = d->copy.roles[d->role];
                if (IsTextSwatch(id))
                    role.fg = static_cast<uint8_t>(id - IDC_COLOR_TEXT_FIRST);
                else
                    role.bg = static_cast<uint8_t>(id - IDC_COLOR_BACK_FIRST);
                RedrawMarksAndSample(dialog);
                return TRUE;
            }
            if (id == IDC_COLOR_DEFAULTS) {
                for (int i = 0; i < kConfigurableRoles; ++i) {
                    d->copy.roles[i].fg = d->copy.roles[i].builtinFg;
                    d->copy.roles[i].bg = d->copy.roles[i].builtinBg;
                }
                RedrawMarksAndSample(dialog);
                return TRUE;
            }
            if (id == IDC_HELP_BUTTON) {
                if (HWND owner = GetWindow(dialog, GW_OWNER))
                    PostMessageA(owner, WM_COMMAND, CMD_HELP_CONTENTS, 0);
                return TRUE;
            }
            if (id == IDOK || id == IDCANCEL) {
                EndDialog(dialog, id);
                return TRUE;
            }
            break;
        }
        case WM_DESTROY:
            if (d) {
                for (HBRUSH& b : d->swatches) {
                    if (b) DeleteObject(b);
                    b = nullptr;
                }
            }
            break;
    }
    return FALSE;
}

}  // namespace

bool RunColorDialog(HWND owner) {
    ColorDialog d{};
    d.copy = Colors;
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_COLORS), owner,
                                           ColorDialogProc, reinterpret_cast<LPARAM>(&d));
    if (result != IDOK) return false;
    if (Render.config)
        SaveChangedColors(Colors, d.copy, *Render.config);
    else
        Colors = d.copy;
    return true;
}
