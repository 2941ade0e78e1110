// What the helper endpoints need from the system: the DDE client library,
// the registry's file types, the helper list, the program launcher and the
// main window's timer 6 and messages. The Win32 shell implements it over
// DDEML; the unit tests replace it with a scripted fake.
#pragma once

#include <cstdint>

using DdeConversation = uintptr_t;  // 0: none
using DdeStringHandle = uintptr_t;  // 0: none
using DdeDataHandle = uintptr_t;    // 0: none

// Transaction codes of the helper operations.
enum DdeTransaction : uint32_t {
  kDdeAdviseStart = 0x1034,
  kDdeRequest = 0x20B0,
  kDdeExecute = 0x4050,
  kDdePoke = 0x4090,
  kDdeAdviseStop = 0x8040,
};

constexpr int kDdeTransactionTimeout = 10000;  // ms
constexpr int kDdeLaunchTimeout = 30000;       // ms, timer 6

class DdePort {
 public:
  virtual ~DdePort() = default;

  // The process's one client-only instance (text format, ANSI code page).
  virtual bool Initialize() = 0;
  virtual void Uninitialize() = 0;
  virtual DdeStringHandle CreateString(const char* text) = 0;
  virtual void FreeString(DdeStringHandle handle) = 0;
  virtual DdeConversation Connect(DdeStringHandle service, DdeStringHandle topic) = 0;
  virtual void Disconnect(DdeConversation conversation) = 0;
  // A synchronous transaction (10000 ms). data is 0 for those without data;
  // a request's answer lands in *result. False on failure or time-out.
  virtual bool Transaction(DdeConversation conversation, DdeDataHandle data, DdeStringHandle item,
                           uint32_t type, DdeDataHandle* result) = 0;

  // Data handles: bytes written at offset (the first write, handle 0,
  // creates one for the item); read back from offset; the text's length up
  // to its first zero; freed.
  virtual DdeDataHandle AddData(DdeDataHandle data, const uint8_t* bytes, int count, int offset,
                                DdeStringHandle item) = 0;
  virtual int GetData(DdeDataHandle data, uint8_t* out, int count, int offset) = 0;
  virtual int TextLength(DdeDataHandle data) = 0;
  virtual void FreeData(DdeDataHandle data) = 0;

  // The default value of a key under HKEY_CLASSES_ROOT, and a helper of
  // the helper list by name: at most size - 1 bytes and a zero go to out;
  // the result is the value's whole length (so a caller sees that it was
  // cut), or -1 when there is none.
  virtual int ReadClassesRoot(const char* key, char* out, int size) = 0;
  virtual int ReadHelper(const char* name, char* out, int size) = 0;
  // The program launcher in a normal window: its result (above 31 is success).
  virtual unsigned Launch(const char* commandLine) = 0;
  // The shell's "open" verb on an address, in a normal window.
  virtual void OpenAddress(const char* address) = 0;

  // Timer 6 of the main window.
  virtual void StartLaunchTimer(int milliseconds) = 0;
  virtual void StopLaunchTimer() = 0;
  // Re-posted to the main window from the DDE callback: WM_USER+5 (advise
  // data) and WM_USER+6 with the slot index (a matching registration).
  virtual void PostAdviseNotice() = 0;
  virtual void PostRegistration(int slot) = 0;
};
