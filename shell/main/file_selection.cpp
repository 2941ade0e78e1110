// The file-selection service: the open-file dialog for the host's path
// request and for attachments.
#include "file_selection.h"

#include <commdlg.h>

#include <cstring>
#include <string>

#include "messaging_shell.h"
#include "shell_config.h"
#include "shell_state.h"
#include "shell/editlink/helper_link_win32.h"

namespace {

constexpr unsigned char kFieldSeparator = 254;
constexpr unsigned char kFilterZero = 253;
constexpr int kFileBufferSize = 256;

struct SelectionRequest {
  std::string filter;  // with its zeros in place
  std::string title = "Select file";
  std::string folder;
};

SelectionRequest ParseRequest(const char* text) {
  SelectionRequest r;
  std::string fields[3];
  int field = 0;
  for (const char* p = text; p && *p; ++p) {
    if (static_cast<unsigned char>(*p) == kFieldSeparator) {
      if (field < 2) ++field;
      continue;
    }
    fields[field] += *p;
  }
  for (char& c : fields[0])
    if (static_cast<unsigned char>(c) == kFilterZero) c = 0;
  if (!fields[0].empty()) r.filter = fields[0] + std::string(2, '\0');
  if (!fields[1].empty()) r.title = fields[1];
  r.folder = fields[2];
  return r;
}

// Runs the dialog; the chosen path, or "" when nothing was chosen.
std::string RunOpenDialog(HWND owner, const SelectionRequest& request, bool mustExist) {
  char file[kFileBufferSize] = "";
  std::string folder = request.folder;
  if (folder.empty()) Config.registry.read_string(tavix::RegistryRoot::CurrentUser, "directory", folder);
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = request.filter.empty() ? nullptr : request.filter.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrTitle = request.title.c_str();
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | (mustExist ? OFN_FILEMUSTEXIST : 0);
  // The helper library's dialog when it is there, else the system's.
  const bool chosenOk = HelperLink.openFileName ? HelperLink.openFileName(&ofn) != 0 : GetOpenFileNameA(&ofn) != 0;
  if (!chosenOk) return std::string();
  std::string chosen = file;
  size_t slash = chosen.find_last_of("\\/");
  if (slash != std::string::npos)
    Config.registry.write_string(tavix::RegistryRoot::CurrentUser, "directory", chosen.substr(0, slash));
  return chosen;
}

// Append as much of text as fits, keeping room for the terminating zero.
void AppendBounded(char* buffer, int size, int& used, const char* text, int length) {
  int room = size - 1 - used;
  if (room <= 0) return;
  int n = length < room ? length : room;
  std::memcpy(buffer + used, text, static_cast<size_t>(n));
  used += n;
  buffer[used] = 0;
}

}  // namespace

void ChoosePathForHost(bool fileNeedNotExist, const char* request, char* reply, int size) {
  if (size <= 0) return;
  reply[0] = 0;
  std::string chosen = RunOpenDialog(Shell.mainWindow, ParseRequest(request), !fileNeedNotExist);
  char computer[MAX_COMPUTERNAME_LENGTH + 1] = "";
  DWORD computerLength = sizeof computer;
  if (!GetComputerNameA(computer, &computerLength)) computerLength = 0;
  int used = 0;
  AppendBounded(reply, size, used, chosen.data(), static_cast<int>(chosen.size()));
  const char separator = static_cast<char>(kFieldSeparator);
  AppendBounded(reply, size, used, &separator, 1);
  AppendBounded(reply, size, used, computer, static_cast<int>(computerLength));
}

void ChooseAttachment(HWND owner) {
  // The chosen file waits in the queue for the host; nothing chosen, nothing queued.
  const std::string chosen = RunOpenDialog(owner, SelectionRequest{}, true);
  if (!chosen.empty()) QueueChosenAttachment(chosen.c_str());
}
