// The library side of the test interface: the shared record, finding the
// terminal, one exchange per request, and the exports built on them.
#define MOXELTESTER_BUILD
#include "moxel_tester.h"

#include <cstring>
#include <vector>

#include "key_string.h"
#include "resource_ids.h"
#include "test_record.h"

namespace {

enum TesterError { kNoError = 0, kNoResource = 1, kNoTerminal = 2, kRejected = 3, kBadKeys = 4 };

// How long one request may take the terminal before it counts as not answering.
constexpr UINT kAnswerMilliseconds = 60000;

constexpr char kTerminalKey[] = "Software\\Corvane\\Corvane Terminal Emulator";

// The library's process-wide state; reset when a process attaches.
struct TesterRecord {
  HMODULE module;
  int error;
  HWND terminal;
  UINT message;
  HANDLE section;
  uint8_t* view;
  bool acceleratorsLoaded;
  std::vector<AcceleratorEntry> accelerators;  // tables 107 and 110, in that order
};

TesterRecord Tester;

bool Fail(int error) {
  Tester.error = error;
  return false;
}

bool AttachSection() {
  if (Tester.view) return true;
  if (!Tester.section) {
    Tester.section = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kTestRecordSize,
                                        kTestSectionName);
    if (!Tester.section) return Fail(kNoResource);
  }
  Tester.view = static_cast<uint8_t*>(MapViewOfFile(Tester.section, FILE_MAP_ALL_ACCESS, 0, 0, kTestRecordSize));
  if (!Tester.view) return Fail(kNoResource);
  return true;
}

void ReleaseSection() {
  if (Tester.view) UnmapViewOfFile(Tester.view);
  if (Tester.section) CloseHandle(Tester.section);
  Tester.view = nullptr;
  Tester.section = nullptr;
}

// Send the record's request to the terminal; false (error 2, handle cleared)
// when it does not answer with its window handle.
bool SendRequest() {
  FlushViewOfFile(Tester.view, kTestRecordSize);
  DWORD_PTR reply = 0;
  LRESULT sent = SendMessageTimeoutA(Tester.terminal, Tester.message, 0, reinterpret_cast<LPARAM>(Tester.section),
                                     SMTO_NORMAL, kAnswerMilliseconds, &reply);
  if (!sent || reply != reinterpret_cast<DWORD_PTR>(Tester.terminal)) {
    Tester.terminal = nullptr;
    return Fail(kNoTerminal);
  }
  return true;
}

bool ReadWindowValue(HKEY key, const char* name, DWORD* value) {
  DWORD type = 0;
  DWORD size = sizeof *value;
  return RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
         type == REG_DWORD && size == sizeof *value;
}

bool FindTerminal() {
  if (!Tester.message) Tester.message = RegisterWindowMessageA(kTestMessageName);
  if (Tester.terminal) return true;
  Tester.error = kNoTerminal;
  if (!Tester.message) return false;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kTerminalKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD value = 0;
  bool found = ReadWindowValue(key, "lwindow", &value) || ReadWindowValue(key, "window", &value);
  RegCloseKey(key);
  if (!found || !value) return false;
  Tester.terminal = reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
  WriteRecordInt(Tester.view, kTestRequestOffset, kTestConnect);
  if (!SendRequest()) return false;
  Tester.error = kNoError;
  return true;
}

// Every request starts here: the record exists and the terminal answers.
bool Connect() { return AttachSection() && FindTerminal(); }

bool Exchange(int32_t request) {
  WriteRecordInt(Tester.view, kTestRequestOffset, request);
  return SendRequest();
}

bool LoadTable(int id) {
  HACCEL table = LoadAcceleratorsA(Tester.module, MAKEINTRESOURCEA(id));
  if (!table) return false;
  int count = CopyAcceleratorTableA(table, nullptr, 0);
  std::vector<ACCEL> entries(count > 0 ? static_cast<size_t>(count) : 0);
  if (count > 0) CopyAcceleratorTableA(table, entries.data(), count);
  DestroyAcceleratorTable(table);
  if (count <= 0) return false;
  for (const ACCEL& a : entries) Tester.accelerators.push_back(AcceleratorEntry{a.fVirt, a.key, a.cmd});
  return true;
}

bool LoadAcceleratorCopy() {
  if (Tester.acceleratorsLoaded) return true;
  Tester.accelerators.clear();
  if (!LoadTable(IDA_MAIN) || !LoadTable(IDA_BUSY)) {
    Tester.accelerators.clear();
    return Fail(kNoResource);
  }
  Tester.acceleratorsLoaded = true;
  return true;
}

