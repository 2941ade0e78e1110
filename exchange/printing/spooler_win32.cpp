#include "spooler_win32.h"

#include <windows.h>
#include <winspool.h>

namespace {
HANDLE H(PrinterHandle p) { return reinterpret_cast<HANDLE>(p); }
}  // namespace

PrinterHandle Win32Spooler::Open(const char* name) {
  HANDLE h = nullptr;
  if (!name || !name[0] || !OpenPrinterA(const_cast<char*>(name), &h, nullptr)) return kNoPrinter;
  return reinterpret_cast<PrinterHandle>(h);
}

void Win32Spooler::Close(PrinterHandle printer) {
  if (printer != kNoPrinter) ClosePrinter(H(printer));
}

bool Win32Spooler::StartDocument(PrinterHandle printer, const char* name, const char* dataType, int* error) {
  DOC_INFO_1A info = {const_cast<char*>(name), nullptr, const_cast<char*>(dataType)};
  if (StartDocPrinterA(H(printer), 1, reinterpret_cast<BYTE*>(&info)) != 0) return true;
  *error = static_cast<int>(GetLastError());
  return false;
}

bool Win32Spooler::StartPage(PrinterHandle printer, int* error) {
  if (StartPagePrinter(H(printer))) return true;
  *error = static_cast<int>(GetLastError());
  return false;
}

bool Win32Spooler::Write(PrinterHandle printer, const uint8_t* bytes, int count, int* error) {
  DWORD written = 0;
  if (WritePrinter(H(printer), const_cast<uint8_t*>(bytes), static_cast<DWORD>(count), &written) &&
      written == static_cast<DWORD>(count))
    return true;
  *error = static_cast<int>(GetLastError());
  return false;
}

bool Win32Spooler::EndPage(PrinterHandle printer) { return EndPagePrinter(H(printer)) != 0; }
bool Win32Spooler::EndDocument(PrinterHandle printer) { return EndDocPrinter(H(printer)) != 0; }
void Win32Spooler::Abort(PrinterHandle printer) { AbortPrinter(H(printer)); }
