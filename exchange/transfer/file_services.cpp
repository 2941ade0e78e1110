#include "file_services.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine_context.h"
#include "host_paths.h"
#include "transfer_internal.h"
#include "transfer_objects.h"

namespace {

constexpr int kCopyChunk = 1024;
constexpr uint8_t kEntrySeparator = 254;
constexpr uint8_t kFieldSeparator = 253;

FilePort* Files() { return TransferPorts.files; }

// Open a host-named file; devices are refused.
FileHandle OpenHostFile(const char* path, FileAccess access) {
  FilePort* files = Files();
  if (!files || !path[0] || IsDevicePath(path)) return kNoFile;
  return files->Open(path, access);
}

// Copy until a read returns 0: the byte count, or a negative copy error.
int64_t CopyContents(FileHandle from, FileHandle to) {
  FilePort* files = Files();
  uint8_t chunk[kCopyChunk];
  int64_t total = 0;
  for (;;) {
    int n = files->Read(from, chunk, kCopyChunk);
    if (n == 0) return total;
    if (n < 0) return -kCopyReadError;
    if (files->Write(to, chunk, n) != n) return -kCopyShortWrite;
    total += n;
  }
}

// Copy an open source into a created destination, both closed afterwards;
// a failed copy leaves no partial destination behind.
bool FinishCopy(FileHandle from, FileHandle to, const char* destination, int64_t* countOrError) {
  int64_t result = CopyContents(from, to);
  Files()->Close(to);
  Files()->Close(from);
  if (result < 0) {
    Files()->Remove(destination);
    *countOrError = -result;
    return false;
  }
  *countOrError = result;
  return true;
}

bool Fail(int64_t* countOrError, int code) {
  *countOrError = code;
  return false;
}

// The folders of a path up to its last "\", one level at a time; a drive or
// a server and share are not made.
bool MakeFoldersFor(std::string& path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  size_t last = path.rfind('\\');
  if (last == std::string::npos || last == 0) return true;
  size_t start = 0;
  if (path.size() > 1 && path[1] == ':') start = 2;
  if (path.compare(0, 2, "\\\\") == 0) {
    size_t server = path.find('\\', 2);
    size_t share = server == std::string::npos ? server : path.find('\\', server + 1);
    if (share == std::string::npos) return true;
    start = share;
  }
  for (size_t at = path.find('\\', start + 1); at != std::string::npos && at <= last; at = path.find('\\', at + 1)) {
    std::string folder = path.substr(0, at);
    if (folder.empty() || folder.back() == ':') continue;
    if (!Files()->MakeDirectory(folder.c_str())) return false;
  }
  return true;
}

// ---- Listing ----------------------------------------------------------------

struct ListingRecord {
  std::vector<FileListEntry> entries;
  size_t next = 0;
  bool active = false;
};
ListingRecord Listing;

void SendEntry(const FileListEntry& e, bool first, bool singleFile) {
  std::string out;
  if (!first) out += static_cast<char>(kEntrySeparator);
  out += e.name;
  out += static_cast<char>(kFieldSeparator);
  out += std::to_string(e.size);
  out += static_cast<char>(kFieldSeparator);
  if (e.directory) out += 'D';
  if (e.readOnly) out += 'R';
  if (e.hidden) out += 'H';
  if (e.system) out += 'S';
  if (singleFile) out += 'F';
  SendToHost(reinterpret_cast<const uint8_t*>(out.data()), static_cast<int>(out.size()));
}

void ContinueListing() {
  if (!Listing.active) return;
  while (Listing.next < Listing.entries.size()) {
    if (!Engine.channel->when_drained(ContinueListing)) return;
    SendEntry(Listing.entries[Listing.next], Listing.next == 0, false);
    ++Listing.next;
  }
  SendByteToHost(13);
  StopListing();
}

}  // namespace

bool CopyHostFile(const char* source, const char* destination, int64_t* countOrError) {
  if (!destination) return Fail(countOrError, kCopyNoComma);
  FileHandle from = OpenHostFile(source, FileAccess::Read);
  if (from == kNoFile) return Fail(countOrError, kCopyNoSource);
  // Creating the destination would truncate a source that is the same file.
  if (IsDevicePath(destination) || Files()->SameFile(source, destination)) {
    Files()->Close(from);
    return Fail(countOrError, kCopyNoDestination);
  }
  FileHandle to = OpenHostFile(destination, FileAccess::Create);
  if (to == kNoFile) {
    Files()->Close(from);
    return Fail(countOrError, kCopyNoDestination);
  }
  return FinishCopy(from, to, destination, countOrError);
}

void OpenCurrentSource(const char* name) {
  CloseCurrentSource();
  FileHandle f = OpenHostFile(name, FileAccess::Read);
  if (f == kNoFile) return;
  Transfers.currentSource = f;
  std::snprintf(Transfers.currentSourcePath, sizeof Transfers.currentSourcePath, "%s", name);
}

void CloseCurrentSource() {
  if (Transfers.currentSource != kNoFile && Files()) Files()->Close(Transfers.currentSource);
  Transfers.currentSource = kNoFile;
  Transfers.currentSourcePath[0] = 0;
}

bool CopyCurrentSource(const char* destination, int64_t* countOrError) {
  FileHandle from = Transfers.currentSource;
  if (from == kNoFile) return Fail(countOrError, kCopyNoSource);
  // The source is closed afterwards, whatever happens.
  Transfers.currentSource = kNoFile;
  auto refuse = [&](int code) {
    Files()->Close(from);
    Transfers.currentSourcePath[0] = 0;
    return Fail(countOrError, code);
  };
  if (!destination[0] || IsDevicePath(destination) || Files()->SameFile(Transfers.currentSourcePath, destination))
    return refuse(kCopyNoDestination);
  std::string path = destination;
  FileHandle to = Files()->Open(path.c_str(), FileAccess::Create);
  if (to == kNoFile && Files()->LastFailure() == FileFailure::PathNotFound) {
    if (!MakeFoldersFor(path)) return refuse(kCopyNoDirectory);
    to = Files()->Open(path.c_str(), FileAccess::Create);
  }
  if (to == kNoFile) return refuse(kCopyNoDestination);
  Transfers.currentSourcePath[0] = 0;
  return FinishCopy(from, to, path.c_str(), countOrError);
}

bool DeleteHostFile(const char* name) {
  FileHandle f = OpenHostFile(name, FileAccess::Read);
  if (f == kNoFile) return false;
  Files()->Close(f);
  return Files()->Remove(name);
}

void ListHostDirectory(const char* pattern) {
  StopListing();
  FilePort* files = Files();
  std::vector<FileListEntry> found;
  std::string all = pattern;
  if (files && !HasWildcard(pattern)) {
    // A plain file named: that one entry, flagged.
    if (files->List(pattern, found) && !found.empty() && !found[0].directory) {
      SendEntry(found[0], true, true);
      SendByteToHost(13);
      return;
    }
    all += "/*.*";
  }
  found.clear();
  if (files) files->List(all.c_str(), found);
  for (const FileListEntry& e : found)
    if (e.name != "." && e.name != "..") Listing.entries.push_back(e);
  Listing.active = true;
  ContinueListing();
}

void StopListing() { Listing = ListingRecord{}; }
