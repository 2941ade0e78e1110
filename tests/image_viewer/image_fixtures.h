// The test images make_fixtures.sh made (in the folder the build names),
// and small helpers for the in-process tests of the viewer's windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// Z:\...\name for a fixture.
std::string Fixture(const char* name);
// A path in the temporary folder, for files a test makes itself.
std::string TempPath(const char* name);

// Runs the thread's messages until `done` or the time runs out.
// `offer` (may be empty) sees each message first, as a loading program's
// loop offers it to the library; true means taken.
bool PumpUntil(const std::function<bool()>& done, int milliseconds,
               const std::function<bool(MSG*)>& offer = std::function<bool(MSG*)>());
void PumpFor(int milliseconds, const std::function<bool(MSG*)>& offer = std::function<bool(MSG*)>());

// A plain top-level window to put controls on, shown at (0, 0).
HWND MakeHostWindow(int width, int height);

// Colour tests: near within a tolerance per channel (JPEG, scaling).
bool Near(std::uint32_t bgra, std::uint32_t rgb, int tolerance);
std::uint32_t Rgb(std::uint32_t bgra);  // 0xRRGGBB of a DIB pixel
// A pixel of a window's client area as the screen shows it.
std::uint32_t ScreenPixel(HWND window, int x, int y);
// The clipboard's CF_DIB pixel at (x, y) counted from the top; width and
// height of the picture through the pointers. False when there is none.
bool ClipboardDibPixel(int x, int y, std::uint32_t* rgb, int* width, int* height);
