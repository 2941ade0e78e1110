// CMyPrintDialog: the viewer's print dialog. It offers the page range
// 1 .. page count (a one-page image prints without a range choice) and
// hands back the chosen printer's device context and pages.
#pragma once

#include <windows.h>

class CMyPrintDialog {
 public:
  CMyPrintDialog(HWND owner, int pageCount) : owner_(owner), pageCount_(pageCount < 1 ? 1 : pageCount) {}
  ~CMyPrintDialog();
  CMyPrintDialog(const CMyPrintDialog&) = delete;
  CMyPrintDialog& operator=(const CMyPrintDialog&) = delete;

  // Shows the dialog; true when the user chose to print.
  bool DoModal();
  HDC PrinterDC() const { return dc_; }
  int FromPage() const { return from_; }
  int ToPage() const { return to_; }

 private:
  HWND owner_;
  int pageCount_;
  HDC dc_ = nullptr;
  HGLOBAL devMode_ = nullptr;
  HGLOBAL devNames_ = nullptr;
  int from_ = 1;
  int to_ = 1;
};
