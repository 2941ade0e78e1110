// Transparent printing (ESC 3) as the engine's print seam, and the text
// print of the screen.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "screen_model.h"
#include "spooler_port.h"
#include "service_seams.h"

class TransparentPrintService : public PrintSeam {
 public:
  // Route 0: a raw job opens on the transparent printer and the bytes go to
  // it; other routes discard them.
  bool BeginTransparentPrint() override;
  void PrintByte(uint8_t byte) override;
  void EndTransparentPrint() override {}
};

// Screen characters as the text print sends them: every byte as itself but
// 30 and 31, which print as 174 and 175.
extern const uint8_t kPrintCharacterMap[256];

// The print-screen footer: the user id, two blanks, the local time in the
// 24-character form of the C library, then, when the window title is longer
// than "Moxel" and a blank, two blanks and the title without that product
// name, fetched as a window text with a limit of 80 + 6 - footer length - 2
// characters (80 when that is negative or above 80; no title below 2).
std::string PrintFooter(const char* userId, std::time_t when, const char* windowTitle);

// A text print on a printer (it goes into the job slot; a job still open
// there ends first): three line feeds, the 80
// characters of each row through the character map and CR LF, the footer,
// CR LF and a form feed; the job then ends. rows is the screen's 25 rows (or
// the debug view's buffer). Shows the print error when no job opened or the
// job failed; false then.
bool TextPrint(PrinterHandle printer, const Cell* rows, int rowCount, const std::string& footer);
