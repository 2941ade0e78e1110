// The narrow interface through which transfers and file services reach the
// PC's files. The Win32 shell implements it with the system's file calls;
// tests and the fuzz target use an in-memory file system.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using FileHandle = int;
constexpr FileHandle kNoFile = -1;

enum class FileAccess {
  Read,    // an existing file, for reading
  Create,  // created, or truncated when it exists, for writing
  Update,  // an existing file, for writing without truncation
};

// Why the last open failed.
enum class FileFailure {
  None,
  NotFound,      // the file does not exist
  PathNotFound,  // a folder of the path does not exist
  Other,
};

struct FileListEntry {
  std::string name;
  int64_t size = 0;
  bool directory = false;
  bool readOnly = false;
  bool hidden = false;
  bool system = false;
};

class FilePort {
 public:
  virtual ~FilePort() = default;
  virtual FileHandle Open(const char* path, FileAccess access) = 0;
  // Why the last Open failed.
  virtual FileFailure LastFailure() = 0;
  // Bytes read (0 at the end), or -1 on a read error.
  virtual int Read(FileHandle file, uint8_t* bytes, int count) = 0;
  // Bytes written; fewer than count is a failed write.
  virtual int Write(FileHandle file, const uint8_t* bytes, int count) = 0;
  virtual bool Seek(FileHandle file, int64_t position) = 0;
  virtual void Close(FileHandle file) = 0;
  virtual bool Remove(const char* path) = 0;
  // Moves a file, replacing one of the new name.
  virtual bool Rename(const char* from, const char* to) = 0;
  // One folder; an existing folder counts as made.
  virtual bool MakeDirectory(const char* path) = 0;
  // The entries that match a pattern whose last part may hold * and ?
  // ("*.*" matches every name); false when nothing matches.
  virtual bool List(const char* pattern, std::vector<FileListEntry>& out) = 0;
  // Whether two paths name the same existing file.
  virtual bool SameFile(const char* a, const char* b) = 0;
};
