// The "MoxelTestInterface" record shared by the MoxelTester library and the
// terminal: 120 bytes of 32-bit little-endian fields and a data area.
#pragma once

#include <cstdint>

constexpr char kTestSectionName[] = "MoxelTestInterface";
constexpr char kTestMessageName[] = "MoxelTester";

constexpr int kTestRecordSize = 120;
constexpr int kTestRequestOffset = 0;
constexpr int kTestStatusOffset = 4;
constexpr int kTestValueAOffset = 8;
constexpr int kTestValueBOffset = 12;
constexpr int kTestCountOffset = 16;
constexpr int kTestDataOffset = 20;
constexpr int kTestDataSize = 100;
constexpr int kTestMaxCharacters = kTestDataSize;
constexpr int kTestMaxCommands = kTestDataSize / 2;

enum TestRequest : int32_t {
  kTestConnect = 1,
  kTestHostBusy = 2,
  kTestCursor = 3,
  kTestWindowSize = 4,
  kTestGetText = 5,
  kTestTypeCharacters = 6,
  kTestTypeCommands = 7,
};

inline int32_t ReadRecordInt(const uint8_t* record, int offset) {
  const uint8_t* p = record + offset;
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

inline void WriteRecordInt(uint8_t* record, int offset, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  uint8_t* p = record + offset;
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}

inline uint16_t ReadRecordCommand(const uint8_t* record, int index) {
  const uint8_t* p = record + kTestDataOffset + 2 * index;
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline void WriteRecordCommand(uint8_t* record, int index, uint16_t id) {
  uint8_t* p = record + kTestDataOffset + 2 * index;
  p[0] = static_cast<uint8_t>(id);
  p[1] = static_cast<uint8_t>(id >> 8);
}
