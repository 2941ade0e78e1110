// An in-memory file system behind FilePort, for the transfer tests and the
// fuzz target: "/" and "\" both separate, "." parts and "./" are dropped, a
// file needs its folder. Faults can be set per path.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "file_port.h"

class MemoryFilePort final : public FilePort {
 public:
  struct Faults {
    std::set<std::string> failOpen;      // every open of these paths fails
    std::set<std::string> failUpdate;    // opens for Update fail (the file exists)
    std::set<std::string> failSeek;
    std::set<std::string> readError;     // reads fail
    std::map<std::string, int64_t> sizeLimit;  // writes beyond this size are cut short
    bool failRename = false;
    bool failRemove = false;
  };

  Faults faults;
  std::map<std::string, std::vector<uint8_t>> files;
  std::set<std::string> folders;
  struct Attributes {
    bool readOnly = false, hidden = false, system = false;
  };
  std::map<std::string, Attributes> attributes;
  int opens = 0;  // opens that succeeded

  static std::string Normal(const std::string& path);
  // Test helpers.
  void Put(const std::string& path, const std::string& bytes);
  bool Has(const std::string& path) const;
  std::string Get(const std::string& path) const;
  void MakeFolders(const std::string& path);  // the folder and its parents
  int OpenHandles() const { return static_cast<int>(handles_.size()); }
  void Clear();

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
  struct Open_ {
    std::string path;
    int64_t position = 0;
    FileAccess access = FileAccess::Read;
  };
  bool FolderExists(const std::string& folder) const;
  static std::string Parent(const std::string& path);
  std::map<int, Open_> handles_;
  int nextHandle_ = 1;
  FileFailure failure_ = FileFailure::None;
};
