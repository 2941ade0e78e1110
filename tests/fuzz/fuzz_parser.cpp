// libFuzzer target: arbitrary host bytes through the engine, with every
// service seam recording. The first byte picks a few shell behaviours so the
// drain protocol and the sound paths are explored too. Any write outside the
// model is caught by AddressSanitizer; the checks below catch a model left in
// an impossible state.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "block_store.h"
#include "dial_service.h"
#include "engine.h"
#include "memory_gdl_store.h"
#include "message_line.h"
#include "recording_shell.h"
#include "shell/config/ini_memory.h"
#include "status_row.h"

namespace {

RecordingShell& Shell() {
  static RecordingShell shell;
  return shell;
}

// The host's dial-list services over a directory in memory, so the change
// texts of ESC G are decoded by the real service.
struct DialDirectory {
  MemoryGdlStore store;
  FakeDialLock lock;
  GdlPass pass{store, lock};
  tavix::MemoryIni sections;
  DialDirectoryService service{pass, lock, sections, [] { return std::string("10.0.19045"); }};
};

DialDirectory& Directory() {
  static DialDirectory d;
  return d;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RecordingShell& shell = Shell();
  shell.Clear();
  shell.keepInvalidations = false;
  uint8_t mode = size ? data[0] : 0;
  shell.drainRefused = mode & 1;
  shell.sound = mode & 2;
  shell.auxOpen = mode & 4;
  shell.namedScreenFound = mode & 8;
  shell.localAddress = mode & 16 ? "10.1.2.3" : nullptr;
  shell.trace.assign(data, data + (size < 300 ? size : 300));
  shell.Attach();
  // The real host windows and named screens, so they are fuzzed too.
  EngineContext context = Engine;
  context.windows = nullptr;
  DialDirectory& directory = Directory();
  directory.pass.Abandon();
  directory.pass.Finish();
  directory.store.directory = "Alpha\xFD" "100\xFD" "0\xFD\r\nBeta\xFD" "200\xFD" "1\xFD\r\nGamma";
  directory.lock.elsewhere = mode & 32;
  context.dialing = &directory.service;
  AttachEngine(context);
  ResetEngine();
  ResetConnectionState();

  // Feed in a few chunks so batch boundaries fall inside sequences.
  size_t i = size ? 1 : 0;
  while (i < size) {
    size_t n = 1 + (data[i] % 61);
    if (n > size - i) n = size - i;
    ParseBytes(data + i, n);
    i += n;
    MarqueeTick();
    AdvanceSpinner();
    if (shell.drainCallback && (data[i - 1] & 3) == 0) shell.Drain();
  }

  const WindowState& w = Screen.win;
  Check(w.cursorRow < kScreenRows);
  Check(w.winLeft <= w.winRight && w.winRight < kScreenCols);
  Check(w.winTop <= w.winBottom && w.winBottom < kScreenRows);
  Check(Screen.message.length <= kHostMessageMax);

  // A connection reset leaves no memory block behind.
  ResetConnectionState();
  Check(LiveBlockCount() == 0);
  // A pass left open is abandoned with its lock.
  directory.pass.Abandon();
  Check(!directory.lock.held);
  ResetEngine();
  return 0;
}
