// The edit window's outgoing messages at volume: 10,000 replaced lines
// fetched with GetNextMessage and confirmed with AcknowledgeSend, as the
// terminal's polls do, through the library's real MoxelToEdit object (a
// window without its Win32 frame). Prints figures; not a test.
//   bench_edit_messages [LINES]     (default 10000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "headless_frame.h"
#include "helper_state.h"
#include "moxel_to_edit.h"

int main(int argc, char** argv) {
  const int lines = argc > 1 ? std::atoi(argv[1]) : 10000;
  if (lines <= 0) return 2;
  int best = -1;
  double bestMs = 0;
  for (int round = 0; round < 5; ++round) {
    int index = -1;
    MoxelToEdit* edit = OpenEditWindow(HeadlessEditFrame::Make, nullptr, &index, "BENCH", 1, 0, "");
    EditSession& s = Helper.AllEdits.At(index)->Session();
    for (int i = 0; i < lines; ++i) {
      const std::string text = "     " + std::to_string(i * 10) + " PRINT \"LINE " + std::to_string(i) + "\"  ";
      s.Lines().Insert(i, text);
      s.Queue().QueueReplace(i);
    }
    const auto start = std::chrono::steady_clock::now();
    const char* text = nullptr;
    int length = 0;
    long long bytes = 0;
    int messages = 0;
    while (edit->GetNextMessage(1, &text, &length)) {
      bytes += length;
      ++messages;
      edit->AcknowledgeSend(1);
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (messages != lines || edit->GetPendingSession() != 0) {
      std::fprintf(stderr, "bench_edit_messages: %d messages for %d lines\n", messages, lines);
      return 1;
    }
    if (best < 0 || ms < bestMs) bestMs = ms, best = round;
    std::printf("round %d: %d replaces, %lld bytes, %.2f ms\n", round, messages, bytes, ms);
    ResetHelperState();
  }
  std::printf("%d replaces through GetNextMessage/AcknowledgeSend: best %.2f ms\n", lines, bestMs);
  return 0;
}
