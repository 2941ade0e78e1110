// The PC's files through the system's file calls.
#pragma once

#include <windows.h>

#include <vector>

#include "file_port.h"

class Win32FilePort final : public FilePort {
 public:
  FileHandle Open(const char* path, FileAccess access) override;
  FileFailure LastFailure() override { return failure_; }
  int Read(FileHandle file, uint8_t* bytes, int count) override;
  int Write(FileHandle file, const uint8_t* bytes, int count) override;
  bool Seek(FileHandle file, int64_t position) override;
  void Close(FileHandle file) override;
  bool Remove(const char* path) override;
  bool Rename(const char* from, const char* to) override;
  bool MakeDirectory(const char* path) override;
  bool List(const char* pattern, std::vector<FileListEntry>& out) override;
  bool SameFile(const char* a, const char* b) override;

 private:
  HANDLE At(FileHandle file) const;
  std::vector<HANDLE> handles_;  // index = FileHandle; INVALID_HANDLE_VALUE when free
  FileFailure failure_ = FileFailure::None;
};
