// The narrow interface to the print spooler: raw jobs on a named printer.
// The Win32 shell implements it with the spooler's calls; tests record.
#pragma once

#include <cstdint>

using PrinterHandle = uintptr_t;
constexpr PrinterHandle kNoPrinter = 0;

class SpoolerPort {
 public:
  virtual ~SpoolerPort() = default;
  virtual PrinterHandle Open(const char* name) = 0;
  virtual void Close(PrinterHandle printer) = 0;
  // Each returns false with the system's error code on failure.
  virtual bool StartDocument(PrinterHandle printer, const char* name, const char* dataType, int* error) = 0;
  virtual bool StartPage(PrinterHandle printer, int* error) = 0;
  virtual bool Write(PrinterHandle printer, const uint8_t* bytes, int count, int* error) = 0;
  virtual bool EndPage(PrinterHandle printer) = 0;
  virtual bool EndDocument(PrinterHandle printer) = 0;
  virtual void Abort(PrinterHandle printer) = 0;
};
