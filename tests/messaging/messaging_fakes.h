// A message directory in memory: folders of entries with contents, a move
// that can be made to fail, short forms on request.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "messaging_files.h"

class FakeMessagingFiles final : public MessagingFilePort {
 public:
  struct File {
    std::string contents;
    MessagingFileEntry entry;
  };
  std::map<std::string, std::map<std::string, File>> folders;  // folder (with separator) -> name -> file
  std::set<std::string> unmovable;    // full paths whose move fails
  std::set<std::string> unreadable;   // full paths that cannot be read
  std::map<std::string, std::string> shortForms;
  int lists = 0;

  MessagingFileEntry& Put(const std::string& folder, const std::string& name, const std::string& contents,
                          uint64_t time = 1) {
    File& f = folders[folder][name];
    f.contents = contents;
    f.entry.name = name;
    f.entry.size = contents.size();
    f.entry.time = time;
    return f.entry;
  }
  bool Has(const std::string& folder, const std::string& name) const {
    auto it = folders.find(folder);
    return it != folders.end() && it->second.count(name);
  }

  bool List(const std::string& folder, std::vector<MessagingFileEntry>* entries) override {
    ++lists;
    entries->clear();
    auto it = folders.find(folder);
    if (it == folders.end()) return false;
    // Reverse order: the callers must not rely on the listing's order.
    for (auto f = it->second.rbegin(); f != it->second.rend(); ++f) entries->push_back(f->second.entry);
    return true;
  }
  bool ReadAll(const std::string& path, std::string* bytes) override {
    if (unreadable.count(path)) return false;
    const File* f = Find(path);
    if (!f) return false;
    *bytes = f->contents;
    return true;
  }
  bool Move(const std::string& from, const std::string& to) override {
    if (unmovable.count(from) || Find(to) || !Find(from)) return false;
    const size_t a = from.find_last_of('\\'), b = to.find_last_of('\\');
    File f = folders[from.substr(0, a + 1)][from.substr(a + 1)];
    folders[from.substr(0, a + 1)].erase(from.substr(a + 1));
    f.entry.name = to.substr(b + 1);
    folders[to.substr(0, b + 1)][to.substr(b + 1)] = f;
    return true;
  }
  std::string ShortPath(const std::string& path) override {
    auto it = shortForms.find(path);
    return it == shortForms.end() ? std::string() : it->second;
  }

 private:
  const File* Find(const std::string& path) const {
    const size_t a = path.find_last_of('\\');
    auto folder = folders.find(path.substr(0, a + 1));
    if (folder == folders.end()) return nullptr;
    auto f = folder->second.find(path.substr(a + 1));
    return f == folder->second.end() ? nullptr : &f->second;
  }
};
