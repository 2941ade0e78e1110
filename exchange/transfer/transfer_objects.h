// The transfer class families and the transfer record. Each concrete class
// has exactly one static instance for the program's life (TransferObjects),
// so a transfer never allocates. The virtual operations keep their slot
// order; there is no virtual destructor, since nothing is deleted through a
// base.
#pragma once

#include <cstdint>

#include "file_port.h"
#include "host_paths.h"

constexpr int kTransferBufferSize = 1024;

// ---- Destinations (downloads write into them) ----------------------------

class _dest {
 public:
  // The first count bytes of the transfer buffer; a negative count means 1024.
  virtual bool write(int count) = 0;   // 0
  virtual bool finish() = 0;           // 1
  virtual void rewind() = 0;           // 2
  virtual int64_t position() = 0;      // 3: bytes written
  virtual bool acknowledges() = 0;     // 4
  virtual void abandon() = 0;          // 5
  virtual bool progress_due() = 0;     // 6
  // No byte counter is shown for a quiet destination.
  uint8_t quiet = 0;
};

class _dest_file final : public _dest {
 public:
  bool write(int count) override;
  bool finish() override;
  void rewind() override;
  int64_t position() override { return position_; }
  bool acknowledges() override { return false; }
  void abandon() override {}
  bool progress_due() override;
  // The file (already created) and, for a renaming destination, the name it
  // is moved to when finished. The rename flag is the quiet byte.
  void set_path(const char* path, const char* finalPath);
  const char* path() const { return path_; }

 private:
  char path_[kHostPathSize] = "";
  char final_[kHostPathSize] = "";
  int64_t position_ = 0;
  int64_t lastReport_ = 0;
};

class _dest_auxport final : public _dest {
 public:
  bool write(int count) override;
  bool finish() override;
  void rewind() override {}
  int64_t position() override { return 0; }
  bool acknowledges() override { return false; }
  void abandon() override;
  bool progress_due() override { return false; }
};

class _dest_printer final : public _dest {
 public:
  bool write(int count) override;
  bool finish() override;
  void rewind() override { jobStarted_ = false; }
  int64_t position() override { return 0; }
  bool acknowledges() override { return false; }
  void abandon() override { finish(); }
  bool progress_due() override { return false; }

 private:
  bool jobStarted_ = false;
};

// The DDE conversation behind _src_dde and _dest_dde: the helper endpoints
// own the data handles and the conversation, and set this link.
class DdeEndpointLink {
 public:
  // The source: up to maximum bytes from position; 0 at the end.
  virtual int SourceRead(int64_t position, uint8_t* buffer, int maximum) = 0;
  virtual void SourceClose() = 0;
  // The destination: a chunk of host data, the close that sends it all, and
  // the discard of an abandoned download.
  virtual bool DestinationWrite(const uint8_t* bytes, int count) = 0;
  virtual bool DestinationFinish() = 0;
  virtual void DestinationDiscard() = 0;
};

// A DDE conversation as a download's destination: poke or execute data.
class _dest_dde final : public _dest {
 public:
  bool write(int count) override;
  bool finish() override;
  void rewind() override {}
  int64_t position() override { return 0; }
  bool acknowledges() override { return true; }
  void abandon() override;
  bool progress_due() override { return false; }
};

// ---- Sources (uploads read from them) -------------------------------------

class _src {
 public:
  // Up to maximum bytes from the current position; 0 at the end.
  virtual int read(uint8_t* buffer, int maximum) = 0;  // 0
  virtual void close() = 0;                            // 1
  // Bytes already delivered.
  int64_t position = 0;
};

class _src_file final : public _src {
 public:
  int read(uint8_t* buffer, int maximum) override;
  void close() override;
  void set_path(const char* path, bool deleteWhenDone);

 private:
  char path_[kHostPathSize] = "";
  bool deleteWhenDone_ = false;
  FileHandle file_ = kNoFile;  // open from the first read to the end of the upload
};

// The data a DDE request returned, read at the upload's position so that a
// block asked for again is read again.
class _src_dde final : public _src {
 public:
  int read(uint8_t* buffer, int maximum) override;
  void close() override;
};

// ---- Downloads (host to PC) ------------------------------------------------

class _dnld {
 public:
  virtual void take(uint8_t byte) = 0;  // 0
  virtual void begin() = 0;             // 1
  virtual bool acknowledges() = 0;      // 2
  virtual void abandon() = 0;           // 3
  _dest* destination = nullptr;
};

