// Paths the viewer must never open: device names ("COM1", "nul.txt",
// "C:\x\LPT1") and the device namespaces "\\.\" and "\\?\".
#pragma once

#include <string>

bool IsDevicePath(const std::string& path);
