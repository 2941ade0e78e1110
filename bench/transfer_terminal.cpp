// The terminal side of the transfer benchmark: starts tavix.exe connected to
// the host simulator (port in TAVIX_HOST_PORT) with the upload's file in its
// folder, waits for the host to hang up (the simulator times the transfers),
// checks the download, then saves a screen image with the 25 receive-trace
// pages and times it.
//   bench_transfer_terminal DOWNLOAD_FILE UPLOAD_FILE
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "message_boxes.h"
#include "resource_ids.h"
#include "terminal_process.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::string bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  std::fclose(f);
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  if (!port || argc != 3) {
    std::printf("usage: bench_transfer_terminal DOWNLOAD_FILE UPLOAD_FILE (under with_host.sh)\n");
    return 2;
  }
  TerminalProcess t;
  const std::string here = t.folder() + "\\Corvane";
  CreateDirectoryA(here.c_str(), nullptr);
  CopyFileA(argv[2], (here + "\\up.bin").c_str(), FALSE);
  t.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::string(port) +
             "\r\nAutoconnect=1\r\ndebug=1\r\n[Font]\r\nmode=0\r\n");
  if (!t.Start()) return 1;
  HWND main = t.WaitForMainWindow();
  if (!main) return 1;
  if (!AnswerMessageBox(t.processId(), "Connection terminated", IDNO, 300000)) return 1;
  const bool same = ReadFile(here + "\\down.bin") == ReadFile(argv[1]);
  std::printf("terminal: the downloaded file %s the host's\n", same ? "equals" : "DIFFERS FROM");

  PostMessageA(main, WM_COMMAND, CMD_SCREEN_TO_FILE_DEBUG, 0);
  HWND dialog = nullptr;
  if (WaitFor([&] { return (dialog = FindDialogTitled(t.processId(), "Save screen image")); }, 20000)) {
    const std::string path = here + "\\bench.tif";
    SetDlgItemTextA(dialog, 1148, path.c_str());
    DWORD start = GetTickCount();
    PressButton(dialog, IDOK);
    WaitFor([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, 60000);
    std::printf("terminal: screen image with the 25 trace pages saved in %lu ms (from the dialog's OK)\n",
                static_cast<unsigned long>(GetTickCount() - start));
  }
  PostMessageA(main, WM_CLOSE, 0, 0);
  return t.WaitForExit(10000) == 0 && same ? 0 : 1;
}