class _dnld_checksum final : public _dnld {
 public:
  void take(uint8_t byte) override;
  void begin() override;
  bool acknowledges() override { return acknowledge_; }
  void abandon() override;

 private:
  void Store(uint8_t value);
  void EndBlock();
  void End();
  int count_ = 0;
  bool escape_ = false;
  bool error_ = false;
  bool acknowledge_ = false;
  uint8_t sequence_ = 0;
};

// Text and hexadecimal downloads share their buffer handling.
class _dnld_text_stream : public _dnld {
 public:
  void begin() override;
  bool acknowledges() override { return false; }
  void abandon() override;

 protected:
  void Store(uint8_t value);
  void End();
  int count_ = 0;
  bool failed_ = false;  // a write failed: nothing more is written
};

class _dnld_ascii final : public _dnld_text_stream {
 public:
  void take(uint8_t byte) override;
};

class _dnld_hex final : public _dnld_text_stream {
 public:
  void take(uint8_t byte) override;
  void begin() override;

 private:
  bool second_ = false;
  uint8_t high_ = 0;
};

class _dnld_bitbucket final : public _dnld {
 public:
  void take(uint8_t byte) override;
  void begin() override {}
  bool acknowledges() override { return false; }
  void abandon() override;
};

// ---- Uploads (PC to host) ---------------------------------------------------

class _upld {
 public:
  virtual void take(uint8_t byte) = 0;        // 0
  virtual void set_source(_src* source) = 0;  // 1
  virtual void abandon() = 0;                 // 2
};

class _upld_cksum final : public _upld {
 public:
  void take(uint8_t byte) override;
  void set_source(_src* source) override;
  void abandon() override;
  bool escape255 = false;  // 255 goes as 240 "C" (ESC D P)

 private:
  void SendBlock();
  void End();
  _src* source_ = nullptr;
  bool startPending_ = false;
  uint8_t sequence_ = 0;
  int lastLength_ = 0;
};

class _upld_hex final : public _upld {
 public:
  void take(uint8_t byte) override;
  void set_source(_src* source) override;
  void abandon() override;

 private:
  void End();
  _src* source_ = nullptr;
};

class _upld_empty final : public _upld {
 public:
  void take(uint8_t byte) override;
  void set_source(_src* source) override {}
  void abandon() override {}
};

// ---- The record -------------------------------------------------------------

struct TransferObjectSet {
  _dnld_checksum checksumDownload;
  _dnld_ascii textDownload;
  _dnld_hex hexDownload;
  _dnld_bitbucket bitBucket;
  _upld_cksum checksumUpload;
  _upld_hex hexUpload;
  _upld_empty emptyUpload;
  _src_file fileSource;
  _src_dde ddeSource;
  _dest_file fileDestination;
  _dest_auxport auxDestination;
  _dest_printer printerDestination;
  _dest_dde ddeDestination;
};

struct TransferRecord {
  uint8_t buffer[kTransferBufferSize];
  _dnld* currentDownload;
  _upld* currentUpload;
  // A start that completes later (a helper endpoint) leaves its completion
  // here; it is called with 1 (ready) or 0 (failed).
  void (*pendingStart)(int result);
  // The current source file of the one-shot services (ESC F I).
  FileHandle currentSource;
  char currentSourcePath[kHostPathSize];
  // 255 while a checksum download runs, else the last text byte; 0 idle.
  uint8_t activity;
  bool counterReserved;
};

// What the transfers reach outside the engine. The shell sets these; unset
// hooks fail (the auxiliary port) or do nothing (the repaint).
struct TransferWiring {
  FilePort* files;
  // Writes to the auxiliary port and waits until they are done; and the end
  // of a transfer that wrote there.
  bool (*auxPortWrite)(const uint8_t* bytes, int count);
  void (*auxPortRelease)();
  // Repaint the window now (the byte counter of a long download).
  void (*repaint)();
  // A helper endpoint ("/" and a command): direction 0 a source, 1 a
  // destination; 1 ready, 0 failed, -1 pending (completed through the
  // pending start slot).
  int (*openHelperEndpoint)(const char* command, int direction);
  // What _src_dde and _dest_dde read from and write to; unset, they fail.
  DdeEndpointLink* ddeLink;
};

// Owned by transfer_objects.cpp.
extern TransferObjectSet TransferObjects;
extern TransferRecord Transfers;
extern TransferWiring TransferPorts;

// Every transfer object and the record back to the start state (the wiring stays).
void ResetTransfers();
