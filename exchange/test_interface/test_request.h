// The terminal's side of the test interface: one request in the shared
// record, acted on against the ScreenModel and the key dispatcher. The record
// comes from another process, so its count and positions are checked
// against the 100-byte data area and the 80 x 25 cells before any use.
#pragma once

#include <cstdint>

struct TestRequestHooks {
  // Request 7: send WM_COMMAND with this identifier to the main window, and
  // return when it has been handled.
  void (*sendCommand)(int commandId);
};

// Owned by test_request.cpp (default: commands go nowhere).
extern TestRequestHooks TestRequestEvents;

// Acts on the record (exactly 120 bytes); false for an unknown request code.
bool HandleTestRequest(uint8_t record[]);
