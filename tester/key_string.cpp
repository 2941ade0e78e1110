#include "key_string.h"

#include <cctype>
#include <cstring>
#include <string>

namespace {

// Virtual-key codes of the named keys.
constexpr uint16_t kVkTab = 0x09;
constexpr uint16_t kVkPrior = 0x21;
constexpr uint16_t kVkNext = 0x22;
constexpr uint16_t kVkEnd = 0x23;
constexpr uint16_t kVkHome = 0x24;
constexpr uint16_t kVkLeft = 0x25;
constexpr uint16_t kVkUp = 0x26;
constexpr uint16_t kVkRight = 0x27;
constexpr uint16_t kVkDown = 0x28;
constexpr uint16_t kVkInsert = 0x2D;
constexpr uint16_t kVkDelete = 0x2E;
constexpr uint16_t kVkF1 = 0x70;

struct Name {
  const char* text;
  uint8_t modifier;  // non-zero for a modifier
  uint16_t virtualKey;
};

constexpr Name kNames[] = {
    {"shift", kAccelShift, 0}, {"control", kAccelControl, 0}, {"alt", kAccelAlt, 0},
    {"dn", 0, kVkDown},        {"up", 0, kVkUp},              {"lt", 0, kVkLeft},
    {"rt", 0, kVkRight},       {"del", 0, kVkDelete},         {"ins", 0, kVkInsert},
    {"home", 0, kVkHome},      {"end", 0, kVkEnd},            {"pgu", 0, kVkPrior},
    {"pgd", 0, kVkNext},
};

bool SameIgnoringCase(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
  return true;
}

// A named part: a modifier bit or a virtual key. False for an unknown name.
bool LookUpName(const std::string& part, uint8_t* modifier, uint16_t* virtualKey) {
  for (const Name& n : kNames) {
    if (SameIgnoringCase(part, n.text)) {
      *modifier = n.modifier;
      *virtualKey = n.virtualKey;
      return true;
    }
  }
  for (int f = 1; f <= 12; ++f) {
    std::string name = "f" + std::to_string(f);
    if (SameIgnoringCase(part, name.c_str())) {
      *modifier = 0;
      *virtualKey = static_cast<uint16_t>(kVkF1 + f - 1);
      return true;
    }
  }
  return false;
}

// One item after its parts are read.
struct Item {
  uint8_t modifiers = 0;
  bool hasKey = false;
  bool named = false;
  uint16_t key = 0;  // the character or the virtual key
};

bool ParseItem(const std::string& text, Item* item) {
  size_t start = 0;
  for (;;) {
    const size_t plus = text.find('+', start);
    const std::string part = text.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
    if (part.size() == 1) {
      if (item->hasKey) return false;
      item->hasKey = true;
      item->key = static_cast<uint8_t>(part[0]);
    } else if (part.size() >= 2 && part.size() <= 10) {
      uint8_t modifier = 0;
      uint16_t virtualKey = 0;
      if (!LookUpName(part, &modifier, &virtualKey)) return false;
      if (modifier) {
        item->modifiers |= modifier;
      } else {
        if (item->hasKey) return false;
        item->hasKey = item->named = true;
        item->key = virtualKey;
      }
    } else {
      return false;
    }
    if (plus == std::string::npos) break;
    start = plus + 1;
  }
  return item->hasKey;
}

// A literal character typed with modifiers, as the accelerator look-up sees it.
void TranslateLiteral(uint16_t c, uint16_t* key, bool* virtualKey, uint8_t* modifiers) {
  *virtualKey = false;
  *key = c;
  if (c >= '0' && c <= '9') {
    *virtualKey = true;
  } else if (c >= 'a' && c <= 'z') {
    *virtualKey = true;
    *key = static_cast<uint16_t>(c - 'a' + 'A');
  } else if (c >= 'A' && c <= 'Z') {
    *virtualKey = true;
    *modifiers |= kAccelShift;
  } else if (c == '\t') {
    *virtualKey = true;
    *key = kVkTab;
  } else if (c == '>') {
    *key = '.';
  } else if (c == '<') {
    *key = ',';
  } else if (c == '~') {
    *key = '`';
  } else if (c == '+') {
    *key = '=';
  }
}

bool FindCommand(uint16_t key, bool virtualKey, uint8_t modifiers, const AcceleratorEntry* entries,
                 size_t count, uint16_t* command) {
  constexpr uint8_t kModifierBits = kAccelShift | kAccelControl | kAccelAlt;
  for (size_t i = 0; i < count; ++i) {
    const AcceleratorEntry& e = entries[i];
    if (e.key != key) continue;
    if (((e.flags & kAccelVirtKey) != 0) != virtualKey) continue;
    if ((e.flags & kModifierBits) != modifiers) continue;
    *command = e.command;
    return true;
  }
  return false;
}

void AddCharacter(std::vector<KeyBlock>* blocks, uint8_t c) {
  if (blocks->empty() || blocks->back().commands || blocks->back().characters.size() >= kKeyBlockCharacters)
    blocks->push_back(KeyBlock{false, {}, {}});
  blocks->back().characters.push_back(c);
}

void AddCommand(std::vector<KeyBlock>* blocks, uint16_t id) {
  if (blocks->empty() || !blocks->back().commands || blocks->back().identifiers.size() >= kKeyBlockCommands)
    blocks->push_back(KeyBlock{true, {}, {}});
  blocks->back().identifiers.push_back(id);
}

}  // namespace

bool ParseKeyString(const char* text, const AcceleratorEntry* entries, size_t entryCount,
                    std::vector<KeyBlock>* blocks) {
  blocks->clear();
  if (!text || !*text) return false;
  const std::string all = text;
  size_t start = 0;
  for (;;) {
    const size_t comma = all.find(',', start);
    const std::string itemText = all.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    Item item;
    if (!ParseItem(itemText, &item)) {
      blocks->clear();
      return false;
    }
    if (!item.named && item.modifiers == 0) {
      AddCharacter(blocks, static_cast<uint8_t>(item.key));
    } else {
      uint16_t key = item.key;
      bool virtualKey = true;
      uint8_t modifiers = item.modifiers;
      if (!item.named) TranslateLiteral(item.key, &key, &virtualKey, &modifiers);
      uint16_t command = 0;
      if (!FindCommand(key, virtualKey, modifiers, entries, entryCount, &command)) {
        blocks->clear();
        return false;
      }
      AddCommand(blocks, command);
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return true;
}
