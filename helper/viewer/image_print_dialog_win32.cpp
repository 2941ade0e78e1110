#include "image_print_dialog_win32.h"

#include <commdlg.h>

CMyPrintDialog::~CMyPrintDialog() {
  if (dc_) DeleteDC(dc_);
  if (devMode_) GlobalFree(devMode_);
  if (devNames_) GlobalFree(devNames_);
}

bool CMyPrintDialog::DoModal() {
  PRINTDLGA pd = {};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner_;
  pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
  if (pageCount_ > 1) {
    pd.nMinPage = 1;
    pd.nMaxPage = static_cast<WORD>(pageCount_ > 0xFFFF ? 0xFFFF : pageCount_);
    pd.nFromPage = 1;
    pd.nToPage = pd.nMaxPage;
  } else {
    pd.Flags |= PD_NOPAGENUMS;
  }
  if (!PrintDlgA(&pd)) return false;
  dc_ = pd.hDC;
  devMode_ = pd.hDevMode;
  devNames_ = pd.hDevNames;
  if (pageCount_ > 1 && (pd.Flags & PD_PAGENUMS)) {
    from_ = pd.nFromPage;
    to_ = pd.nToPage;
  } else {
    from_ = 1;
    to_ = pageCount_;
  }
  return dc_ != nullptr;
}
