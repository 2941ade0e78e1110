#include "tester_library.h"

#include <type_traits>
#include <vector>

#include "terminal_process.h"

#ifndef MOXEL_TESTER_DLL
#error "MOXEL_TESTER_DLL must name the MoxelTester.dll under test"
#endif

TesterLibrary::~TesterLibrary() {
  if (module_) FreeLibrary(module_);
}

bool TesterLibrary::Load() {
  module_ = LoadLibraryA(WindowsPath(MOXEL_TESTER_DLL).c_str());
  if (!module_) return false;
  auto find = [this](auto& slot, const char* name) {
    slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(
        reinterpret_cast<void*>(GetProcAddress(module_, name)));
    return slot != nullptr;
  };
  return find(GetText, "GetText") && find(SetText, "SetText") && find(TypeKeys, "TypeKeys") &&
         find(HostBusy, "HostBusy") && find(GetTestCursor, "GetTestCursor") &&
         find(GetTestWindow, "GetTestWindow") && find(GetTestError, "GetTestError") &&
         find(GetMoxelWindow, "GetMoxelWindow") && find(SetMoxelWindow, "SetMoxelWindow");
}

std::string TesterLibrary::Text(int row, int column, int count) {
  std::vector<char> buffer(count > 0 ? static_cast<size_t>(count) : 1);
  if (!GetText(row, column, count, buffer.data())) return "";
  return std::string(buffer.data(), buffer.size());
}

int TesterLibrary::Busy() {
  int busy = -1;
  return HostBusy(&busy) ? busy : -1;
}
