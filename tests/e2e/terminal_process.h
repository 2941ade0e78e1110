// Starts the real tavix.exe in a folder of its own with a corvane.ini the
// test writes, finds its windows and ends it. Windows only (runs under Wine).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Linux build paths become Wine's Z: paths.
std::string WindowsPath(const std::string& path);
// A whole file's bytes ("" when it cannot be read).
std::string ReadFileText(const std::string& path);

class TerminalProcess {
 public:
  TerminalProcess();
  ~TerminalProcess();

  // The folder the terminal starts in (and its per-user directory below it).
  const std::string& folder() const { return folder_; }
  void WriteIni(const std::string& text);
  // Another file of the start folder (the dial directories, say).
  void WriteFile(const std::string& name, const std::string& text);
  // Extra environment variables for the terminal (NAME=value).
  void AddEnvironment(const std::string& assignment) { environment_.push_back(assignment); }

  bool Start(const std::string& arguments = "");
  // Start a copy of tavix.exe placed in the test's folder, where no
  // helper.dll lies beside it: the terminal without the helper library.
  bool StartWithoutHelperLibrary(const std::string& arguments = "");
  // The main window once it is visible, or null after the time-out.
  HWND WaitForMainWindow(DWORD milliseconds = 20000);
  // A top-level window of the process with this class, or null.
  HWND FindWindowOfClass(const char* className) const;
  // End the process at once, as a crash would (nothing of it runs on).
  void Kill();
  // Exit code after the process ended, or -1 on time-out.
  int WaitForExit(DWORD milliseconds = 20000);
  DWORD processId() const { return info_.dwProcessId; }

 private:
  std::string folder_;
  std::string executable_;  // empty: the built tavix.exe
  std::vector<std::string> environment_;
  PROCESS_INFORMATION info_ = {};
};

// Client rectangle of a window in screen coordinates.
RECT ClientOnScreen(HWND window);

// A copy of the screen's pixels (32-bit BGRX), top row first.
struct ScreenShot {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
  bool Capture();
  bool SavePng(const std::string& path) const;  // via a .bmp when no encoder: see cpp
};

// 0xRRGGBB of a COLORREF.
inline uint32_t Rgb(int r, int g, int b) { return static_cast<uint32_t>(r << 16 | g << 8 | b); }

// Poll until pred() holds or the time runs out.
template <typename Pred>
bool WaitFor(Pred pred, DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    if (pred()) return true;
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(20);
  }
}
