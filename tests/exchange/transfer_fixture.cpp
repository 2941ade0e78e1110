#include "transfer_fixture.h"

#include <cstdio>

TransferHooksRecord Hooks;

namespace {
bool RecordAux(const uint8_t* bytes, int count) {
  if (Hooks.auxFails) return false;
  Hooks.auxWritten.append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
  return true;
}
void CountRepaint() { ++Hooks.repaints; }
void CountRelease() { ++Hooks.auxReleases; }
}  // namespace

uint16_t TestChecksum(const std::string& data) {
  uint32_t sum = 0;
  for (size_t i = 0; i < data.size(); ++i) sum += static_cast<uint8_t>(data[i]) * static_cast<uint32_t>(i + 1);
  return static_cast<uint16_t>(sum);
}

std::string EncodeHostBlockWithSum(const std::string& data, uint16_t sum, uint8_t sequence) {
  std::string raw = data;
  raw += static_cast<char>(sum & 0xFF);
  raw += static_cast<char>(sum >> 8);
  raw += static_cast<char>(sequence);
  return EscapeHostBytes(raw) + "\r";
}

std::string EscapeHostBytes(const std::string& raw) {
  std::string out;
  for (char ch : raw) {
    uint8_t b = static_cast<uint8_t>(ch);
    if (b < 32) {
      out += '\xF0';
      out += static_cast<char>(b + 32);
    } else if (b == 240) {
      out += "\xF0\xF0";
    } else if (b == 255) {
      out += "\xF0" "C";
    } else {
      out += ch;
    }
  }
  return out;
}

std::string EncodeHostBlock(const std::string& data, uint8_t sequence) {
  return EncodeHostBlockWithSum(data, TestChecksum(data), sequence);
}

std::vector<UploadedBlock> DecodeUploadBlocks(const std::string& sent, bool* ended) {
  std::vector<UploadedBlock> blocks;
  *ended = false;
  size_t start = 0;
  while (start < sent.size()) {
    size_t lf = sent.find('\n', start);
    if (lf == std::string::npos) break;
    std::string line = sent.substr(start, lf - start);
    start = lf + 1;
    if (line == "\x02") {
      *ended = true;
      continue;
    }
    std::string raw;
    for (size_t i = 0; i < line.size(); ++i) {
      uint8_t b = static_cast<uint8_t>(line[i]);
      if (b != 240 || i + 1 == line.size()) {
        raw += line[i];
        continue;
      }
      uint8_t e = static_cast<uint8_t>(line[++i]);
      raw += static_cast<char>(e == 'A' ? 127 : e == 'B' ? 240 : e == 'C' ? 255 : e - 32);
    }
    UploadedBlock b;
    if (raw.size() >= 3) {
      b.data = raw.substr(0, raw.size() - 3);
      uint16_t sum = TestChecksum(b.data);
      b.checksumOk = static_cast<uint8_t>(raw[raw.size() - 3]) == (sum & 0xFF) &&
                     static_cast<uint8_t>(raw[raw.size() - 2]) == (sum >> 8);
      b.sequence = static_cast<uint8_t>(raw.back());
    }
    blocks.push_back(b);
  }
  return blocks;
}

void TransferTest::SetUp() {
  shell.Attach();
  EngineContext c = Engine;
  c.files = &service;
  c.printing = &printing;
  AttachEngine(c);
  ResetEngine();
  ResetConnectionState();
  ResetTransfers();
  ResetMessaging();
  ResetPrint();
  TransferPorts = TransferWiring{&files, RecordAux, CountRelease, CountRepaint, nullptr, nullptr};
  Hooks = TransferHooksRecord{};
  shell.Clear();
}

void TransferTest::TearDown() {
  ResetTransfers();
  TransferPorts = TransferWiring{};
  PrintPorts = PrintWiring{};
  ResetPrint();
  ResetMessaging();
  ResetEngine();
  DetachEngine();
}

void TransferTest::UseMessaging(const std::string& directory, bool subdirectory) {
  Messaging.enabled = true;
  Messaging.haveDirectory = true;
  Messaging.useSubdirectory = subdirectory;
  std::snprintf(Messaging.directory, sizeof Messaging.directory, "%s", directory.c_str());
  files.MakeFolders(directory);
  if (subdirectory) files.MakeFolders(directory + "\\ToPC");
}
