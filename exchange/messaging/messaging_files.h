// What PC messaging needs of the file system: a folder's entries with their
// attributes, size and time, a whole file, a rename and a path's short form.
// The terminal serves it with the Win32 file functions; tests with a map.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct MessagingFileEntry {
  std::string name;  // without the folder
  bool readOnly = false;
  bool hidden = false;
  bool system = false;
  bool directory = false;
  uint64_t size = 0;
  uint64_t time = 0;  // last write, in the system's units
};

class MessagingFilePort {
 public:
  virtual ~MessagingFilePort() = default;
  // The entries of a folder (a path ending in a separator), in any order;
  // false when the folder cannot be read.
  virtual bool List(const std::string& folder, std::vector<MessagingFileEntry>* entries) = 0;
  // The whole file; false when it cannot be opened or read.
  virtual bool ReadAll(const std::string& path, std::string* bytes) = 0;
  // Rename within one volume, never over an existing file.
  virtual bool Move(const std::string& from, const std::string& to) = 0;
  // The short form of an existing path, or "" when there is none.
  virtual std::string ShortPath(const std::string& path) = 0;
};
