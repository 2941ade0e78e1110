#include "debug_data.h"

#include "trace_viewer.h"

namespace {

constexpr size_t kHeaderBytes = 4;

// Entry i counted from the newest, going backwards from the entry before next.
int NewestFirst(int next, int i) {
  int at = next - 1 - i;
  while (at < 0) at += kTraceEntries;
  return at;
}

int32_t ReadCount(const uint8_t b[4]) {
  const uint32_t u = uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
  return static_cast<int32_t>(u);
}

int CappedCount(int32_t count) {
  if (count < 1) return 0;
  return count > kTraceEntries ? kTraceEntries : count;
}

}  // namespace

std::vector<uint8_t> SaveDebugData(const TraceEntry* ring, int next) {
  std::vector<uint8_t> image(kHeaderBytes + 2 * static_cast<size_t>(kTraceEntries));
  const uint32_t count = kTraceEntries;
  for (int i = 0; i < 4; ++i) image[i] = static_cast<uint8_t>(count >> (8 * i));
  uint8_t* out = image.data() + kHeaderBytes;
  for (int i = 0; i < kTraceEntries; ++i) {
    const TraceEntry& e = ring[NewestFirst(next, i)];
    *out++ = e.flag;
    *out++ = e.byte;
  }
  return image;
}

bool WriteDebugData(std::FILE* file, const TraceEntry* ring, int next) {
  const std::vector<uint8_t> image = SaveDebugData(ring, next);
  return std::fwrite(image.data(), 1, image.size(), file) == image.size() && std::fflush(file) == 0;
}

int LoadDebugData(const uint8_t* data, size_t size, TraceEntry* loaded, int next) {
  if (size < kHeaderBytes) return 0;
  int count = CappedCount(ReadCount(data));
  const size_t whole = (size - kHeaderBytes) / 2;
  if (whole < static_cast<size_t>(count)) count = static_cast<int>(whole);
  const uint8_t* in = data + kHeaderBytes;
  for (int i = 0; i < count; ++i, in += 2) loaded[NewestFirst(next, i)] = TraceEntry{in[0], in[1]};
  return count;
}

int ReadDebugData(std::FILE* file, TraceEntry* loaded, int next) {
  uint8_t header[kHeaderBytes];
  if (std::fread(header, 1, kHeaderBytes, file) != kHeaderBytes) return 0;
  const int count = CappedCount(ReadCount(header));
  std::vector<uint8_t> body(2 * static_cast<size_t>(count));
  const size_t got = std::fread(body.data(), 1, body.size(), file);
  body.resize(got);
  body.insert(body.begin(), header, header + kHeaderBytes);
  return LoadDebugData(body.data(), body.size(), loaded, next);
}

const char* SaveDebugDataFile(const char* path) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return kMsgUnableToWrite;
  const bool written = WriteDebugData(file, ReceiveTrace.entries, ReceiveTrace.next);
  const bool closed = std::fclose(file) == 0;
  // A disk that fills up must not pass for a saved file.
  return written && closed ? nullptr : kMsgUnableToWrite;
}

const char* LoadDebugDataFile(const char* path) {
  TraceEntry* loaded = TraceViewerLoadBuffer();
  if (!loaded) return kMsgUnableToLoad;
  std::FILE* file = std::fopen(path, "rb");
  if (!file) {
    FreeTraceViewerLoad();
    return kMsgUnableToRead;
  }
  ReadDebugData(file, loaded, ReceiveTrace.next);
  std::fclose(file);
  TraceViewer.page = 0;
  RenderTraceViewer();
  return nullptr;
}
