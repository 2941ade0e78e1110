// The dial directories (the _dial_file family): the local directory
// corvane.ldl kept by the user, the global directory corvane.gdl kept by the
// host (as profile-file sections or as lines), and corvane.nam, read when the
// global directory supplies no names.
#pragma once

#include <string>
#include <vector>

namespace tavix {
class IniFile;
}

struct DirectoryEntry {
  int number = 0;
  std::string name;   // at most 79 characters
  std::string phone;  // the number, or for a network entry the host text
  int network = 0;    // 0 phone, 1 or 2 network
  std::string root;   // the stored log-in password, enciphered
  bool local = false; // from the local directory
};

constexpr size_t kEntryNameMax = 79;
constexpr size_t kLocalPhoneMax = 39;
constexpr unsigned char kGdlFieldSeparator = 0xFD;

class _dial_file {
 public:
  // Every entry in the file's order; false when the file cannot be read.
  virtual bool read_all(std::vector<DirectoryEntry>* out) = 0;
  virtual bool find(int number, DirectoryEntry* out);
};

// Sections [Name], [Phone], [Network], [Root] keyed by the entry number.
class _dial_file_sections : public _dial_file {
 public:
  explicit _dial_file_sections(tavix::IniFile& ini, bool local) : ini_(ini), local_(local) {}
  bool read_all(std::vector<DirectoryEntry>* out) override;
  bool find(int number, DirectoryEntry* out) override;

 protected:
  tavix::IniFile& ini_;
  bool local_;
};

// corvane.ldl: numbers come from [Unused] (freed ones) or else [Config] "Used" + 1.
class _dial_file_ldl final : public _dial_file_sections {
 public:
  explicit _dial_file_ldl(tavix::IniFile& ini) : _dial_file_sections(ini, true) {}
  // Adds the entry under a new number and returns it.
  int add(const DirectoryEntry& entry);
  void update(const DirectoryEntry& entry);
  void remove(int number);
  void store_root(int number, const std::string& enciphered);
};

// corvane.gdl as sections; also its [Version].
class _dial_file_gdl final : public _dial_file_sections {
 public:
  explicit _dial_file_gdl(tavix::IniFile& ini) : _dial_file_sections(ini, false) {}
  std::string version();
};

// A directory in line form: line k is entry k, its fields separated by 0xFD:
// name, phone or host text, network flag, stored password. Carriage returns
// are ignored, a line feed ends a line; the entries end at the first section
// header ("[...]") of the file.
class _dial_file_lines : public _dial_file {
 public:
  explicit _dial_file_lines(std::string path) : path_(std::move(path)) {}
  bool read_all(std::vector<DirectoryEntry>* out) override;

 private:
  std::string path_;
};

// Parses a text in line form (the same rules).
std::vector<DirectoryEntry> ParseDirectoryLines(const std::string& text);
// One line's fields.
DirectoryEntry ParseDirectoryLine(const std::string& line, int number);

// The global directory's entries: the line form when corvane.gdl starts with
// entry lines, its sections otherwise; corvane.nam (line form) when neither
// gives a name. False when nothing could be read at all.
bool ReadGlobalDirectory(const std::string& gdlPath, tavix::IniFile& gdlSections, const std::string& namPath,
                         std::vector<DirectoryEntry>* out);

// A whole file as bytes; false when it cannot be read.
bool ReadFileText(const std::string& path, std::string* text);
