#include "test_request_win32.h"

#include <cstring>

#include "test_record.h"
#include "test_request.h"

namespace {

// The window that request 7 sends its commands to, for the length of one request.
HWND commandTarget = nullptr;

void SendCommandToTerminal(int commandId) {
  if (commandTarget) SendMessageA(commandTarget, WM_COMMAND, static_cast<WPARAM>(commandId & 0xFFFF), 0);
}

}  // namespace

LRESULT AnswerTestRequest(HWND mainWindow) {
  HANDLE section = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kTestSectionName);
  if (!section) return 0;
  // A section smaller than the record cannot be mapped at this size.
  void* view = MapViewOfFile(section, FILE_MAP_ALL_ACCESS, 0, 0, kTestRecordSize);
  if (!view) {
    CloseHandle(section);
    return 0;
  }
  // Work on a copy: the request never reaches past the 120 bytes.
  uint8_t record[kTestRecordSize];
  std::memcpy(record, view, sizeof record);
  HWND previousTarget = commandTarget;
  commandTarget = mainWindow;
  TestRequestEvents.sendCommand = SendCommandToTerminal;
  const bool known = HandleTestRequest(record);
  commandTarget = previousTarget;
  std::memcpy(view, record, sizeof record);
  FlushViewOfFile(view, kTestRecordSize);
  UnmapViewOfFile(view);
  CloseHandle(section);
  return known ? reinterpret_cast<LRESULT>(mainWindow) : 0;
}
