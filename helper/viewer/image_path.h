// Paths the viewer must never open: device names ("COM1", "nul.txt",
// "C:\x\LPT1", "PRN:", "C:CON", "CLOCK$") and the device namespaces "\\.\"
// and "\\?\". The one rule for the image control and the list alike.
#pragma once

#include <string>

// True for a device namespace path, or when the last component, cut at its
// first '.' or ':' and with trailing spaces dropped, is a reserved device
// name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$, CLOCK$), in any
// case. A drive prefix ("C:") is not part of the name. The empty path is not
// a device; callers that refuse it say so themselves.
bool IsDevicePath(const std::string& path);
