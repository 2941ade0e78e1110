#include "print_service.h"

#include <cstring>

#include "raw_print.h"

namespace {

constexpr char kProductBlank[] = "Moxel ";
constexpr int kProductBlankLength = sizeof kProductBlank - 1;


}  // namespace

const uint8_t kPrintCharacterMap[256] = {
#define R16(b) b, b + 1, b + 2, b + 3, b + 4, b + 5, b + 6, b + 7, b + 8, b + 9, b + 10, b + 11, b + 12, b + 13, b + 14, b + 15
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,
    16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 174, 175,
    R16(32), R16(48), R16(64), R16(80), R16(96), R16(112), R16(128), R16(144), R16(160),
    R16(176), R16(192), R16(208), R16(224), R16(240),
#undef R16
};

bool TransparentPrintService::BeginTransparentPrint() {
  if (Print.route != 0) return false;
  // A job that a cut-off stream left open ends with what it had.
  if (Print.jobOpen) PrinterOutput(kEndOfJob, false);
  OpenRawJob(true);
  Print.lineCount = 0;
  return true;
}

void TransparentPrintService::PrintByte(uint8_t byte) {
  if (!PrinterOutput(byte, false)) ShowPrintError();
}

std::string PrintFooter(const char* userId, std::time_t when, const char* windowTitle) {
  std::string footer = userId;
  footer += "  ";
  char clock[32] = "";
  if (const std::tm* local = std::localtime(&when)) {
    if (const char* text = std::asctime(local)) std::strncat(clock, text, 24);
  }
  footer += clock;
  const size_t titleLength = std::strlen(windowTitle);
  if (titleLength <= static_cast<size_t>(kProductBlankLength)) return footer;
  int limit = 80 + 6 - static_cast<int>(footer.size()) - 2;
  if (limit < 0 || limit > 80) limit = 80;
  if (limit < 2) return footer;
  // A window text fetched with a limit holds at most limit - 1 characters.
  std::string title(windowTitle, titleLength < static_cast<size_t>(limit - 1) ? titleLength : limit - 1);
  if (title.size() <= static_cast<size_t>(kProductBlankLength)) return footer;
  footer += "  ";
  footer += title.substr(kProductBlankLength);
  return footer;
}

bool TextPrint(PrinterHandle printer, const Cell* rows, int rowCount, const std::string& footer) {
  if (Print.jobOpen) PrinterOutput(kEndOfJob, false);
  Print.jobPrinter = printer;
  OpenRawJob(false);
  if (!Print.jobOpen) {
    ShowPrintError();
    return false;
  }
  Print.lineCount = 0;
  for (int i = 0; i < 3; ++i) PrinterOutput(10, true);
  for (int row = 0; row < rowCount; ++row) {
    for (int col = 0; col < kScreenCols; ++col) PrinterOutput(kPrintCharacterMap[rows[row * kScreenCols + col].glyph], true);
    PrinterOutput(13, true);
    PrinterOutput(10, true);
  }
  for (char c : footer) PrinterOutput(static_cast<uint8_t>(c), true);
  PrinterOutput(13, true);
  PrinterOutput(10, true);
  PrinterOutput(12, true);
  if (PrinterOutput(kEndOfJob, false)) return true;
  ShowPrintError();
  return false;
}
