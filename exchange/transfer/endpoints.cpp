// The sources and destinations of transfers.
#include <cstdio>
#include <cstring>

#include "raw_print.h"
#include "transfer_objects.h"

namespace {

constexpr int kProgressBytes = 5000;

void CopyPath(char* target, size_t size, const char* source) { std::snprintf(target, size, "%s", source); }

int WriteCount(int count) { return count < 0 ? kTransferBufferSize : count > kTransferBufferSize ? kTransferBufferSize : count; }

}  // namespace

// ---- A file ------------------------------------------------------------------

void _dest_file::set_path(const char* path, const char* finalPath) {
  CopyPath(path_, sizeof path_, path);
  CopyPath(final_, sizeof final_, finalPath ? finalPath : "");
}

// The file is opened for each write, so that it is never held open between
// blocks; a failed open, seek or short write fails the write and the position
// stays where it was.
bool _dest_file::write(int count) {
  count = WriteCount(count);
  if (count == 0) return true;
  FilePort* files = TransferPorts.files;
  if (!files) return false;
  FileHandle f = files->Open(path_, FileAccess::Update);
  if (f == kNoFile) return false;
  bool ok = files->Seek(f, position_) && files->Write(f, Transfers.buffer, count) == count;
  files->Close(f);
  if (ok) position_ += count;
  return ok;
}

bool _dest_file::finish() {
  if (!quiet || !final_[0]) return true;
  FilePort* files = TransferPorts.files;
  return files && files->Rename(path_, final_);
}

void _dest_file::rewind() {
  position_ = 0;
  lastReport_ = 0;
}

bool _dest_file::progress_due() {
  if (position_ - lastReport_ < kProgressBytes) return false;
  lastReport_ = position_;
  return true;
}

// ---- The auxiliary port --------------------------------------------------------

bool _dest_auxport::write(int count) {
  count = WriteCount(count);
  if (count == 0) return true;
  return TransferPorts.auxPortWrite && TransferPorts.auxPortWrite(Transfers.buffer, count);
}

bool _dest_auxport::finish() {
  abandon();
  return true;
}

void _dest_auxport::abandon() {
  if (TransferPorts.auxPortRelease) TransferPorts.auxPortRelease();
}

// ---- The local printer ---------------------------------------------------------

bool _dest_printer::write(int count) {
  count = WriteCount(count);
  if (!jobStarted_) {
    jobStarted_ = true;
    OpenRawJob(true);
    Print.lineCount = 0;
  }
  // No job: nothing can be printed, and the transfer fails.
  if (!Print.jobOpen) return false;
  // Byte 20 is data here: the job ends only with the transfer.
  for (int i = 0; i < count; ++i) PrinterOutput(Transfers.buffer[i], true);
  return true;
}

bool _dest_printer::finish() {
  if (!jobStarted_) return true;
  jobStarted_ = false;
  if (PrinterOutput(kEndOfJob, false)) return true;
  ShowPrintError();
  return false;
}

// ---- A file as a source ------------------------------------------------------------

void _src_file::set_path(const char* path, bool deleteWhenDone) {
  close();
  CopyPath(path_, sizeof path_, path);
  deleteWhenDone_ = deleteWhenDone;
  position = 0;
}

// The file stays open (shared) from the first read to the end of the upload:
// an upload of acknowledged blocks reads once per round trip with the host,
// and opening the file again for each of them cost a third of the time.
// Each read is positioned, so a block asked for again is read again.
int _src_file::read(uint8_t* buffer, int maximum) {
  FilePort* files = TransferPorts.files;
  if (!files) return 0;
  if (file_ == kNoFile) file_ = files->Open(path_, FileAccess::Read);
  int n = 0;
  if (file_ != kNoFile && files->Seek(file_, position)) n = files->Read(file_, buffer, maximum);
  if (n < 0) n = 0;
  if (n == 0) {
    close();
    if (deleteWhenDone_) files->Remove(kWorkFile);
  }
  return n;
}

void _src_file::close() {
  if (file_ != kNoFile && TransferPorts.files) TransferPorts.files->Close(file_);
  file_ = kNoFile;
}

// ---- A DDE conversation ------------------------------------------------------------

bool _dest_dde::write(int count) {
  count = WriteCount(count);
  return TransferPorts.ddeLink && TransferPorts.ddeLink->DestinationWrite(Transfers.buffer, count);
}

bool _dest_dde::finish() { return TransferPorts.ddeLink && TransferPorts.ddeLink->DestinationFinish(); }

void _dest_dde::abandon() {
  if (TransferPorts.ddeLink) TransferPorts.ddeLink->DestinationDiscard();
}

int _src_dde::read(uint8_t* buffer, int maximum) {
  return TransferPorts.ddeLink ? TransferPorts.ddeLink->SourceRead(position, buffer, maximum) : 0;
}

void _src_dde::close() {
  if (TransferPorts.ddeLink) TransferPorts.ddeLink->SourceClose();
}
