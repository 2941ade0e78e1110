#include "outbox.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int x = std::tolower(static_cast<unsigned char>(a[i]));
    const int y = std::tolower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y;
  }
  return a.size() != b.size() ? a.size() < b.size() : a < b;
}

std::string BaseName(const std::string& path) {
  const size_t at = path.find_last_of("\\/");
  return at == std::string::npos ? path : path.substr(at + 1);
}

}  // namespace

std::string WithSeparator(const std::string& directory) {
  if (directory.empty()) return directory;
  char last = directory.back();
  return last == '\\' || last == '/' ? directory : directory + "\\";
}

std::string OutboxFolder(const MessagingFolders& folders) {
  std::string d = WithSeparator(folders.directory);
  if (d.empty()) return d;
  return folders.useSubdirectory ? d + "FromPC\\" : d;
}

std::string AuxOutboxFileName(const MessagingFolders& folders, unsigned counter) {
  std::string folder = OutboxFolder(folders);
  if (folder.empty()) return folder;
  const std::string extension =
      !folders.useSubdirectory && !folders.scanExtension.empty() ? folders.scanExtension : "txt";
  char name[16];
  std::snprintf(name, sizeof name, "AUX%05u.", counter % 100000u);
  return folder + name + extension;
}

bool OutboxCandidate(const MessagingFileEntry& e, const MessagingFolders& folders,
                     const std::string& auxFileBeingFilled) {
  if (e.readOnly || e.hidden || e.system || e.directory || e.size == 0) return false;
  if (!auxFileBeingFilled.empty() && SameIgnoringCase(e.name, BaseName(auxFileBeingFilled))) return false;
  if (folders.useSubdirectory || folders.scanExtension.empty()) return true;
  const size_t dot = e.name.find_last_of('.');
  return dot != std::string::npos && SameIgnoringCase(e.name.substr(dot + 1), folders.scanExtension);
}

bool OutboxPicker::Next(std::vector<MessagingFileEntry> entries, const MessagingFolders& folders,
                        const std::string& auxFileBeingFilled, const std::set<std::string>& skip,
                        MessagingFileEntry* next) const {
  std::sort(entries.begin(), entries.end(),
            [](const MessagingFileEntry& a, const MessagingFileEntry& b) { return LessIgnoringCase(a.name, b.name); });
  for (const MessagingFileEntry& e : entries) {
    if (!OutboxCandidate(e, folders, auxFileBeingFilled) || skip.count(e.name)) continue;
    auto seen = offered_.find(e.name);
    if (seen != offered_.end() && seen->second.size == e.size && seen->second.time == e.time) continue;
    *next = e;
    return true;
  }
  return false;
}

void OutboxPicker::Offered(const MessagingFileEntry& e) { offered_[e.name] = Stamp{e.size, e.time}; }
