// The key strings of TypeKeys: items separated by commas, each item one key
// with optional modifiers joined by "+" ("shift+f1,a,b", "alt+A",
// "control+dn"). Plain characters are typed as characters; keys with
// modifiers and named keys become the command identifiers of the terminal's
// accelerator entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One accelerator entry as the terminal's tables hold it. The flag bits are
// those of the accelerator resource: 1 virtual key, 4 Shift, 8 Ctrl, 16 Alt.
struct AcceleratorEntry {
  uint8_t flags;
  uint16_t key;
  uint16_t command;
};

constexpr uint8_t kAccelVirtKey = 0x01;
constexpr uint8_t kAccelShift = 0x04;
constexpr uint8_t kAccelControl = 0x08;
constexpr uint8_t kAccelAlt = 0x10;

constexpr size_t kKeyBlockCharacters = 100;
constexpr size_t kKeyBlockCommands = 50;

// A run of items of one kind, sent in one exchange.
struct KeyBlock {
  bool commands;                  // false: characters (request 6); true: identifiers (request 7)
  std::vector<uint8_t> characters;
  std::vector<uint16_t> identifiers;
};

// Parses text against the accelerator entries. True on success with the
// blocks in order; false when the string is empty or malformed, or names a
// key without an accelerator entry.
bool ParseKeyString(const char* text, const AcceleratorEntry* entries, size_t entryCount,
                    std::vector<KeyBlock>* blocks);
