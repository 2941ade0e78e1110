#include "viewer_settings_sheet_win32.h"

#include <commctrl.h>
#include <commdlg.h>

#include "framework.h"
#include "viewer_ids.h"

namespace {

struct SheetState {
  viewer::ViewerSettings working;
  COLORREF customColors[16] = {};
};

SheetState* StateOf(HWND page) { return reinterpret_cast<SheetState*>(GetWindowLongPtrA(page, DWLP_USER)); }

void Check(HWND page, int id, bool on) { CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED); }
bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }
void Changed(HWND page) { SendMessageA(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0); }

// Common start of every page procedure: the state kept in the page.
SheetState* Attach(HWND page, UINT message, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* state = reinterpret_cast<SheetState*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
    SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    return state;
  }
  return StateOf(page);
}

bool IsApply(LPARAM lParam) { return reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY); }

// ---- General ----------------------------------------------------------------

void ShowGeneral(HWND page, const viewer::ViewerSettings& s) {
  CheckRadioButton(page, IDC_GEN_LAUNCH, IDC_GEN_THUMBNAIL, s.autoLaunch ? IDC_GEN_LAUNCH : IDC_GEN_THUMBNAIL);
  Check(page, IDC_GEN_TOPMOST, s.topmost);
  Check(page, IDC_GEN_DEFAULT_VIEWER, s.useDefaultViewer);
}

INT_PTR CALLBACK GeneralPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  SheetState* state = Attach(page, message, lParam);
  if (!state) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      ShowGeneral(page, state->working);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_GEN_RESTORE) {
        viewer::ViewerSettings d = viewer::RestoredDefaults(state->working);
        ShowGeneral(page, d);
      }
      if (HIWORD(wParam) == BN_CLICKED) Changed(page);
      return TRUE;
    case WM_NOTIFY:
      if (IsApply(lParam)) {
        state->working.autoLaunch = Checked(page, IDC_GEN_LAUNCH);
        state->working.topmost = Checked(page, IDC_GEN_TOPMOST);
        state->working.useDefaultViewer = Checked(page, IDC_GEN_DEFAULT_VIEWER);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

// ---- Browser ----------------------------------------------------------------

int SliderPosition(HWND page, int id) { return static_cast<int>(SendDlgItemMessageA(page, id, TBM_GETPOS, 0, 0)); }
void SetSlider(HWND page, int id, int position) { SendDlgItemMessageA(page, id, TBM_SETPOS, TRUE, position); }

// The sample's size from the sliders; with the aspect kept, the height
// follows the width.
void SampleSize(HWND page, int* width, int* height) {
  *width = viewer::ThumbWidthForPosition(SliderPosition(page, IDC_BR_WIDTH));
  *height = Checked(page, IDC_BR_ASPECT) ? viewer::AspectHeight(*width)
                                          : viewer::ThumbHeightForPosition(SliderPosition(page, IDC_BR_HEIGHT));
}

void FollowAspect(HWND page) {
  const bool aspect = Checked(page, IDC_BR_ASPECT);
  EnableWindow(GetDlgItem(page, IDC_BR_HEIGHT), !aspect);
  if (aspect) {
    int w, h;
    SampleSize(page, &w, &h);
    SetSlider(page, IDC_BR_HEIGHT, viewer::PositionForThumbHeight(h));
  }
  InvalidateRect(GetDlgItem(page, IDC_BR_SAMPLE), nullptr, TRUE);
}

void ShowBrowser(HWND page, const viewer::ViewerSettings& s) {
  CheckRadioButton(page, IDC_BR_THUMB_VIEW, IDC_BR_LIST_VIEW, s.thumbView ? IDC_BR_THUMB_VIEW : IDC_BR_LIST_VIEW);
  CheckRadioButton(page, IDC_BR_FAST, IDC_BR_OPTIMIZED, IDC_BR_FAST + viewer::ClampDisplayType(s.thumbDisplay));
  Check(page, IDC_BR_ANNOTATIONS, s.thumbAnnotations);
  Check(page, IDC_BR_ASPECT, s.thumbAspect);
  Check(page, IDC_BR_TYPE_COLUMN, s.typeColEnabled);
  Check(page, IDC_BR_SIZE_COLUMN, s.sizeColEnabled);
  SetSlider(page, IDC_BR_WIDTH, viewer::PositionForThumbWidth(s.thumbWidth));
  SetSlider(page, IDC_BR_HEIGHT, viewer::PositionForThumbHeight(s.thumbHeight));
  FollowAspect(page);
}

void DrawSample(HWND page, const DRAWITEMSTRUCT* d) {
  HBRUSH back = GetSysColorBrush(COLOR_3DFACE);
  FillRect(d->hDC, &d->rcItem, back);
  int w, h;
  SampleSize(page, &w, &h);
  const int x = d->rcItem.left + (d->rcItem.right - d->rcItem.left - w) / 2;
  const int y = d->rcItem.top + (d->rcItem.bottom - d->rcItem.top - h) / 2;
  HBRUSH light = CreateSolidBrush(GetSysColor(COLOR_3DLIGHT));
  RECT cell = {x, y, x + w, y + h};
  FillRect(d->hDC, &cell, light);
  DeleteObject(light);
  FrameRect(d->hDC, &cell, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

INT_PTR CALLBACK BrowserPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  SheetState* state = Attach(page, message, lParam);
  if (!state) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      for (int id : {IDC_BR_WIDTH, IDC_BR_HEIGHT}) {
        SendDlgItemMessageA(page, id, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
        SendDlgItemMessageA(page, id, TBM_SETTICFREQ, 10, 0);
      }
      ShowBrowser(page, state->working);
      return TRUE;
    case WM_HSCROLL:
      FollowAspect(page);
      Changed(page);
      return TRUE;
    case WM_DRAWITEM:
      if (wParam == IDC_BR_SAMPLE) DrawSample(page, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_BR_RESTORE) ShowBrowser(page, viewer::RestoredDefaults(state->working));
      if (LOWORD(wParam) == IDC_BR_ASPECT) FollowAspect(page);
      if (HIWORD(wParam) == BN_CLICKED) Changed(page);
      return TRUE;
    case WM_NOTIFY:
      if (IsApply(lParam)) {
        viewer::ViewerSettings& s = state->working;
        s.thumbView = Checked(page, IDC_BR_THUMB_VIEW);
        s.thumbDisplay = Checked(page, IDC_BR_OPTIMIZED) ? 2 : Checked(page, IDC_BR_PRECISE) ? 1 : 0;
        s.thumbAnnotations = Checked(page, IDC_BR_ANNOTATIONS);
        s.thumbAspect = Checked(page, IDC_BR_ASPECT);
        SampleSize(page, &s.thumbWidth, &s.thumbHeight);
        s.typeColEnabled = Checked(page, IDC_BR_TYPE_COLUMN);
        s.sizeColEnabled = Checked(page, IDC_BR_SIZE_COLUMN);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

// ---- Viewer -----------------------------------------------------------------

void ShowViewer(HWND page, const viewer::ViewerSettings& s) {
  CheckRadioButton(page, IDC_VW_FAST, IDC_VW_OPTIMIZED, IDC_VW_FAST + viewer::ClampDisplayType(s.mainDisplay));
  Check(page, IDC_VW_ANNOTATIONS, s.mainAnnotations);
  CheckRadioButton(page, IDC_VW_FIT_WIDTH, IDC_VW_FIT_PAGE, s.mainFitMode ? IDC_VW_FIT_PAGE : IDC_VW_FIT_WIDTH);
  // The background chosen on the page, kept until the sheet is confirmed.
  SetPropA(page, "ViewerBackground", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(s.mainBackground)));
}

int PageBackground(HWND page) { return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(page, "ViewerBackground"))); }

// The system's colour chooser over the current colour; the 3D-light
// colour itself is stored as -1.
void ChooseBackground(HWND page, SheetState* state) {
  const COLORREF light = GetSysColor(COLOR_3DLIGHT);
  const int current = PageBackground(page);
  CHOOSECOLORA cc = {};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = page;
  cc.rgbResult = current == -1 ? light : static_cast<COLORREF>(current);
  cc.lpCustColors = state->customColors;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorA(&cc)) return;
  const int chosen = cc.rgbResult == light ? -1 : static_cast<int>(cc.rgbResult & 0xFFFFFF);
  SetPropA(page, "ViewerBackground", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(chosen)));
  Changed(page);
}

