// The library's three exports and its load and unload.
#include <windows.h>
#include <commdlg.h>

#include "corvane_open_win32.h"
#include "frame_edit_win32.h"
#include "helper_state.h"
#include "moxel_to_edit.h"
#include "monitors_win32.h"
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

// The library's open-file dialog with image preview over the caller's
// record (CorvaneOpen).
int __stdcall HelperOpenFileName(OPENFILENAMEA* request) {
  ModuleScope scope;
  SetHelperModule(LibraryModule);
  return RunCorvaneOpen(request);
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
