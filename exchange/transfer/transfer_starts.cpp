#include "transfer_starts.h"

#include <cstring>

#include "engine_context.h"
#include "file_services.h"
#include "parser.h"
#include "text_file_send.h"
#include "transfer_internal.h"
#include "transfer_objects.h"

namespace {

constexpr uint8_t kDownloadStartFailed = 13;
constexpr uint8_t kDownloadAcknowledged = 1;
constexpr uint8_t kDownloadStarted = 2;
constexpr uint8_t kUploadStarted = 13;
constexpr uint8_t kUploadFailed = 1;
constexpr int kToHost = 0;
constexpr int kFromHost = 1;

TransferObjectSet& O() { return TransferObjects; }

int OpenHelper(const char* command, int direction) {
  return TransferPorts.openHelperEndpoint ? TransferPorts.openHelperEndpoint(command, direction) : 0;
}

// Create (or truncate) a file destination; the "&" form is written under a
// work name and moved to its own name when the transfer is complete.
bool OpenFileDestination(const char* name, _dnld* download) {
  FilePort* files = TransferPorts.files;
  if (!files) return false;
  char path[kHostPathSize];
  char finalPath[kHostPathSize] = "";
  bool inbox = ClassifyEndpoint(name) == EndpointKind::Inbox;
  if (inbox) {
    if (!InboxEndpointPath(name + 1, finalPath, sizeof finalPath)) return false;
    if (std::strlen(finalPath) + std::strlen(kInboxWorkSuffix) >= sizeof path) return false;
    std::strcpy(path, finalPath);
    std::strcat(path, kInboxWorkSuffix);
  } else if (!FileEndpointPath(name, path, sizeof path)) {
    return false;
  }
  FileHandle f = files->Open(path, FileAccess::Create);
  if (f == kNoFile) return false;
  files->Close(f);
  _dest_file& d = O().fileDestination;
  d.quiet = inbox ? 1 : 0;
  d.set_path(path, inbox ? finalPath : nullptr);
  d.rewind();
  download->destination = &d;
  return true;
}

// The endpoint of a checksum download: 1 ready, 0 failed, -1 pending.
int OpenChecksumDestination(const char* name, _dnld* download) {
  switch (ClassifyEndpoint(name)) {
    case EndpointKind::AuxPort:
      if (!Engine.auxPort->IsOpen()) return 0;
      O().auxDestination.quiet = 1;
      download->destination = &O().auxDestination;
      download->destination->rewind();
      return 1;
    case EndpointKind::Printer:
      O().printerDestination.quiet = 1;
      download->destination = &O().printerDestination;
      download->destination->rewind();
      return 1;
    case EndpointKind::Helper:
      return OpenHelper(name + 1, kFromHost);
    default:
      return OpenFileDestination(name, download) ? 1 : 0;
  }
}

void CompleteChecksumDownload(int result) {
  Transfers.pendingStart = nullptr;
  _dnld* d = Transfers.currentDownload;
  if (result != 1 || !d || !d->destination) {
    Transfers.currentDownload = nullptr;
    SendByteToHost(kDownloadStartFailed);
    return;
  }
  d->begin();
  SendByteToHost(d->acknowledges() ? kDownloadAcknowledged : kDownloadStarted);
  Transfers.activity = 255;
  SetParseState(DownloadState);
}

void CompleteChecksumUpload(int result) {
  Transfers.pendingStart = nullptr;
  if (result != 1 || !Transfers.currentUpload) {
    Transfers.currentUpload = nullptr;
    SendByteToHost(kUploadFailed);
    return;
  }
  SendByteToHost(kUploadStarted);
  SetParseState(UploadState);
}

// Whether a file opens for reading.
bool Readable(const char* path) {
  FilePort* files = TransferPorts.files;
  if (!files) return false;
  FileHandle f = files->Open(path, FileAccess::Read);
  if (f == kNoFile) return false;
  files->Close(f);
  return true;
}

// A start command drops a start still pending: the host has moved on, and
// the late completion must not take over the transfer that starts now.
void DropPendingStart() { Transfers.pendingStart = nullptr; }

}  // namespace

void StartChecksumDownload(const char* name) {
  DropPendingStart();
  _dnld* d = &O().checksumDownload;
  d->destination = nullptr;
  Transfers.currentDownload = d;
  int result = OpenChecksumDestination(name, d);
  if (result < 0) {
    Transfers.pendingStart = CompleteChecksumDownload;
    return;
  }
  CompleteChecksumDownload(result);
}

void StartTextDownload(const char* name) {
  DropPendingStart();
  const bool hex = name[0] == '~';
  _dnld* d = hex ? static_cast<_dnld*>(&O().hexDownload) : &O().textDownload;
  if (hex) ++name;
  if (!OpenFileDestination(name, d)) d = &O().bitBucket;
  Transfers.currentDownload = d;
  d->begin();
  SetParseState(DownloadState);
}

void StartChecksumUpload(const char* name, bool escape255) {
  DropPendingStart();
  _upld_cksum& u = O().checksumUpload;
  u.escape255 = escape255;
  Transfers.currentUpload = &u;
  if (ClassifyEndpoint(name) == EndpointKind::Helper) {
    int result = OpenHelper(name + 1, kToHost);
    if (result < 0) {
      Transfers.pendingStart = CompleteChecksumUpload;
      return;
    }
    CompleteChecksumUpload(result);
    return;
  }
  char path[kHostPathSize];
  if (!FileEndpointPath(name, path, sizeof path) || !Readable(path)) {
    CompleteChecksumUpload(0);
    return;
  }
  O().fileSource.set_path(path, name[0] == 0);
  u.set_source(&O().fileSource);
  CompleteChecksumUpload(1);
}

void StartHexUpload(const char* name) {
  DropPendingStart();
  if (name[0] == '~') ++name;
  char path[kHostPathSize];
  if (FileEndpointPath(name, path, sizeof path) && Readable(path)) {
    O().fileSource.set_path(path, false);
    O().hexUpload.set_source(&O().fileSource);
    Transfers.currentUpload = &O().hexUpload;
  } else {
    Transfers.currentUpload = &O().emptyUpload;
  }
  SetParseState(UploadState);
}

void SetTransferDestination(_dest* destination) {
  if (Transfers.currentDownload) Transfers.currentDownload->destination = destination;
}

void SetTransferSource(_src* source) {
  if (Transfers.currentUpload) Transfers.currentUpload->set_source(source);
}

void CompletePendingStart(int result) {
  if (void (*complete)(int) = Transfers.pendingStart) complete(result);
}

void AbandonAllTransfers() {
  _dnld* d = Transfers.currentDownload;
  _upld* u = Transfers.currentUpload;
  Transfers.currentDownload = nullptr;
  Transfers.currentUpload = nullptr;
  Transfers.pendingStart = nullptr;
  Transfers.activity = 0;
  if (d && d->destination) d->abandon();
  if (u) u->abandon();
  ReleaseTransferCounter();
  CloseCurrentSource();
  StopListing();
  StopTextFileSend();
  if (Parser.ParseState == DownloadState || Parser.ParseState == UploadState) ResetParser();
}
