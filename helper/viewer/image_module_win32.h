// The module the viewer's code lives in (helper.dll, or a test program that
// links the viewer in): its window classes and resources come from there.
#pragma once

#include <windows.h>

inline HINSTANCE ViewerModule() {
  static HMODULE module = nullptr;
  if (!module)
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ViewerModule), &module);
  return module;
}
