#include "dial_entry.h"

#include <cstdio>
#include <cstring>

#include "dial_string.h"
#include "shell/config/variant_ini.h"

DialledRecord Dialled;

namespace {

constexpr int kTelnetMode = 6;
constexpr int kProxyMode = 9;
constexpr int kTelnetPort = 23;

void CopyField(char* field, size_t size, const std::string& text) {
  size_t n = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(field, text.data(), n);
  field[n] = 0;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool ParseNetworkTarget(const std::string& text, std::string* host, int* port, bool* proxy) {
  size_t end = text.find_first_of(":&");
  *host = text.substr(0, end);
  size_t amp = text.find('&');
  *proxy = amp != std::string::npos;
  *port = kTelnetPort;
  if (!*proxy) return true;
  std::string digits = text.substr(amp + 1);
  while (!digits.empty() && (digits.back() == ' ' || digits.back() == '\t')) digits.pop_back();
  if (digits.empty() || digits.size() > 5) return false;
  long n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  if (n < 1 || n > 65535) return false;
  *port = static_cast<int>(n);
  return true;
}

bool NameMatches(const std::string& name, const std::string& search) {
  if (search.empty()) return true;
  if (search.size() > name.size()) return false;
  for (size_t i = 0; i + search.size() <= name.size(); ++i) {
    size_t j = 0;
    while (j < search.size() && Lower(name[i + j]) == Lower(search[j])) ++j;
    if (j == search.size()) return true;
  }
  return false;
}

DialOutcome PrepareDial(const DirectoryEntry* entry, const DialProfile& profile, LocalCallRules& rules,
                        tavix::VariantIni& ini, const ActiveSettings& configured, ActiveSettings* active,
                        DialledRecord* dialled) {
  if (!entry) return DialOutcome::kNoDestination;
  ActiveSettings a = configured;
  DialledRecord d;
  d.viaProfile = true;
  if (entry->network) {
    std::string host;
    int port;
    bool proxy;
    if (!ParseNetworkTarget(entry->phone, &host, &port, &proxy)) return DialOutcome::kBadPort;
    // A name cut to fit would connect to another host.
    if (host.size() > kHostMax) return DialOutcome::kHostTooLong;
    a.block.mode = proxy ? kProxyMode : kTelnetMode;
    a.block.connect[0] = 0;
    CopyField(a.block.host, sizeof a.block.host, host);
    a.port = port;
    if (proxy) d.name = entry->name;
  } else {
    d.name = entry->name;
    a.block.mode = static_cast<signed char>(profile.dialport);
    const int mode = profile.dialport;
    if (mode == 7 || mode == 8) {
      const std::string key = std::to_string(mode);
      CopyField(a.block.host, sizeof a.block.host, ini.read_string("Dial_host", key.c_str(), "", 64, false));
      a.port = ini.read_int("Dial_port", key.c_str(), 0, false);
    } else if (int n = tavix::per_kind_index(mode)) {
      char key[16];
      std::snprintf(key, sizeof key, "%s%d", "speed", n);
      a.block.speed = static_cast<signed char>(ini.read_int("Config", key, -1));
    }
    std::string dial;
    if (!BuildDialString(profile, rules, entry->phone, true, sizeof a.block.connect, &dial))
      return DialOutcome::kNumberTooLong;
    CopyField(a.block.connect, sizeof a.block.connect, dial);
  }
  d.password = entry->root.substr(0, kStoredPasswordMax);
  *active = a;
  *dialled = d;
  return DialOutcome::kConnect;
}
