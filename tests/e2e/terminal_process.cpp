#include "terminal_process.h"

#include <cstdio>
#include <cstring>

#ifndef TAVIX_EXE
#error "TAVIX_EXE must name the tavix.exe under test"
#endif

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

std::string ReadFileText(const std::string& path) {
  std::string text;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
}

namespace {

// Remove a folder and everything below it.
void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(h, &found));
    FindClose(h);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

TerminalProcess::TerminalProcess() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  static int counter = 0;
  char name[MAX_PATH];
  // Process ids repeat between runs: the folder is made new every time.
  std::snprintf(name, sizeof name, "%stavix-e2e-%lu-%d", temp, GetCurrentProcessId(), ++counter);
  RemoveTree(name);
  CreateDirectoryA(name, nullptr);
  folder_ = name;
}

TerminalProcess::~TerminalProcess() {
  if (info_.hProcess) {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 99);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
  RemoveTree(folder_);
}

void TerminalProcess::Kill() {
  if (!info_.hProcess) return;
  TerminateProcess(info_.hProcess, 99);
  WaitForSingleObject(info_.hProcess, 10000);
}

void TerminalProcess::WriteIni(const std::string& text) { WriteFile("corvane.ini", text); }

void TerminalProcess::WriteFile(const std::string& name, const std::string& text) {
  std::string path = folder_ + "\\" + name;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

bool TerminalProcess::StartWithoutHelperLibrary(const std::string& arguments) {
  const std::string copy = folder_ + "\\tavix.exe";
  if (!CopyFileA(WindowsPath(TAVIX_EXE).c_str(), copy.c_str(), FALSE)) return false;
  executable_ = copy;
  return Start(arguments);
}

bool TerminalProcess::Start(const std::string& arguments) {
  // Our environment, with USERPROFILE pointing into the test folder so the
  // per-user directory is fresh, plus the test's own variables.
  std::vector<char> block;
  auto add = [&block](const std::string& s) { block.insert(block.end(), s.begin(), s.end()), block.push_back(0); };
  char* env = GetEnvironmentStringsA();
  for (char* p = env; *p; p += std::strlen(p) + 1) {
    if (_strnicmp(p, "USERPROFILE=", 12) == 0) continue;
    add(p);
  }
  FreeEnvironmentStringsA(env);
  add("USERPROFILE=" + folder_);
  for (const std::string& e : environment_) add(e);
  block.push_back(0);

  std::string exe = executable_.empty() ? WindowsPath(TAVIX_EXE) : executable_;
  std::string commandLine = "\"" + exe + "\" " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  return CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, block.data(), folder_.c_str(),
                        &startup, &info_) != 0;
}

namespace {
struct FindState {
  DWORD pid;
  const char* className;
  HWND found;
};

BOOL CALLBACK FindOne(HWND window, LPARAM param) {
  FindState* s = reinterpret_cast<FindState*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != s->pid) return TRUE;
  char name[64];
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, s->className) != 0) return TRUE;
  s->found = window;
  return FALSE;
}
}  // namespace

HWND TerminalProcess::FindWindowOfClass(const char* className) const {
  FindState s{info_.dwProcessId, className, nullptr};
  EnumWindows(FindOne, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND TerminalProcess::WaitForMainWindow(DWORD milliseconds) {
  HWND found = nullptr;
  WaitFor([&] {
    found = FindWindowOfClass("WTermW3Class");
    return found && IsWindowVisible(found);
  }, milliseconds);
  return found && IsWindowVisible(found) ? found : nullptr;
}

int TerminalProcess::WaitForExit(DWORD milliseconds) {
  if (!info_.hProcess || WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return static_cast<int>(code);
}

RECT ClientOnScreen(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  OffsetRect(&r, origin.x, origin.y);
  return r;
}

bool ScreenShot::Capture() {
  width = GetSystemMetrics(SM_CXSCREEN);
  height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  bool ok = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != 0;
  GdiFlush();
  pixels.assign(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + width * height);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

bool ScreenShot::SavePng(const std::string& path) const {
  // A BMP file (the name's extension is replaced): tools convert it if needed.
  std::string file = path.substr(0, path.find_last_of('.')) + ".bmp";
  FILE* f = std::fopen(file.c_str(), "wb");
  if (!f) return false;
  BITMAPFILEHEADER fh = {};
  BITMAPINFOHEADER ih = {};
  ih.biSize = sizeof ih;
  ih.biWidth = width;
  ih.biHeight = -height;
  ih.biPlanes = 1;
  ih.biBitCount = 32;
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size() * 4);
  std::fwrite(&fh, sizeof fh, 1, f);
  std::fwrite(&ih, sizeof ih, 1, f);
  std::fwrite(pixels.data(), 4, pixels.size(), f);
  std::fclose(f);
  return true;
}
