#include "received_dump.h"

#include <cstdio>

namespace {
constexpr char kHeader[] = "Moxel 4.23\r\n";
}

std::vector<uint8_t> ReceivedDataDump(const TraceEntry* ring, int next) {
  std::vector<uint8_t> out(kHeader, kHeader + sizeof kHeader - 1);
  out.reserve(out.size() + kTraceEntries);
  int at = next;
  for (int i = 0; i < kTraceEntries; ++i) {
    if (ring[at].flag == kTraceReceived) out.push_back(ring[at].byte);
    if (++at == kTraceEntries) at = 0;
  }
  return out;
}

std::string ReceivedDumpFileName(const std::string& directory, const std::string& extension) {
  std::string name = directory;
  if (name.empty() || name.back() != '\\') name += '\\';
  name += "debug.";
  name += extension.empty() ? "txt" : extension;
  return name;
}

bool WriteReceivedDumpFile(const char* path) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  const std::vector<uint8_t> dump = ReceivedDataDump(ReceiveTrace.entries, ReceiveTrace.next);
  const bool written = std::fwrite(dump.data(), 1, dump.size(), file) == dump.size();
  return std::fclose(file) == 0 && written;
}
