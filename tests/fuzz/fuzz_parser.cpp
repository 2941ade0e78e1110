// libFuzzer target: arbitrary host bytes through the engine, with every
// service seam recording. The first byte picks a few shell behaviours so the
// drain protocol and the sound paths are explored too. Any write outside the
// model is caught by AddressSanitizer; the checks below catch a model left in
// an impossible state.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "block_store.h"
#include "headless_frame.h"
#include "edit_relay.h"
#include "helper_state.h"
#include "moxel_to_edit.h"
#include "shell/config/ini_memory.h"
#include "shell/editlink/edit_to_moxel.h"
#include "engine.h"
#include "message_line.h"
#include "recording_shell.h"
#include "status_row.h"

namespace {

RecordingShell& Shell() {
  static RecordingShell shell;
  return shell;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

// The helper library's real edit windows without their Win32 frames, so that
// the host's programs and answers (ESC T $, ESC S G/B/K/R) reach the
// library's decoders; the terminal's real preference callbacks over an INI
// file in memory.
// The "user" of an arriving program, when the mode asks for one: edits it
// and saves, so that the host's polls and save answers meet a busy window.
void EditAndSave(EditSession& session) {
  session.MoveCaret(1, 3);
  session.TypeCharacter('x');
  session.NewLine();
  session.Backspace();
  session.Save();
}

struct NoPort final : EditLinkPort {
  void NotifyPending() override {}
  void RequestClose(int) override {}
};

tavix::MemoryIni& Ini() {
  static tavix::MemoryIni ini;
  return ini;
}

EditToMoxelI& Callbacks() {
  static tavix::VariantIni variant(Ini());
  static NoPort port;
  static EditToMoxelI callbacks;
  callbacks.Attach(&variant, &port, DesktopRect{0, 0, 1024, 768});
  return callbacks;
}

MoxelToEdit* HELPER_CALL FuzzCreateEditWindow(EditToMoxel* callbacks, int* index, const char* title, int session,
                                              int readOnly, const char* suffix) {
  return OpenEditWindow(HeadlessEditFrame::Make, callbacks, index, title, session, readOnly, suffix);
}

const char* FuzzMainTitle() { return "Moxel fuzz"; }

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
  HeadlessEditFrame::onLoaded = mode & 32 ? EditAndSave : nullptr;
  shell.trace.assign(data, data + (size < 300 ? size : 300));
  shell.Attach();
  // The real host windows and named screens, so they are fuzzed too.
  EngineContext context = Engine;
  context.windows = nullptr;
  AttachEngine(context);
  ResetEngine();
  ResetConnectionState();
  AttachEditWindows(EditWindowPort{FuzzCreateEditWindow, &Callbacks(), FuzzMainTitle});

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
  // Whatever the host did, the windows' queues stay consistent.
  if (EditRelay.edit) {
    EditRelay.edit->AnyBusy();
    EditRelay.edit->CloseAll();
  }
  ResetHelperState();
  ResetEngine();
  return 0;
}
