// libFuzzer target: arbitrary host bytes through the engine, with the engine's
// own host windows, text blocks, pick lists, fields and the program editor's
// relay driving the helper library's real edit windows (without their Win32
// frames, each edited and saved by a scripted user as it loads) and the
// terminal's real preference callbacks; the file transfers and printing run
// for real over in-memory files and a spooler that takes everything; every
// other seam records. The first byte picks a few shell behaviours so the
// drain protocol and the sound paths are explored too; with its key bit set,
// the last byte of each chunk also becomes a key for the local mode that
// holds the keyboard (the block editors, their find prompt, pick lists,
// fields), so the edit records and replies are driven as well. Any write
// outside the model is caught by AddressSanitizer; the checks below catch a
// model left in an impossible state.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "block_store.h"
#include "dial_service.h"
#include "engine.h"
#include "memory_file_port.h"
#include "memory_gdl_store.h"
#include "edit_labels.h"
#include "edit_relay.h"
#include "edit_syntax.h"
#include "headless_frame.h"
#include "helper_state.h"
#include "line_store.h"
#include "message_line.h"
#include "moxel_to_edit.h"
#include "messaging_folders.h"
#include "print_service.h"
#include "raw_print.h"
#include "recording_shell.h"
#include "shell/config/ini_memory.h"
#include "shell/editlink/edit_to_moxel.h"
#include "status_row.h"
#include "transfer_objects.h"
#include "transfer_service.h"

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

// Keeps the handler a local mode installs; an edit-window event and a find
// request always wait.
struct HeldKeyboard final : public KeyboardSeam {
  LocalKeyHandler handler = nullptr;
  void InstallLocalHandler(LocalKeyHandler h, int) override { handler = h; }
  void RestoreNormalHandler() override { handler = nullptr; }
  void ResetInput() override { handler = nullptr; }
  bool EventPending(int32_t code) override { return code == 1095; }
  bool TakeEditWindowEvent(int* value) override {
    *value = 0;
    return true;
  }
  bool TakeFindRequest(char* text, int size, uint8_t* flags) override {
    if (size < 3) return false;
    text[0] = 'a';
    text[1] = 0;
    *flags = 16;
    return true;
  }
  int LastMouseEvent(int values[5]) override {
    values[0] = 1;
    values[1] = click % 80;
    values[2] = click % 25;
    return 3;
  }
  int click = 0;
};

HeldKeyboard& Keys() {
  static HeldKeyboard keyboard;
  return keyboard;
}

// The user of an arriving program: changes a line, splits and joins it, and
// saves, so that the host's polls and save answers meet a busy window.
// The program as the host sent it is also coloured, its labels listed and
// its comment block read and rewritten; every third window asks the host
// for a function text or a message instead of saving, so replies of every
// request type meet the parser.
void EditAndSave(EditSession& session) {
  static unsigned windows = 0;
  std::vector<TokenRun> runs;
  for (int i = 0; i < session.Lines().Count() && i < 200; ++i) ScanLine(session.Lines().At(i), true, runs);
  CollectLabels(session.Lines(), true);
  int consumed = 0;
  const ProgramComment comment = session.ReadComment(&consumed);
  session.MoveCaret(1, 3);
  session.TypeCharacter('x');
  session.NewLine();
  session.Backspace();
  switch (windows++ % 3) {
    case 0: session.Save(); break;
    case 1:
      session.ApplyComment(comment);
      session.RequestFunction();
      break;
    default: session.RequestEditProgram(); break;
  }
}

struct NoPort final : EditLinkPort {
  void NotifyPending() override {}
  void RequestClose(int) override {}
};

EditToMoxelI& Callbacks() {
  static tavix::MemoryIni ini;
  static tavix::VariantIni variant(ini);
  static NoPort port;
  static EditToMoxelI callbacks;
  callbacks.Attach(&variant, &port, DesktopRect{0, 0, 1024, 768});
  return callbacks;
}

MoxelToEdit* HELPER_CALL CreateEditWindow(EditToMoxel* callbacks, int* index, const char* title, int session,
                                          int readOnly, const char* suffix) {
  return OpenEditWindow(HeadlessEditFrame::Make, callbacks, index, title, session, readOnly, suffix);
}

const char* MainTitle() { return "Moxel fuzz"; }

// Keys the local modes act on, picked by a byte.
constexpr int32_t kKeys[] = {27,   13,   8,    9,    'a', ' ',  '*',  1000, 1001, 1002, 1003, 1004, 1028,
                             1040, 1052, 1053, 1054, 1055, 1056, 1057, 1058, 1059, 1060, 1062, 1063, 1064,
                             1069, 1070, 1071, 1072, 1073, 1090, 1092, 1094, 1095, 1096 + 'L', 1096 + 'S',
                             1096 + 'A', 1096 + 'C', 1096 + 'M', 1096 + 'P', 1096 + 'R', 2148, 2149, 1022,
                             'L', 'x'};

void Check(bool ok) {
  if (!ok) std::abort();
}