INT_PTR CALLBACK ViewerPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  SheetState* state = Attach(page, message, lParam);
  if (!state) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      ShowViewer(page, state->working);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_VW_RESTORE) ShowViewer(page, viewer::RestoredDefaults(state->working));
      if (LOWORD(wParam) == IDC_VW_BACKGROUND) ChooseBackground(page, state);
      else if (HIWORD(wParam) == BN_CLICKED) Changed(page);
      return TRUE;
    case WM_NOTIFY:
      if (IsApply(lParam)) {
        viewer::ViewerSettings& s = state->working;
        s.mainDisplay = Checked(page, IDC_VW_OPTIMIZED) ? 2 : Checked(page, IDC_VW_PRECISE) ? 1 : 0;
        s.mainAnnotations = Checked(page, IDC_VW_ANNOTATIONS);
        s.mainFitMode = Checked(page, IDC_VW_FIT_PAGE) ? 1 : 0;
        s.mainBackground = PageBackground(page);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      RemovePropA(page, "ViewerBackground");
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

bool RunViewerSettingsSheet(HWND owner, viewer::ViewerSettings* settings) {
  if (!settings) return false;
  SheetState state;
  state.working = *settings;
  for (COLORREF& c : state.customColors) c = RGB(255, 255, 255);
  PROPSHEETPAGEA pages[3] = {};
  const int ids[3] = {IDD_VIEWER_GENERAL, IDD_VIEWER_BROWSER, IDD_VIEWER_VIEWER};
  const DLGPROC procedures[3] = {GeneralPage, BrowserPage, ViewerPage};
  for (int i = 0; i < 3; ++i) {
    pages[i].dwSize = sizeof pages[i];
    pages[i].hInstance = HelperModule();
    pages[i].pszTemplate = MAKEINTRESOURCEA(ids[i]);
    pages[i].pfnDlgProc = procedures[i];
    pages[i].lParam = reinterpret_cast<LPARAM>(&state);
  }
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
  header.hwndParent = owner;
  header.hInstance = HelperModule();
  header.pszCaption = "Attachement Viewer Settings";
  header.nPages = 3;
  header.ppsp = pages;
  if (PropertySheetA(&header) <= 0) return false;
  *settings = state.working;
  return true;
}
