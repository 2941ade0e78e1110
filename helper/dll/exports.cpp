// The library's three exports and its load and unload.
#include <windows.h>
#include <commdlg.h>

#include <cstdint>
#include <cstring>

#include "frame_edit_win32.h"
#include "helper_state.h"
#include "moxel_to_edit.h"
#include "moxel_to_helper.h"

namespace {

// For the length of each export the library's own module is the resource
// module, whoever called in.
class ModuleScope {
 public:
  ModuleScope() : saved_(HelperModule()) {}
  ~ModuleScope() { SetHelperModule(saved_); }

 private:
  HINSTANCE saved_;
};

HINSTANCE LibraryModule;

constexpr DWORD kMaxChosenPath = 32768;

}  // namespace

extern "C" {

MoxelToHelper* __stdcall ConnectToHelper(HelperToMoxel* callbacks) {
  ModuleScope scope;
  SetHelperModule(LibraryModule);
  Helper.viewerCallbacks = callbacks;
  return &TheMoxelToHelper;
}

MoxelToEdit* __stdcall CreateEditWindow(EditToMoxel* callbacks, int* index, const char* title, int session,
                                        int readOnly, const char* suffix) {
  ModuleScope scope;
  SetHelperModule(LibraryModule);
  return OpenEditWindow(MakeWin32EditFrame, callbacks, index, title, session, readOnly, suffix);
}

// The system's open-file dialog over the caller's record (the library's own
// dialog with image preview takes its place later). The chosen path goes
// into the caller's buffer, cut to its size less one; the file name's offset
// is written as one 32-bit value over the offset and extension fields.
int __stdcall HelperOpenFileName(OPENFILENAMEA* request) {
  ModuleScope scope;
  SetHelperModule(LibraryModule);
  if (!request || !request->lpstrFile || request->nMaxFile == 0) return 0;
  DWORD size = request->nMaxFile > MAX_PATH ? request->nMaxFile : MAX_PATH;
  if (size > kMaxChosenPath) size = kMaxChosenPath;
  char* chosen = new char[size];
  std::memset(chosen, 0, size);
  std::strncpy(chosen, request->lpstrFile, size - 1);  // an initial name the caller gave
  OPENFILENAMEA own = *request;
  own.lStructSize = sizeof own;
  own.lpstrFile = chosen;
  own.nMaxFile = size;
  own.Flags &= ~static_cast<DWORD>(OFN_ALLOWMULTISELECT | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE |
                                   OFN_ENABLETEMPLATEHANDLE);
  if (!GetOpenFileNameA(&own)) {
    delete[] chosen;
    return 0;
  }
  const size_t room = request->nMaxFile - 1;
  size_t length = std::strlen(chosen);
  if (length > room) length = room;
  std::memcpy(request->lpstrFile, chosen, length);
  request->lpstrFile[length] = 0;
  const char* slash = std::strrchr(chosen, '\\');
  const char* other = std::strrchr(chosen, '/');
  if (other && (!slash || other > slash)) slash = other;
  std::uint32_t offset = slash ? static_cast<std::uint32_t>(slash - chosen + 1) : 0;
  if (offset > length) offset = static_cast<std::uint32_t>(length);
  static_assert(sizeof request->nFileOffset + sizeof request->nFileExtension == sizeof offset, "two WORDs");
  std::memcpy(&request->nFileOffset, &offset, sizeof offset);
  delete[] chosen;
  return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      LibraryModule = instance;
      SetHelperModule(instance);
      DisableThreadLibraryCalls(instance);
      DetectMonitors();
      break;
    case DLL_PROCESS_DETACH:
      // At an orderly unload the registry's windows go with the library; at
      // process exit the system has taken them already.
      if (!reserved) {
        TheMoxelToHelper.CloseList();
        Helper.AllEdits.DestroyAll();
      }
      break;
    default:
      break;
  }
  return TRUE;
}

}  // extern "C"
