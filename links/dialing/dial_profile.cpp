#include "dial_profile.h"

#include <cstdio>
#include <cstdlib>

#include "shell/config/variant_ini.h"

namespace {

constexpr char kProfilesSection[] = "Dialing profiles";
constexpr char kConfig[] = "Config";
constexpr char kDefaultName[] = "Default";
constexpr size_t kNameSize = 80;     // 79 characters
constexpr size_t kTextSize = 80;
constexpr size_t kCardTextSize = 30; // 29 characters
constexpr size_t kDigitsSize = 20;   // 19 characters

// Profile sections are not configuration variants: one set per file.
constexpr bool kPlain = false;

std::string Numbered(const char* stem, int i) {
  char key[32];
  std::snprintf(key, sizeof key, "%s%d", stem, i);
  return key;
}

bool AllDigits(const std::string& s, size_t length) {
  if (s.size() != length) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

bool ValidProfileName(const std::string& name) {
  if (name.empty() || name.size() > kNameSize - 1) return false;
  bool anyVisible = false;
  for (unsigned char c : name) {
    if (c < 32 || c > 126) return false;
    if (c != ' ') anyVisible = true;
  }
  return anyVisible;
}

bool ValidAreaCode(const std::string& text) { return AllDigits(text, 3); }
bool ValidExchange(const std::string& text) { return AllDigits(text, 3); }

void ApplyCarrier(DialProfile& p, int carrierCode) {
  const CardCarrier* c = FindCarrier(carrierCode);
  if (!c) return;
  p.creditCardType = c->code;
  p.creditCardPhone = c->number;
  for (int i = 0; i < kCardStepCount; ++i) {
    p.creditDial[i] = c->steps[i];
    p.creditDigits[i] = c->digits[i] ? c->digits[i] : "";
  }
  for (int i = 0; i < kCardWaitCount; ++i) p.creditWait[i] = c->waits[i];
  if (!c->pin) p.creditCardPin.clear();
}

std::string ProfileStore::ProfileSection(int n) {
  char s[32];
  std::snprintf(s, sizeof s, "%s~%d", "DProfile", n);
  return s;
}

std::string ProfileStore::AreaSection(int n) {
  char s[32];
  std::snprintf(s, sizeof s, "%s~%d", "DArea", n);
  return s;
}

std::string ProfileStore::ExchangeSection(int n, const std::string& area) {
  char s[64];
  std::snprintf(s, sizeof s, "%s~%d~%s", "DExchange", n, area.c_str());
  return s;
}

std::string ProfileStore::Read(const std::string& section, const char* key, size_t size) {
  return ini_.read_string(section.c_str(), key, "", size, kPlain);
}

int ProfileStore::ReadInt(const std::string& section, const char* key, int def) {
  return ini_.read_int(section.c_str(), key, def, kPlain);
}

void ProfileStore::Write(const std::string& section, const char* key, const std::string& value) {
  ini_.write_string(section.c_str(), key, value.c_str(), kPlain);
}

void ProfileStore::EnsureDefault() {
  const std::string section = ProfileSection(0);
  if (ini_.file().key_names(kProfilesSection).empty() || !Exists(0))
    ini_.write_string(kProfilesSection, "0", kDefaultName, kPlain);
  if (!ini_.file().key_names(section.c_str()).empty()) return;
  // First use: the older single-profile keys of [Config].
  Write(section, "Dialport", std::to_string(ini_.read_int(kConfig, "Dialport", -1)));
  Write(section, "Access", ini_.read_string(kConfig, "Access", "", kTextSize));
  Write(section, "Longdistance", ini_.read_string(kConfig, "Longdistance", "", kTextSize));
  Write(section, "Dialstring", ini_.read_string(kConfig, "Dialstring", "", kTextSize));
  std::string area = ini_.read_string(kConfig, "Localarea", "", kTextSize);
  ini_.write_string(AreaSection(0).c_str(), nullptr, nullptr, kPlain);
  if (!area.empty()) {
    Write(AreaSection(0), area.c_str(), "");
    ini_.write_string(ExchangeSection(0, area).c_str(), nullptr, nullptr, kPlain);
  }
}

int ProfileStore::Current() {
  std::string text = ini_.read_string(kConfig, "DialProfile", "0", kTextSize);
  char* end = nullptr;
  long n = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || *end || n < 0 || n > 1000000 || !Exists(static_cast<int>(n))) return 0;
  return static_cast<int>(n);
}

void ProfileStore::SetCurrent(int n) { ini_.write_string(kConfig, "DialProfile", std::to_string(n).c_str()); }

std::vector<std::pair<int, std::string>> ProfileStore::List() {
  std::vector<std::pair<int, std::string>> out;
  for (const std::string& key : ini_.file().key_names(kProfilesSection)) {
    char* end = nullptr;
    long n = std::strtol(key.c_str(), &end, 10);
    if (end == key.c_str() || *end || n < 0) continue;
    out.emplace_back(static_cast<int>(n), ini_.read_string(kProfilesSection, key.c_str(), "", kNameSize, kPlain));
  }
  return out;
}

bool ProfileStore::Exists(int n) {
  return ini_.file().has_key(kProfilesSection, std::to_string(n).c_str());
}

DialProfile ProfileStore::Load(int n) {
  const std::string s = ProfileSection(n);
  DialProfile p;
  p.number = n;
  p.name = ini_.read_string(kProfilesSection, std::to_string(n).c_str(), n == 0 ? kDefaultName : "", kNameSize,
                            kPlain);
  p.dialport = ReadInt(s, "Dialport", -1);
  p.dialstring = Read(s, "Dialstring", kTextSize);
  p.access = Read(s, "Access", kTextSize);
  p.longdistance = Read(s, "Longdistance", kTextSize);
  p.homeAreaCode = Read(s, "HomeAreaCode", kTextSize);
  p.dialMethod = ReadInt(s, "Dial method", kMethodSevenDigit);
  p.tollExchanges = ReadInt(s, "Toll exchanges", 0);
  p.useCreditCard = ReadInt(s, "UseCreditCard", 0);
  p.creditCardType = ReadInt(s, "CreditCardType", -1);
  p.creditCardPhone = Read(s, "CreditCardPhone", kCardTextSize);
  p.creditCardPin = Read(s, "CreditCardPIN", kCardTextSize);
  for (int i = 0; i < kCardStepCount; ++i) {
    p.creditDial[i] = ReadInt(s, Numbered("CreditDial", i + 1).c_str(), -1);
    p.creditDigits[i] = Read(s, Numbered("CreditDigits", i + 1).c_str(), kDigitsSize);
  }
  for (int i = 0; i < kCardWaitCount; ++i) p.creditWait[i] = ReadInt(s, Numbered("CreditWait", i + 1).c_str(), -1);
  return p;
}

void ProfileStore::Save(const DialProfile& p) {
  const std::string s = ProfileSection(p.number);
  if (!p.name.empty()) ini_.write_string(kProfilesSection, std::to_string(p.number).c_str(), p.name.c_str(), kPlain);
  Write(s, "Dialport", std::to_string(p.dialport));
  Write(s, "Dialstring", p.dialstring);
  Write(s, "Access", p.access);
  Write(s, "Longdistance", p.longdistance);
  Write(s, "HomeAreaCode", p.homeAreaCode);
  Write(s, "Dial method", std::to_string(p.dialMethod));
  Write(s, "Toll exchanges", std::to_string(p.tollExchanges));
  Write(s, "UseCreditCard", std::to_string(p.useCreditCard));
  Write(s, "CreditCardType", std::to_string(p.creditCardType));
  Write(s, "CreditCardPhone", p.creditCardPhone.substr(0, kCardTextSize - 1));
  Write(s, "CreditCardPIN", p.creditCardPin.substr(0, kCardTextSize - 1));
  for (int i = 0; i < kCardStepCount; ++i) {
    Write(s, Numbered("CreditDial", i + 1).c_str(), std::to_string(p.creditDial[i]));
    Write(s, Numbered("CreditDigits", i + 1).c_str(), p.creditDigits[i].substr(0, kDigitsSize - 1));
  }
  for (int i = 0; i < kCardWaitCount; ++i)
    Write(s, Numbered("CreditWait", i + 1).c_str(), std::to_string(p.creditWait[i]));
}

int ProfileStore::Create(const std::string& name, int from) {
  int n = 1;
  for (const auto& entry : List())
    if (entry.first >= n) n = entry.first + 1;
  DialProfile p = from >= 0 ? Load(from) : DialProfile{};
  p.number = n;
  p.name = name;
  Save(p);
  if (from >= 0) {
    for (const std::string& area : ini_.file().key_names(AreaSection(from).c_str())) {
      Write(AreaSection(n), area.c_str(), Read(AreaSection(from), area.c_str(), kTextSize));
      for (const std::string& e : ini_.file().key_names(ExchangeSection(from, area).c_str()))
        Write(ExchangeSection(n, area), e.c_str(), Read(ExchangeSection(from, area), e.c_str(), kTextSize));
    }
  }
  return n;
}

bool ProfileStore::Delete(int n) {
  if (n == 0) return false;
  for (const std::string& area : ini_.file().key_names(AreaSection(n).c_str()))
    ini_.write_string(ExchangeSection(n, area).c_str(), nullptr, nullptr, kPlain);
  ini_.write_string(AreaSection(n).c_str(), nullptr, nullptr, kPlain);
  ini_.write_string(ProfileSection(n).c_str(), nullptr, nullptr, kPlain);
  ini_.write_string(kProfilesSection, std::to_string(n).c_str(), nullptr, kPlain);
  if (Current() == 0) SetCurrent(0);
  return true;
}

std::vector<std::string> ProfileStore::AreaCodes() { return ini_.file().key_names(AreaSection(selected_).c_str()); }

std::vector<std::string> ProfileStore::Exchanges(const std::string& area) {
  return ini_.file().key_names(ExchangeSection(selected_, area).c_str());
}

void ProfileStore::AddArea(const std::string& area) { Write(AreaSection(selected_), area.c_str(), ""); }

void ProfileStore::DeleteArea(const std::string& area) {
  ini_.write_string(AreaSection(selected_).c_str(), area.c_str(), nullptr, kPlain);
  ini_.write_string(ExchangeSection(selected_, area).c_str(), nullptr, nullptr, kPlain);
}

void ProfileStore::AddExchange(const std::string& area, const std::string& exchange) {
  Write(ExchangeSection(selected_, area), exchange.c_str(), "");
}

void ProfileStore::DeleteExchange(const std::string& area, const std::string& exchange) {
  ini_.write_string(ExchangeSection(selected_, area).c_str(), exchange.c_str(), nullptr, kPlain);
}

bool ProfileStore::KeyWithEmptyValue(const std::string& section, const std::string& key) {
  return ini_.file().has_key(section.c_str(), key.c_str()) && Read(section, key.c_str(), 4).empty();
}

bool ProfileStore::AreaMarked(const std::string& area) { return KeyWithEmptyValue(AreaSection(selected_), area); }

bool ProfileStore::ExchangeListed(const std::string& area, const std::string& exchange) {
  return KeyWithEmptyValue(ExchangeSection(selected_, area), exchange);
}
