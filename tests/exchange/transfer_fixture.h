// An engine wired to a recording shell, with the real transfer service over
// an in-memory file system and a recording auxiliary port.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell_primitives.h"
#include "engine.h"
#include "memory_file_port.h"
#include "messaging_folders.h"
#include "print_service.h"
#include "raw_print.h"
#include "recording_shell.h"
#include "transfer_objects.h"
#include "transfer_service.h"
#include "transfer_starts.h"

// The host's side of a checksum download: data bytes below 32, 240 and 255
// escaped, the checksum (low byte first) and the sequence byte after them,
// then 13.
std::string EncodeHostBlock(const std::string& data, uint8_t sequence);
// Bytes escaped as the host does in a block.
std::string EscapeHostBytes(const std::string& raw);
// The same framing with a given checksum, to build damaged blocks.
std::string EncodeHostBlockWithSum(const std::string& data, uint16_t sum, uint8_t sequence);
uint16_t TestChecksum(const std::string& data);

// One block an upload sent (escapes undone, LF stripped): its data, whether
// the checksum held, and its sequence byte.
struct UploadedBlock {
  std::string data;
  bool checksumOk = false;
  uint8_t sequence = 0;
};
// Splits what the terminal sent into LF-ended blocks; the end "2 LF" is not a block.
std::vector<UploadedBlock> DecodeUploadBlocks(const std::string& sent, bool* ended);

// The auxiliary port and the repaint hook as the tests see them.
struct TransferHooksRecord {
  std::string auxWritten;
  bool auxFails = false;
  int repaints = 0;
  int auxReleases = 0;
};
extern TransferHooksRecord Hooks;

class TransferTest : public ::testing::Test {
 protected:
  RecordingShell shell;
  MemoryFilePort files;
  TransferService service;
  TransparentPrintService printing;

  void SetUp() override;
  void TearDown() override;

  void Feed(const std::string& bytes) {
    ParseBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  // What the terminal sent since the last call.
  std::string TakeSent() {
    std::string s = shell.sent;
    shell.sent.clear();
    return s;
  }
  static std::string Row(int row, int col, int count) {
    std::string s;
    for (int c = col; c < col + count; ++c) s += static_cast<char>(CellAt(c, row)->glyph);
    return s;
  }
  bool InGround() const { return Parser.ParseState == GroundState; }
  void UseMessaging(const std::string& directory, bool subdirectory = true);
};

inline const std::string kEsc = "\x1b";
