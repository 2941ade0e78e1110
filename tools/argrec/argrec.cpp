// argrec: records the command line it was started with, one line per start, then exits.
//
// The record goes to the file named by the environment variable TAVIX_ARGREC_FILE, else to
// "argrec.log" beside the program. The line is the raw command line (UTF-8), so quoting done
// by the launcher is kept as it was. A GUI-subsystem program, so no console ever appears.
#include <windows.h>

#include <string>

namespace {

std::wstring RecordPath() {
  wchar_t buffer[32768];
  DWORD n = GetEnvironmentVariableW(L"TAVIX_ARGREC_FILE", buffer, 32768);
  if (n > 0 && n < 32768) return std::wstring(buffer, n);
  n = GetModuleFileNameW(nullptr, buffer, 32768);
  std::wstring path(buffer, n < 32768 ? n : 0);
  size_t slash = path.find_last_of(L"\\/");
  path = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
  return path + L"argrec.log";
}

std::string Utf8(const wchar_t* text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string out(static_cast<size_t>(n - 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, nullptr, nullptr);
  return out;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::string line = Utf8(GetCommandLineW()) + "\r\n";
  // Several starts may race (a test launching twice): open for append, retrying a share clash.
  for (int attempt = 0; attempt < 50; ++attempt) {
    HANDLE file = CreateFileW(RecordPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
      CloseHandle(file);
      return ok && written == line.size() ? 0 : 1;
    }
    Sleep(20);
  }
  return 2;
}
