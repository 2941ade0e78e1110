// The tip text of the tray icon shown while the main window is minimised.
#pragma once

#include <string>

namespace tavix {

// The longest tip the tray icon gets (it fits the oldest tray's 64-byte buffer).
constexpr size_t kTrayTipMax = 63;

// The window title cut to 63 characters; when there is room after it, a
// blank and as much of the host's message line as fits into 63 characters.
std::string TrayTipText(const char* title, const char* messageLine);

}  // namespace tavix
