#include "dial_file.h"

#include <cstdio>
#include <cstdlib>

#include "shell/config/ini_file.h"

namespace {

constexpr char kName[] = "Name";
constexpr char kPhone[] = "Phone";
constexpr char kNetwork[] = "Network";
constexpr char kRoot[] = "Root";
constexpr char kUnused[] = "Unused";
constexpr char kConfig[] = "Config";
constexpr size_t kValueSize = 256;

// A positive decimal entry number, or 0.
int EntryNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) return 0;
  for (char c : text)
    if (c < '0' || c > '9') return 0;
  return std::atoi(text.c_str());
}

std::string Get(tavix::IniFile& ini, const char* section, const std::string& key, size_t size = kValueSize) {
  std::vector<char> buf(size);
  size_t n = ini.get_string(section, key.c_str(), "", buf.data(), buf.size());
  return std::string(buf.data(), n);
}

std::string Cut(const std::string& s, size_t max) { return s.size() > max ? s.substr(0, max) : s; }

}  // namespace

bool _dial_file::find(int number, DirectoryEntry* out) {
  std::vector<DirectoryEntry> all;
  if (!read_all(&all)) return false;
  for (const DirectoryEntry& e : all) {
    if (e.number == number) {
      *out = e;
      return true;
    }
  }
  return false;
}

bool _dial_file_sections::read_all(std::vector<DirectoryEntry>* out) {
  out->clear();
  for (const std::string& key : ini_.key_names(kName)) {
    DirectoryEntry e;
    if (find(EntryNumber(key), &e)) out->push_back(e);
  }
  return true;
}

bool _dial_file_sections::find(int number, DirectoryEntry* out) {
  if (number <= 0) return false;
  const std::string key = std::to_string(number);
  if (!ini_.has_key(kName, key.c_str())) return false;
  DirectoryEntry e;
  e.number = number;
  e.name = Get(ini_, kName, key, kEntryNameMax + 1);
  e.phone = Get(ini_, kPhone, key);
  e.network = ini_.get_int(kNetwork, key.c_str(), 0);
  e.root = Get(ini_, kRoot, key);
  e.local = local_;
  *out = e;
  return true;
}

int _dial_file_ldl::add(const DirectoryEntry& entry) {
  int number = 0;
  for (const std::string& key : ini_.key_names(kUnused)) {
    ini_.write_string(kUnused, key.c_str(), nullptr);
    number = EntryNumber(key);
    if (number > 0 && !ini_.has_key(kName, key.c_str())) break;
    number = 0;
  }
  if (number == 0) {
    number = ini_.get_int(kConfig, "Used", 0) + 1;
    if (number < 1) number = 1;
    while (ini_.has_key(kName, std::to_string(number).c_str())) ++number;
    ini_.write_string(kConfig, "Used", std::to_string(number).c_str());
  }
  DirectoryEntry e = entry;
  e.number = number;
  update(e);
  return number;
}

void _dial_file_ldl::update(const DirectoryEntry& e) {
  const std::string key = std::to_string(e.number);
  ini_.write_string(kName, key.c_str(), Cut(e.name, kEntryNameMax).c_str());
  ini_.write_string(kPhone, key.c_str(), Cut(e.phone, kLocalPhoneMax).c_str());
  ini_.write_string(kNetwork, key.c_str(), std::to_string(e.network).c_str());
}

void _dial_file_ldl::remove(int number) {
  const std::string key = std::to_string(number);
  if (!ini_.has_key(kName, key.c_str())) return;
  for (const char* section : {kName, kPhone, kNetwork, kRoot}) ini_.write_string(section, key.c_str(), nullptr);
  ini_.write_string(kUnused, key.c_str(), "");
}

void _dial_file_ldl::store_root(int number, const std::string& enciphered) {
  ini_.write_string(kRoot, std::to_string(number).c_str(), enciphered.c_str());
}

std::string _dial_file_gdl::version() { return Get(ini_, "Version", "Version"); }

DirectoryEntry ParseDirectoryLine(const std::string& line, int number) {
  std::string fields[4];
  int f = 0;
  for (char c : line) {
    if (static_cast<unsigned char>(c) == kGdlFieldSeparator) {
      if (++f == 4) break;
      continue;
    }
    if (c == '\r') continue;
    fields[f] += c;
  }
  DirectoryEntry e;
  e.number = number;
  e.name = Cut(fields[0], kEntryNameMax);
  e.phone = fields[1];
  e.network = EntryNumber(fields[2]);
  if (e.network > 2) e.network = 0;
  e.root = fields[3];
  return e;
}

std::vector<DirectoryEntry> ParseDirectoryLines(const std::string& text) {
  std::vector<DirectoryEntry> out;
  size_t start = 0;
  int number = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    start = end == std::string::npos ? text.size() : end + 1;
    ++number;
    size_t first = line.find_first_not_of(" \t\r");
    if (first != std::string::npos && line[first] == '[') break;  // the sections begin
    DirectoryEntry e = ParseDirectoryLine(line, number);
    if (!e.name.empty() || !e.phone.empty()) out.push_back(e);
  }
  return out;
}

bool _dial_file_lines::read_all(std::vector<DirectoryEntry>* out) {
  std::string text;
  if (!ReadFileText(path_, &text)) return false;
  *out = ParseDirectoryLines(text);
  return true;
}

bool ReadGlobalDirectory(const std::string& gdlPath, tavix::IniFile& gdlSections, const std::string& namPath,
                         std::vector<DirectoryEntry>* out) {
  out->clear();
  std::string text;
  bool readable = ReadFileText(gdlPath, &text);
  if (readable) {
    *out = ParseDirectoryLines(text);
    if (out->empty()) {
      _dial_file_gdl sections(gdlSections);
      sections.read_all(out);
    }
    if (!out->empty()) return true;
  }
  _dial_file_lines nam(namPath);
  return nam.read_all(out) || readable;
}

bool ReadFileText(const std::string& path, std::string* text) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  text->clear();
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text->append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}
