// The helper endpoints on Win32: DDEML (one client-only instance, text
// format, ANSI code page), HKEY_CLASSES_ROOT, WinExec and ShellExecute, and
// the main window's timer 6 and messages WM_USER+5 and WM_USER+6.
#pragma once

#include <windows.h>

#include "dde_port.h"

constexpr UINT kDdeAdviseMessage = WM_USER + 5;
constexpr UINT kDdeRegistrationMessage = WM_USER + 6;
constexpr UINT_PTR kDdeLaunchTimer = 6;

class Win32DdePort final : public DdePort {
 public:
  // Where the main window's handle is kept (it is made after the engine is
  // attached); and the helper list's reader (the configuration's
  // variant-aware [Helpers-32]).
  void Attach(const HWND* window, int (*readHelper)(const char* name, char* out, int size));

  bool Initialize() override;
  void Uninitialize() override;
  DdeStringHandle CreateString(const char* text) override;
  void FreeString(DdeStringHandle handle) override;
  DdeConversation Connect(DdeStringHandle service, DdeStringHandle topic) override;
  void Disconnect(DdeConversation conversation) override;
  bool Transaction(DdeConversation conversation, DdeDataHandle data, DdeStringHandle item, uint32_t type,
                   DdeDataHandle* result) override;
  DdeDataHandle AddData(DdeDataHandle data, const uint8_t* bytes, int count, int offset,
                        DdeStringHandle item) override;
  int GetData(DdeDataHandle data, uint8_t* out, int count, int offset) override;
  int TextLength(DdeDataHandle data) override;
  void FreeData(DdeDataHandle data) override;
  int ReadClassesRoot(const char* key, char* out, int size) override;
  int ReadHelper(const char* name, char* out, int size) override;
  unsigned Launch(const char* commandLine) override;
  void OpenAddress(const char* address) override;
  void StartLaunchTimer(int milliseconds) override;
  void StopLaunchTimer() override;
  void PostAdviseNotice() override;
  void PostRegistration(int slot) override;

  DWORD instance() const { return instance_; }

 private:
  HWND window() const { return window_ ? *window_ : nullptr; }
  const HWND* window_ = nullptr;
  int (*readHelper_)(const char*, char*, int) = nullptr;
  DWORD instance_ = 0;
};

extern Win32DdePort DdeSystem;
