// Engine throughput on a host-like stream: full 80 x 24 repaints, every row
// addressed with ESC Y, text switching SO/SI every 16 characters.
// Prints MB/s for batch feeding (as the channel delivers received chunks)
// and for byte-at-a-time feeding.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine.h"
#include "recording_shell.h"
#include "render_notify.h"

namespace {

std::vector<uint8_t> HostStream(size_t minimumBytes) {
  // Full rows on the last row must not scroll the screen: wrap off, as the
  // host has it while it paints whole screens.
  std::string screen = "\x1b~w";
  for (int row = 0; row < 24; ++row) {
    screen += "\x1bY";
    screen += static_cast<char>(32 + row);
    screen += static_cast<char>(32);
    for (int block = 0; block < 5; ++block) {
      screen += block % 2 ? '\x0e' : '\x0f';
      for (int i = 0; i < 16; ++i) screen += static_cast<char>('A' + (row * 7 + block * 3 + i) % 26);
    }
  }
  std::vector<uint8_t> out;
  out.reserve(minimumBytes + screen.size());
  while (out.size() < minimumBytes) out.insert(out.end(), screen.begin(), screen.end());
  return out;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
  // --write FILE MB: only write the stream (the telnet flood benchmark sends it).
  if (argc > 3 && std::string(argv[1]) == "--write") {
    std::vector<uint8_t> s = HostStream(std::strtoul(argv[3], nullptr, 10) << 20);
    std::FILE* f = std::fopen(argv[2], "wb");
    if (!f || std::fwrite(s.data(), 1, s.size(), f) != s.size()) return 1;
    std::fclose(f);
    return 0;
  }
  size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 128;
  bool onlyBatch = argc > 2 && std::string(argv[2]) == "batch";
  std::vector<uint8_t> stream = HostStream(megabytes << 20);
  const double mb = static_cast<double>(stream.size()) / (1 << 20);

  RecordingShell shell;
  shell.keepInvalidations = false;
  shell.Attach(false);
  ResetEngine();
  ResetConnectionState();

  // Batch feeding in 16 KB chunks, each followed by the notification flush.
  const size_t chunk = 16384;
  auto start = std::chrono::steady_clock::now();
  for (size_t i = 0; i < stream.size(); i += chunk) {
    size_t n = stream.size() - i < chunk ? stream.size() - i : chunk;
    ParseBytes(stream.data() + i, n);
  }
  double batch = Seconds(start);

  if (onlyBatch) {
    std::printf("batch: %.1f MB/s\n", mb / batch);
    return 0;
  }

  // One byte at a time through ParseState, flushing every 100 bytes (the
  // telnet channel's read size).
  ResetEngine();
  ResetConnectionState();
  start = std::chrono::steady_clock::now();
  for (size_t i = 0; i < stream.size(); ++i) {
    ParseByte(stream[i]);
    if (i % 100 == 99) FlushRenderNotifications();
  }
  FlushRenderNotifications();
  double single = Seconds(start);

  std::printf("engine throughput: %.0f MB stream\n", mb);
  std::printf("  batch (16 KB chunks):        %8.1f MB/s\n", mb / batch);
  std::printf("  byte at a time (flush/100):  %8.1f MB/s\n", mb / single);
  std::printf("  screen check: row 23 starts with '%c'\n", Screen.cells[23 * 80 + 0].glyph);
  return 0;
}
