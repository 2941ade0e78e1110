// libFuzzer target: arbitrary host bytes through the engine, with every
// service seam recording but the file transfers and printing, which run for
// real over in-memory files and a spooler that takes everything. The first byte picks a few shell behaviours so the
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
#include "memory_file_port.h"
#include "memory_gdl_store.h"
#include "message_line.h"
#include "messaging_folders.h"
#include "print_service.h"
#include "raw_print.h"
#include "recording_shell.h"
#include "shell/config/ini_memory.h"
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
  context.files = &TheServices().transfers;
  context.printing = &TheServices().printing;
  DialDirectory& directory = Directory();
  directory.pass.Abandon();
  directory.store.directory = "Alpha\xFD" "100\xFD" "0\xFD\r\nBeta\xFD" "200\xFD" "1\xFD\r\nGamma";
  directory.lock.elsewhere = mode & 32;
  context.dialing = &directory.service;
  AttachEngine(context);
  PrepareServices(mode & 64);
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
  ResetEngine();
  return 0;
}
