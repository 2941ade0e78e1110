#include "raw_print.h"

#include <cstdio>
#include <cstring>

PrintRecord Print;
PrintWiring PrintPorts = {nullptr, nullptr};

namespace {

constexpr int kInvalidHandle = 6;
constexpr uint8_t kFormFeed = 12;
constexpr char kRawJobName[] = "Corvane transparent print";
constexpr char kRawDataType[] = "RAW";
constexpr char kNotSupported[] = "Printing function not supported by this printer";

void SetErrorText(const char* format, int code) {
  std::snprintf(Print.errorText, sizeof Print.errorText, format, code);
}

// One spooler write of the job; a failure is kept for the job's end.
void WriteToJob(const uint8_t* bytes, int count) {
  if (count <= 0 || !Print.jobOpen) return;
  int error = 0;
  if (!PrintPorts.spooler->Write(Print.jobPrinter, bytes, count, &error)) {
    if (!Print.jobWriteFailed) SetErrorText("WritePrinter error %d", error);
    Print.jobWriteFailed = true;
  }
}

// The buffer at the job's end: a final form feed goes in a write of its own.
void WriteLastLine() {
  int n = Print.lineCount;
  if (n > 0 && Print.line[n - 1] == kFormFeed) {
    WriteToJob(Print.line, n - 1);
    WriteToJob(Print.line + n - 1, 1);
  } else {
    WriteToJob(Print.line, n);
  }
  Print.lineCount = 0;
}

}  // namespace

void ResetPrint() { Print = PrintRecord{}; }

void OpenRawJob(bool useTransparentPrinter) {
  Print.errorText[0] = 0;
  SpoolerPort* spooler = PrintPorts.spooler;
  PrinterHandle printer = useTransparentPrinter ? Print.transparentPrinter : Print.jobPrinter;
  if (!spooler || printer == kNoPrinter) return;
  int error = 0;
  if (!spooler->StartDocument(printer, kRawJobName, kRawDataType, &error)) {
    if (error == kInvalidHandle) {
      std::snprintf(Print.errorText, sizeof Print.errorText, "Invalid slave printer");
    } else {
      SetErrorText("StartDocPrinter error %d", error);
    }
    return;
  }
  if (!spooler->StartPage(printer, &error)) {
    SetErrorText("StartPagePrinter error %d", error);
    spooler->EndDocument(printer);
    return;
  }
  Print.jobPrinter = printer;
  Print.jobOpen = true;
  Print.jobWriteFailed = false;
}

bool PrinterOutput(uint8_t byte, bool more) {
  if (byte == kEndOfJob && !more) {
    if (!Print.jobOpen) {
      Print.lineCount = 0;
      return false;
    }
    WriteLastLine();
    SpoolerPort* spooler = PrintPorts.spooler;
    bool ok = spooler->EndPage(Print.jobPrinter);
    ok = spooler->EndDocument(Print.jobPrinter) && ok;
    ok = ok && !Print.jobWriteFailed;
    Print.jobOpen = false;
    Print.jobWriteFailed = false;
    Print.jobPrinter = kNoPrinter;
    return ok;
  }
  Print.line[Print.lineCount++] = byte;
  if (Print.lineCount < kPrintLineSize) return true;
  if (!Print.jobOpen) {
    Print.lineCount = 0;
  } else if (Print.line[kPrintLineSize - 1] == kFormFeed) {
    // A form feed always begins a spooler write.
    WriteToJob(Print.line, kPrintLineSize - 1);
    Print.line[0] = kFormFeed;
    Print.lineCount = 1;
  } else {
    WriteToJob(Print.line, kPrintLineSize);
    Print.lineCount = 0;
  }
  return true;
}

void ShowPrintError() {
  char text[sizeof kNotSupported + kPrintErrorSize + 2];
  if (Print.errorText[0]) {
    std::snprintf(text, sizeof text, "%s\n%s", kNotSupported, Print.errorText);
  } else {
    std::snprintf(text, sizeof text, "%s", kNotSupported);
  }
  Print.errorText[0] = 0;
  if (PrintPorts.showMessage) PrintPorts.showMessage(text);
}

void SetTransparentPrinter(PrinterHandle printer) {
  if (Print.transparentPrinter != kNoPrinter && PrintPorts.spooler) {
    // A job in progress on the old printer ends with what it has.
    if (Print.jobOpen && Print.jobPrinter == Print.transparentPrinter) PrinterOutput(kEndOfJob, false);
    PrintPorts.spooler->Close(Print.transparentPrinter);
  }
  Print.transparentPrinter = printer;
}

void ClosePrinters() {
  if (Print.jobOpen) PrinterOutput(kEndOfJob, false);
  if (Print.transparentPrinter != kNoPrinter && PrintPorts.spooler) {
    PrintPorts.spooler->Close(Print.transparentPrinter);
  }
  Print.transparentPrinter = kNoPrinter;
  Print.lineCount = 0;
}