class AcceptingSpooler final : public SpoolerPort {
 public:
  PrinterHandle Open(const char*) override { return 1; }
  void Close(PrinterHandle) override {}
  bool StartDocument(PrinterHandle, const char*, const char*, int* error) override {
    *error = 0;
    return true;
  }
  bool StartPage(PrinterHandle, int* error) override {
    *error = 0;
    return true;
  }
  bool Write(PrinterHandle, const uint8_t*, int count, int* error) override {
    *error = 0;
    Check(count > 0 && count <= kPrintLineSize);
    return true;
  }
  bool EndPage(PrinterHandle) override { return true; }
  bool EndDocument(PrinterHandle) override { return true; }
  void Abort(PrinterHandle) override {}
};

struct Services {
  MemoryFilePort files;
  TransferService transfers;
  TransparentPrintService printing;
  AcceptingSpooler spooler;
};

Services& TheServices() {
  static Services services;
  return services;
}

void NoMessage(const char*) {}
bool AuxWrite(const uint8_t*, int count) { return count > 0; }

// A few files for uploads and copies, the messaging folders for "&".
void PrepareServices(bool printer) {
  Services& s = TheServices();
  s.files.Clear();
  s.files.Put("./edata", "work file \xff\xf0\x02\r\n");
  s.files.Put("a", std::string(300, 'a'));
  s.files.MakeFolders("m\\ToPC");
  TransferPorts = TransferWiring{&s.files, AuxWrite, nullptr, nullptr, nullptr};
  ResetTransfers();
  ResetMessaging();
  Messaging.enabled = Messaging.haveDirectory = Messaging.useSubdirectory = true;
  Messaging.directory[0] = 'm';
  ResetPrint();
  PrintPorts = PrintWiring{&s.spooler, NoMessage};
  Print.transparentPrinter = printer ? 1 : kNoPrinter;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RecordingShell& shell = Shell();
  HeldKeyboard& keys = Keys();
  shell.Clear();
  shell.keepInvalidations = false;
  uint8_t mode = size ? data[0] : 0;
  shell.drainRefused = mode & 1;
  shell.sound = mode & 2;
  shell.auxOpen = mode & 4;
  shell.namedScreenFound = mode & 8;
  shell.localAddress = mode & 16 ? "10.1.2.3" : nullptr;
  const bool typeKeys = mode & 32;
  shell.userScreenList = mode & 64;
  shell.trace.assign(data, data + (size < 300 ? size : 300));
  shell.Attach();
  // The engine's own services, so they are fuzzed too.
  EngineContext context = Engine;
  context.windows = nullptr;
  context.files = &TheServices().transfers;
  context.printing = &TheServices().printing;
  DialDirectory& directory = Directory();
  directory.pass.Abandon();
  directory.pass.Finish();
  directory.store.directory = "Alpha\xFD" "100\xFD" "0\xFD\r\nBeta\xFD" "200\xFD" "1\xFD\r\nGamma";
  // Every bit of the mode byte has its own use: the lock is held elsewhere
  // when two unrelated ones are set together.
  directory.lock.elsewhere = (mode & 6) == 6;
  context.dialing = &directory.service;
  context.textBlocks = nullptr;
  context.pickLists = nullptr;
  context.fields = nullptr;
  context.keyboard = &keys;
  AttachEngine(context);
  HeadlessEditFrame::onLoaded = EditAndSave;
  AttachEditWindows(EditWindowPort{mode & 128 ? nullptr : CreateEditWindow, &Callbacks(), MainTitle});
  // A printer is chosen unless two unrelated mode bits are set together.
  PrepareServices((mode & 9) != 9);
  ResetEngine();
  ResetConnectionState();

  // Feed in a few chunks so batch boundaries fall inside sequences.
  size_t i = size ? 1 : 0;
  while (i < size) {
    size_t n = 1 + (data[i] % 61);
    if (n > size - i) n = size - i;
    ParseBytes(data + i, n);
    i += n;
    if (typeKeys && keys.handler) {
      const uint8_t b = data[i - 1];
      keys.click = b;
      keys.handler(kKeys[b % (sizeof kKeys / sizeof kKeys[0])]);
    }
    MarqueeTick();
    AdvanceSpinner();
    if (shell.drainCallback && (data[i - 1] & 3) == 0) shell.Drain();
  }

  const WindowState& w = Screen.win;
  Check(w.cursorRow < kScreenRows);
  Check(w.winLeft <= w.winRight && w.winRight < kScreenCols);
  Check(w.winTop <= w.winBottom && w.winBottom < kScreenRows);
  Check(Screen.message.length <= kHostMessageMax);
  Check(LineStore.lineCount <= kLineStoreMaxLines + kSegmentLines);

  // A connection reset leaves no memory block behind, and no transfer.
  ResetConnectionState();
  Check(LiveBlockCount() == 0);
  Check(Transfers.currentDownload == nullptr && Transfers.currentUpload == nullptr);
  Check(TheServices().files.OpenHandles() == 0);
  Check(Screen.message.reserved == 0);
  ClosePrinters();
  Check(!Print.jobOpen);
  // A pass left open is abandoned with its lock.
  directory.pass.Abandon();
  Check(!directory.lock.held);
  // Whatever the host did, the windows can still be asked and closed.
  if (EditRelay.edit) {
    EditRelay.edit->AnyBusy();
    EditRelay.edit->CloseAll();
  }
  ResetHelperState();
  ResetEngine();
  AttachEditWindows(EditWindowPort{nullptr, nullptr, nullptr});
  return 0;
}
