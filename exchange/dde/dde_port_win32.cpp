#include "dde_port_win32.h"

#include <ddeml.h>
#include <shellapi.h>

#include <cstring>

#include "conversations.h"

Win32DdePort DdeSystem;

namespace {

constexpr int kServiceNameSize = 41;  // a registering service's name: at most 40 characters

HDDEDATA CALLBACK DdeCallback(UINT type, UINT format, HCONV conversation, HSZ name1, HSZ name2, HDDEDATA data,
                              ULONG_PTR data1, ULONG_PTR data2) {
  switch (type) {
    case XTYP_DISCONNECT:
      DdeConversationEnded(reinterpret_cast<DdeConversation>(conversation));
      return nullptr;
    case XTYP_ADVDATA:
      DdeAdviseArrived(reinterpret_cast<DdeConversation>(conversation));
      return reinterpret_cast<HDDEDATA>(DDE_FACK);
    case XTYP_REGISTER: {
      char service[kServiceNameSize] = "";
      DdeQueryStringA(DdeSystem.instance(), name1, service, sizeof service, CP_WINANSI);
      DdeServiceRegistered(service);
      return nullptr;
    }
    default:
      return nullptr;
  }
}

HSZ Hsz(DdeStringHandle h) { return reinterpret_cast<HSZ>(h); }
HDDEDATA Data(DdeDataHandle h) { return reinterpret_cast<HDDEDATA>(h); }

}  // namespace

void Win32DdePort::Attach(const HWND* window, int (*readHelper)(const char*, char*, int)) {
  window_ = window;
  readHelper_ = readHelper;
}

bool Win32DdePort::Initialize() {
  if (instance_) return true;
  DWORD id = 0;
  if (DdeInitializeA(&id, DdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return false;
  instance_ = id;
  return true;
}

void Win32DdePort::Uninitialize() {
  if (instance_) DdeUninitialize(instance_);
  instance_ = 0;
}

DdeStringHandle Win32DdePort::CreateString(const char* text) {
  return reinterpret_cast<DdeStringHandle>(DdeCreateStringHandleA(instance_, text, CP_WINANSI));
}

void Win32DdePort::FreeString(DdeStringHandle handle) {
  if (handle) DdeFreeStringHandle(instance_, Hsz(handle));
}

DdeConversation Win32DdePort::Connect(DdeStringHandle service, DdeStringHandle topic) {
  return reinterpret_cast<DdeConversation>(DdeConnect(instance_, Hsz(service), Hsz(topic), nullptr));
}

void Win32DdePort::Disconnect(DdeConversation conversation) {
  if (conversation) DdeDisconnect(reinterpret_cast<HCONV>(conversation));
}

// Data goes as its bytes: the handle stays ours and is freed by the caller.
bool Win32DdePort::Transaction(DdeConversation conversation, DdeDataHandle data, DdeStringHandle item, uint32_t type,
                               DdeDataHandle* result) {
  LPBYTE bytes = nullptr;
  DWORD size = 0;
  if (data) {
    bytes = DdeAccessData(Data(data), &size);
    if (!bytes) return false;
  }
  DWORD status = 0;
  HDDEDATA answer = DdeClientTransaction(bytes, size, reinterpret_cast<HCONV>(conversation), Hsz(item), CF_TEXT, type,
                                         kDdeTransactionTimeout, &status);
  if (data) DdeUnaccessData(Data(data));
  if (result) *result = reinterpret_cast<DdeDataHandle>(type == XTYP_REQUEST ? answer : nullptr);
  return answer != nullptr;
}

DdeDataHandle Win32DdePort::AddData(DdeDataHandle data, const uint8_t* bytes, int count, int offset,
                                    DdeStringHandle item) {
  if (!data) {
    return reinterpret_cast<DdeDataHandle>(DdeCreateDataHandle(instance_, const_cast<LPBYTE>(bytes),
                                                               static_cast<DWORD>(count), static_cast<DWORD>(offset),
                                                               Hsz(item), CF_TEXT, 0));
  }
  return reinterpret_cast<DdeDataHandle>(
      DdeAddData(Data(data), const_cast<LPBYTE>(bytes), static_cast<DWORD>(count), static_cast<DWORD>(offset)));
}

int Win32DdePort::GetData(DdeDataHandle data, uint8_t* out, int count, int offset) {
  return static_cast<int>(DdeGetData(Data(data), out, static_cast<DWORD>(count), static_cast<DWORD>(offset)));
}

int Win32DdePort::TextLength(DdeDataHandle data) {
  DWORD size = 0;
  LPBYTE bytes = DdeAccessData(Data(data), &size);
  if (!bytes) return 0;
  const void* zero = std::memchr(bytes, 0, size);
  const int n = zero ? static_cast<int>(static_cast<const BYTE*>(zero) - bytes) : static_cast<int>(size);
  DdeUnaccessData(Data(data));
  return n;
}

void Win32DdePort::FreeData(DdeDataHandle data) {
  if (data) DdeFreeDataHandle(Data(data));
}

// A value is read into room for more than any name or command line, so a
// long one is seen as long; out gets it cut to size.
int Win32DdePort::ReadClassesRoot(const char* key, char* out, int size) {
  HKEY k;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &k) != ERROR_SUCCESS) return -1;
  char value[1024];
  DWORD type = 0;
  DWORD bytes = sizeof value - 1;
  const LONG r = RegQueryValueExA(k, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
  RegCloseKey(k);
  if (r == ERROR_MORE_DATA) return static_cast<int>(sizeof value);
  if (r != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return -1;
  value[bytes < sizeof value ? bytes : sizeof value - 1] = 0;
  const int length = static_cast<int>(std::strlen(value));
  if (size > 0) {
    const int n = length < size - 1 ? length : size - 1;
    std::memcpy(out, value, static_cast<size_t>(n));
    out[n] = 0;
  }
  return length;
}

int Win32DdePort::ReadHelper(const char* name, char* out, int size) {
  return readHelper_ ? readHelper_(name, out, size) : -1;
}

unsigned Win32DdePort::Launch(const char* commandLine) { return WinExec(commandLine, SW_SHOWNORMAL); }

void Win32DdePort::OpenAddress(const char* address) {
  ShellExecuteA(window(), "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32DdePort::StartLaunchTimer(int milliseconds) {
  if (window()) SetTimer(window(), kDdeLaunchTimer, static_cast<UINT>(milliseconds), nullptr);
}

void Win32DdePort::StopLaunchTimer() {
  if (window()) KillTimer(window(), kDdeLaunchTimer);
}

void Win32DdePort::PostAdviseNotice() {
  if (window()) PostMessageA(window(), kDdeAdviseMessage, 0, 0);
}

void Win32DdePort::PostRegistration(int slot) {
  if (window()) PostMessageA(window(), kDdeRegistrationMessage, static_cast<WPARAM>(slot), 0);
}
