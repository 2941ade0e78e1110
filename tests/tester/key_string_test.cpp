#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "key_commands.h"
#include "key_string.h"

namespace {

constexpr uint16_t kVkTab = 0x09, kVkDown = 0x28, kVkF1 = 0x70;
constexpr uint8_t V = kAccelVirtKey, S = kAccelShift, C = kAccelControl, A = kAccelAlt;
// Alt+letter and Shift+Alt+letter carry the same key code in the terminal;
// here Shift+Alt+A has an identifier of its own so the tests see which matched.
constexpr uint16_t kShiftAltA = 7777;

const std::vector<AcceleratorEntry> kTable = {
    {V, kVkDown, IDK(1000)},
    {V | S, kVkDown, IDK(1000)},
    {V, kVkF1, IDK(1004)},
    {V | S, kVkF1, IDK(1016)},
    {V | C, kVkF1, IDK(1028)},
    {V | S, kVkTab, IDK(1062)},
    {V | A, 'A', IDK(1161)},
    {V | S | A, 'A', kShiftAltA},
    {V | A, '7', IDK(1151)},
    {A, '.', IDK(1142)},
    {A, ',', IDK(1140)},
    {A, '=', IDK(1157)},
    {A, '`', IDK(1192)},
    {A, '[', IDK(1187)},
};

struct Parsed {
  bool ok;
  std::vector<KeyBlock> blocks;
};

Parsed Parse(const char* text) {
  Parsed p;
  p.ok = ParseKeyString(text, kTable.data(), kTable.size(), &p.blocks);
  return p;
}

// The blocks as one readable line: "c:ab" for characters, "k:30016" for identifiers.
std::string Show(const std::vector<KeyBlock>& blocks) {
  std::string s;
  for (const KeyBlock& b : blocks) {
    if (!s.empty()) s += " | ";
    if (b.commands) {
      s += "k:";
      for (size_t i = 0; i < b.identifiers.size(); ++i) s += (i ? "," : "") + std::to_string(b.identifiers[i]);
    } else {
      s += "c:" + std::string(b.characters.begin(), b.characters.end());
    }
  }
  return s;
}

std::string K(int id) { return "k:" + std::to_string(id); }

}  // namespace

TEST(KeyString, ItemsResolveToCharactersOrAcceleratorCommands) {
  struct Case {
    const char* keys;
    std::string blocks;
  } cases[] = {
      {"shift+f1,a,b", K(IDK(1016)) + " | c:ab"},
      {"alt+A", K(kShiftAltA)},  // an upper-case letter adds Shift
      {"alt+a", K(IDK(1161))},
      {"alt+7", K(IDK(1151))},
      {"SHIFT+F1", K(IDK(1016))},  // names ignore case
      {"control+f1", K(IDK(1028))},
      {"f1,dn,shift+dn", "k:" + std::to_string(IDK(1004)) + "," + std::to_string(IDK(1000)) + "," +
                             std::to_string(IDK(1000))},
      {"shift+\t", K(IDK(1062))},
      {"alt+>", K(IDK(1142))},  // > is typed as the character . with Alt
      {"alt+<", K(IDK(1140))},
      {"alt+~", K(IDK(1192))},
      {"alt+=", K(IDK(1157))},
      {"alt+[", K(IDK(1187))},
      {"x", "c:x"},  // plain characters need no accelerator
      {"\t", "c:\t"},
      {"a,b,f1,c", "c:ab | " + K(IDK(1004)) + " | c:c"},
  };
  for (const Case& c : cases) {
    Parsed p = Parse(c.keys);
    EXPECT_TRUE(p.ok) << c.keys;
    EXPECT_EQ(Show(p.blocks), c.blocks) << c.keys;
  }
}

TEST(KeyString, MalformedStringsAndKeysWithoutACommandFail) {
  const char* bad[] = {
      "",              // nothing to type
      "ctrl+a",        // the modifier is called "control"
      "a,,b",          // an empty item
      "shift+",        // an empty part
      "alt++",         // "+" cannot be typed
      "f13",           // no such name
      "dn+up",         // two keys in one item
      "shift+alt",     // modifiers without a key
      "shiftshiftsh",  // a part longer than ten characters
      "alt+dn",        // no accelerator entry
      "control+a",     // no accelerator entry
      "alt+b",         // no accelerator entry
  };
  for (const char* keys : bad) EXPECT_FALSE(Parse(keys).ok) << keys;
  std::vector<KeyBlock> blocks;
  EXPECT_FALSE(ParseKeyString(nullptr, kTable.data(), kTable.size(), &blocks));
}

TEST(KeyString, BlocksHoldAtMostOneHundredCharactersOrFiftyCommands) {
  std::string keys;
  for (int i = 0; i < 150; ++i) keys += i ? ",x" : "x";
  for (int i = 0; i < 60; ++i) keys += ",f1";
  Parsed p = Parse(keys.c_str());
  ASSERT_TRUE(p.ok);
  ASSERT_EQ(p.blocks.size(), 4u);
  EXPECT_EQ(p.blocks[0].characters.size(), 100u);
  EXPECT_EQ(p.blocks[1].characters.size(), 50u);
  EXPECT_EQ(p.blocks[2].identifiers.size(), 50u);
  EXPECT_EQ(p.blocks[3].identifiers.size(), 10u);
  EXPECT_TRUE(p.blocks[3].commands);
}
