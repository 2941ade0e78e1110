// Raw print jobs: the transparent printer, the job in progress, the 83-byte
// line buffer that collects the job's bytes, and the error text that tells
// why a job could not start. Used by transparent printing (ESC 3), by the
// ":LP" download endpoint and by the text print of the screen.
#pragma once

#include <cstdint>

#include "spooler_port.h"

constexpr int kPrintLineSize = 83;
constexpr int kPrintErrorSize = 201;
// The byte that ends a raw job (when no more is to come).
constexpr uint8_t kEndOfJob = 20;

struct PrintRecord {
  // The route: 0 the Windows spooler, 1-3 LPT1-LPT3 (data discarded).
  int route;
  PrinterHandle transparentPrinter;  // from printer selection to exit
  PrinterHandle jobPrinter;          // the job slot
  bool jobOpen;                      // a document is started on the job printer
  bool jobWriteFailed;               // a spooler write of this job failed
  uint8_t line[kPrintLineSize];
  uint16_t lineCount;
  char errorText[kPrintErrorSize];
};

struct PrintWiring {
  SpoolerPort* spooler;
  // A message box titled "Moxel" with a stop icon.
  void (*showMessage)(const char* text);
};

// Owned by raw_print.cpp.
extern PrintRecord Print;
extern PrintWiring PrintPorts;

// Everything closed and cleared (the wiring stays); tests.
void ResetPrint();

// Start a document "Corvane transparent print" of data type "RAW" with one
// page, on the transparent printer or on the printer already in the job
// slot. Nothing happens when the printer asked for is missing.
void OpenRawJob(bool useTransparentPrinter);
// One byte for the raw job. Byte 20 with more clear ends the job (false
// when no job was open or a write failed); any other byte is buffered and
// true comes back.
bool PrinterOutput(uint8_t byte, bool more);
// "Printing function not supported by this printer", with the error text
// when there is one; the error text is cleared.
void ShowPrintError();
// Make a printer the transparent printer, closing the previous one.
void SetTransparentPrinter(PrinterHandle printer);
// Exit: end a job in progress (its buffered bytes are written first), close
// the transparent printer.
void ClosePrinters();
