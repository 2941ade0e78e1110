// Raw jobs through the system's print spooler.
#pragma once

#include "spooler_port.h"

class Win32Spooler final : public SpoolerPort {
 public:
  PrinterHandle Open(const char* name) override;
  void Close(PrinterHandle printer) override;
  bool StartDocument(PrinterHandle printer, const char* name, const char* dataType, int* error) override;
  bool StartPage(PrinterHandle printer, int* error) override;
  bool Write(PrinterHandle printer, const uint8_t* bytes, int count, int* error) override;
  bool EndPage(PrinterHandle printer) override;
  bool EndDocument(PrinterHandle printer) override;
  void Abort(PrinterHandle printer) override;
};