bool SendBlock(const KeyBlock& block) {
  if (block.commands) {
    const int n = static_cast<int>(block.identifiers.size());
    for (int i = 0; i < n; ++i) WriteRecordCommand(Tester.view, i, block.identifiers[static_cast<size_t>(i)]);
    WriteRecordInt(Tester.view, kTestCountOffset, n);
    return Exchange(kTestTypeCommands);
  }
  const int n = static_cast<int>(block.characters.size());
  std::memcpy(Tester.view + kTestDataOffset, block.characters.data(), static_cast<size_t>(n));
  WriteRecordInt(Tester.view, kTestCountOffset, n);
  return Exchange(kTestTypeCharacters);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    Tester = TesterRecord{};
    Tester.module = instance;
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH) {
    ReleaseSection();
    Tester.accelerators.clear();
    Tester.accelerators.shrink_to_fit();
    Tester.acceleratorsLoaded = false;
  }
  return TRUE;
}

MOXELTESTER_API int WINAPI GetText(int row, int column, int count, char* buffer) {
  Tester.error = kNoError;
  if (!Connect()) return 0;
  if (count > 0 && !buffer) return Fail(kRejected);
  WriteRecordInt(Tester.view, kTestValueAOffset, column);
  WriteRecordInt(Tester.view, kTestValueBOffset, row);
  WriteRecordInt(Tester.view, kTestCountOffset, count);
  WriteRecordInt(Tester.view, kTestStatusOffset, 1);
  if (!Exchange(kTestGetText)) return 0;
  if (ReadRecordInt(Tester.view, kTestStatusOffset) != 0) return Fail(kRejected);
  // Never more than the data area holds, whatever the terminal accepted.
  const int n = count < kTestDataSize ? count : kTestDataSize;
  std::memcpy(buffer, Tester.view + kTestDataOffset, static_cast<size_t>(n));
  return 1;
}

MOXELTESTER_API int WINAPI SetText(const char* text) {
  Tester.error = kNoError;
  if (!Connect()) return 0;
  size_t length = text ? std::strlen(text) : 0;
  size_t done = 0;
  while (done < length) {
    size_t piece = length - done < static_cast<size_t>(kTestMaxCharacters) ? length - done : kTestMaxCharacters;
    std::memcpy(Tester.view + kTestDataOffset, text + done, piece);
    WriteRecordInt(Tester.view, kTestCountOffset, static_cast<int32_t>(piece));
    if (!Exchange(kTestTypeCharacters)) return 0;
    done += piece;
  }
  return 1;
}

MOXELTESTER_API int WINAPI TypeKeys(const char* keys, int repeatCount) {
  Tester.error = kNoError;
  if (!LoadAcceleratorCopy()) return 0;
  if (repeatCount > 0 && !Connect()) return 0;
  std::vector<KeyBlock> blocks;
  if (!ParseKeyString(keys, Tester.accelerators.data(), Tester.accelerators.size(), &blocks)) return Fail(kBadKeys);
  for (int round = 0; round < repeatCount; ++round)
    for (const KeyBlock& block : blocks)
      if (!SendBlock(block)) return 0;
  return 1;
}

MOXELTESTER_API int WINAPI HostBusy(int* busy) {
  Tester.error = kNoError;
  if (!Connect() || !Exchange(kTestHostBusy)) return 0;
  if (busy) *busy = ReadRecordInt(Tester.view, kTestValueAOffset);
  return 1;
}

MOXELTESTER_API int WINAPI GetTestCursor(int* row, int* column) {
  Tester.error = kNoError;
  if (!Connect() || !Exchange(kTestCursor)) return 0;
  if (column) *column = ReadRecordInt(Tester.view, kTestValueAOffset);
  if (row) *row = ReadRecordInt(Tester.view, kTestValueBOffset);
  return 1;
}

MOXELTESTER_API int WINAPI GetTestWindow(int* width, int* height) {
  Tester.error = kNoError;
  if (!Connect() || !Exchange(kTestWindowSize)) return 0;
  if (width) *width = ReadRecordInt(Tester.view, kTestValueAOffset);
  if (height) *height = ReadRecordInt(Tester.view, kTestValueBOffset);
  return 1;
}

MOXELTESTER_API int WINAPI GetTestError(void) { return Tester.error; }

MOXELTESTER_API HWND WINAPI GetMoxelWindow(void) { return Tester.terminal; }

MOXELTESTER_API HWND WINAPI SetMoxelWindow(HWND window) {
  Tester.terminal = window;
  return window;
}
