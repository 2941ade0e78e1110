#include "memory_file_port.h"

#include <algorithm>

#include "host_paths.h"

std::string MemoryFilePort::Normal(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  auto flush = [&] {
    if (!part.empty() && part != ".") parts.push_back(part);
    part.clear();
  };
  for (char c : path) {
    if (c == '/' || c == '\\') {
      flush();
    } else {
      part += c;
    }
  }
  flush();
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : "\\") + p;
  return out;
}

std::string MemoryFilePort::Parent(const std::string& normal) {
  size_t at = normal.rfind('\\');
  return at == std::string::npos ? std::string() : normal.substr(0, at);
}

bool MemoryFilePort::FolderExists(const std::string& folder) const { return folder.empty() || folders.count(folder) != 0; }

void MemoryFilePort::Put(const std::string& path, const std::string& bytes) {
  std::string n = Normal(path);
  MakeFolders(Parent(n));
  files[n].assign(bytes.begin(), bytes.end());
}

bool MemoryFilePort::Has(const std::string& path) const { return files.count(Normal(path)) != 0; }

std::string MemoryFilePort::Get(const std::string& path) const {
  auto it = files.find(Normal(path));
  return it == files.end() ? std::string() : std::string(it->second.begin(), it->second.end());
}

void MemoryFilePort::MakeFolders(const std::string& path) {
  std::string n = Normal(path);
  for (size_t at = 0; at != std::string::npos;) {
    at = n.find('\\', at + 1);
    folders.insert(n.substr(0, at));
  }
  folders.erase("");
}

void MemoryFilePort::Clear() {
  faults = Faults{};
  files.clear();
  folders.clear();
  attributes.clear();
  handles_.clear();
  opens = 0;
  nextHandle_ = 1;
  failure_ = FileFailure::None;
}

FileHandle MemoryFilePort::Open(const char* path, FileAccess access) {
  const std::string n = Normal(path);
  failure_ = FileFailure::Other;
  if (n.empty() || faults.failOpen.count(n) || folders.count(n)) return kNoFile;
  if (!FolderExists(Parent(n))) {
    failure_ = FileFailure::PathNotFound;
    return kNoFile;
  }
  const bool exists = files.count(n) != 0;
  if (access != FileAccess::Create && !exists) {
    failure_ = FileFailure::NotFound;
    return kNoFile;
  }
  if (access == FileAccess::Update && faults.failUpdate.count(n)) return kNoFile;
  if (access == FileAccess::Create) files[n].clear();
  failure_ = FileFailure::None;
  ++opens;
  int h = nextHandle_++;
  handles_[h] = Open_{n, 0, access};
  return h;
}

int MemoryFilePort::Read(FileHandle file, uint8_t* bytes, int count) {
  auto it = handles_.find(file);
  if (it == handles_.end() || faults.readError.count(it->second.path)) return -1;
  const std::vector<uint8_t>& data = files[it->second.path];
  int64_t at = it->second.position;
  int n = at >= static_cast<int64_t>(data.size()) ? 0 : static_cast<int>(std::min<int64_t>(count, data.size() - at));
  std::copy(data.begin() + at, data.begin() + at + n, bytes);
  it->second.position += n;
  return n;
}

int MemoryFilePort::Write(FileHandle file, const uint8_t* bytes, int count) {
  auto it = handles_.find(file);
  if (it == handles_.end() || it->second.access == FileAccess::Read) return -1;
  std::vector<uint8_t>& data = files[it->second.path];
  int64_t at = it->second.position;
  int n = count;
  auto limit = faults.sizeLimit.find(it->second.path);
  if (limit != faults.sizeLimit.end()) n = static_cast<int>(std::max<int64_t>(0, std::min<int64_t>(count, limit->second - at)));
  if (static_cast<int64_t>(data.size()) < at + n) data.resize(at + n);
  std::copy(bytes, bytes + n, data.begin() + at);
  it->second.position += n;
  return n;
}

bool MemoryFilePort::Seek(FileHandle file, int64_t position) {
  auto it = handles_.find(file);
  if (it == handles_.end() || faults.failSeek.count(it->second.path) || position < 0) return false;
  it->second.position = position;
  return true;
}

void MemoryFilePort::Close(FileHandle file) { handles_.erase(file); }

bool MemoryFilePort::Remove(const char* path) {
  if (faults.failRemove) return false;
  return files.erase(Normal(path)) != 0;
}

bool MemoryFilePort::Rename(const char* from, const char* to) {
  const std::string a = Normal(from), b = Normal(to);
  if (faults.failRename || !files.count(a) || !FolderExists(Parent(b))) return false;
  if (a == b) return true;
  files[b] = files[a];
  files.erase(a);
  return true;
}

bool MemoryFilePort::MakeDirectory(const char* path) {
  const std::string n = Normal(path);
  if (n.empty() || files.count(n) || !FolderExists(Parent(n))) return false;
  folders.insert(n);
  return true;
}

bool MemoryFilePort::List(const char* pattern, std::vector<FileListEntry>& out) {
  const std::string n = Normal(pattern);
  const std::string folder = Parent(n);
  const std::string last = n.substr(folder.empty() ? 0 : folder.size() + 1);
  auto entry = [&](const std::string& path, bool directory) {
    FileListEntry e;
    e.name = path.substr(folder.empty() ? 0 : folder.size() + 1);
    e.directory = directory;
    e.size = directory ? 0 : static_cast<int64_t>(files[path].size());
    auto a = attributes.find(path);
    if (a != attributes.end()) {
      e.readOnly = a->second.readOnly;
      e.hidden = a->second.hidden;
      e.system = a->second.system;
    }
    return e;
  };
  size_t before = out.size();
  if (!FolderExists(folder)) return false;
  if (HasWildcard(last.c_str())) {
    // The system lists "." and ".." inside a folder too.
    if (!folder.empty() && WildcardMatch(last.c_str(), ".")) {
      FileListEntry dot;
      dot.name = ".";
      dot.directory = true;
      out.push_back(dot);
      dot.name = "..";
      out.push_back(dot);
    }
    for (const std::string& d : folders)
      if (Parent(d) == folder && WildcardMatch(last.c_str(), d.substr(folder.empty() ? 0 : folder.size() + 1).c_str()))
        out.push_back(entry(d, true));
    for (const auto& f : files)
      if (Parent(f.first) == folder && WildcardMatch(last.c_str(), f.first.substr(folder.empty() ? 0 : folder.size() + 1).c_str()))
        out.push_back(entry(f.first, false));
  } else if (folders.count(n)) {
    out.push_back(entry(n, true));
  } else if (files.count(n)) {
    out.push_back(entry(n, false));
  }
  return out.size() > before;
}

bool MemoryFilePort::SameFile(const char* a, const char* b) {
  const std::string x = Normal(a);
  return x == Normal(b) && files.count(x) != 0;
}
