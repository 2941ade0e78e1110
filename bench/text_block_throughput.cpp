// A program of 20,000 lines (about 1 MB) sent as ESC T $ into the line store,
// and the same block in local edit mode sent back whole (the host's 0x01), in
// an optimised build without sanitizers. Prints figures; not a test.
//   bench_textblock [LINES]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "block_editors.h"
#include "edit_relay.h"
#include "engine.h"
#include "line_store.h"
#include "recording_shell.h"

namespace {

class CountingEdit final : public MoxelToEdit {
 public:
  long long bytes = 0;
  int CloseSession(int) override { return 0; }
  void AcknowledgeSend(int) override {}
  int GetNextMessage(int, const char**, int*) override { return 0; }
  void CloseAll() override {}
  void AddLoadedLine(int, const char* text, int length) override { bytes += length + text[-1]; }
  void EndOfLoad(int) override {}
  int CloseIndex(int) override { return 0; }
  int GetPendingSession() override { return 0; }
  void CancelContinuation(int) override {}
  void HostReply(int, const char*) override {}
  void SetAllViewOnly() override {}
  int AnyBusy() override { return 0; }
  void CloseIdle() override {}
};
CountingEdit library;

MoxelToEdit* HELPER_CALL Create(EditToMoxel*, int* index, const char*, int, int, const char*) {
  *index = 0;
  return &library;
}

std::string Lines(int count) {
  std::string body;
  char line[96];
  for (int i = 0; i < count; ++i) {
    int n = std::snprintf(line, sizeof line, "%05d   LET TOTAL = TOTAL + PRICE(%d) * QUANTITY  ! line %d\r\n",
                          10 * (i + 1), i % 97, i);
    body.append(line, static_cast<size_t>(n));
  }
  return body;
}

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double Feed(const std::string& bytes) {
  auto start = std::chrono::steady_clock::now();
  ParseBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return Milliseconds(std::chrono::steady_clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
  const int lines = argc > 1 ? std::atoi(argv[1]) : 20000;
  RecordingShell shell;
  shell.keepInvalidations = false;
  shell.Attach(false);
  ResetEngine();
  ResetConnectionState();
  const std::string body = Lines(lines);
  const std::string program = std::string("\x1bT$\x25\x20") + "BP,PROG.BAS\n" + body + "\x03\n";

  double best = 1e9;
  for (int round = 0; round < 5; ++round) best = std::min(best, Feed(program));
  std::printf("ESC T $ body of %d lines (%.2f MB) into the store: %.2f ms\n", lines, body.size() / 1e6, best);

  AttachEditWindows(EditWindowPort{Create, nullptr, nullptr});
  best = 1e9;
  for (int round = 0; round < 5; ++round) best = std::min(best, Feed(program));
  std::printf("the same, handed to the editor line by line: %.2f ms\n", best);

  // Local edit mode with a trailer: Esc, then the host's 0x01 asks for all.
  char trailer[64];
  std::snprintf(trailer, sizeof trailer, "0,0,1,%zu\n", body.size() - 2 * static_cast<size_t>(lines));
  Feed(std::string("\x1bT \n") + body + "\x03" + trailer);
  LocalEditKey(27);
  shell.sent.clear();
  best = 1e9;
  size_t sent = 0;
  for (int round = 0; round < 5; ++round) {
    best = std::min(best, Feed("\x01"));
    sent = shell.sent.size();
    shell.sent.clear();
  }
  std::printf("0x01 resend of %d lines (%.2f MB of records): %.2f ms\n", lines, sent / 1e6, best);
  return 0;
}
