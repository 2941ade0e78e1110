#include "login_report_record.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

std::vector<uint8_t> Message(const char* code, const std::string& argument, const std::string& identity,
                             const std::string& title) {
  std::vector<uint8_t> m(code, code + 2);
  m.insert(m.end(), argument.begin(), argument.end());
  m.push_back(kReportSeparator);
  m.insert(m.end(), identity.begin(), identity.end());
  m.push_back(kReportSeparator);
  m.insert(m.end(), title.begin(), title.end());
  return m;
}

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

bool SameText(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// Leading decimal digits, as the profile reader takes a number; 0 when none.
int DecimalValue(const std::string& text) {
  long v = 0;
  size_t i = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && v <= 0xFFFFFF) {
    v = v * 10 + (text[i] - '0');
    ++i;
  }
  return static_cast<int>(v);
}

}  // namespace

std::vector<uint8_t> LoginMessage(const std::string& announcement, const std::string& identity,
                                  const std::string& title) {
  return Message("LI", announcement.substr(0, kLoginTextMax), identity, title);
}

std::vector<uint8_t> LogoutMessage(const std::string& identity, const std::string& title) {
  return Message("LO", "", identity, title);
}

std::vector<uint8_t> FrameReportRecord(const std::vector<uint8_t>& message) {
  const size_t length = message.size() < 0xFFFF ? message.size() : 0xFFFF;
  std::vector<uint8_t> record;
  record.reserve(length + 4);
  record.push_back(static_cast<uint8_t>(length & 0xFF));
  record.push_back(static_cast<uint8_t>(length >> 8));
  record.insert(record.end(), message.begin(), message.begin() + static_cast<std::ptrdiff_t>(length));
  record.push_back(0);
  record.push_back(0);
  return record;
}

std::string ReportIdentity(const std::string& dottedAddress, unsigned long processId) {
  char pid[24];
  std::snprintf(pid, sizeof pid, "%lu", processId);
  return dottedAddress + "~" + pid;
}

bool ParseDottedAddress(const std::string& text, uint8_t out[4]) {
  int part = 0;
  size_t i = 0;
  uint8_t value[4] = {};
  while (part < 4) {
    int v = 0, digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && digits < 4) {
      v = v * 10 + (text[i] - '0');
      ++digits;
      ++i;
    }
    if (digits == 0 || digits > 3 || v > 255) return false;
    value[part++] = static_cast<uint8_t>(v);
    if (part < 4) {
      if (i >= text.size() || text[i] != '.') return false;
      ++i;
    }
  }
  if (i != text.size()) return false;
  std::memcpy(out, value, 4);
  return true;
}

ReportServerSettings ParseReportSettings(const std::string& gdlText) {
  ReportServerSettings s;
  // As the profile reader does: the first [Report] section and the first of
  // each key count.
  bool inReport = false;
  bool seenReport = false;
  bool seen[4] = {};
  size_t pos = 0;
  while (pos < gdlText.size()) {
    size_t eol = gdlText.find('\n', pos);
    if (eol == std::string::npos) eol = gdlText.size();
    const std::string line = Trim(gdlText.substr(pos, eol - pos));
    pos = eol + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const size_t close = line.find(']');
      inReport = !seenReport && close != std::string::npos && SameText(Trim(line.substr(1, close - 1)), "Report");
      seenReport = seenReport || inReport;
      continue;
    }
    if (!inReport) continue;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = Trim(line.substr(0, eq));
    const std::string value = Trim(line.substr(eq + 1));
    static const char* const kKeys[4] = {"Int ip", "Int port", "Ext ip", "Ext port"};
    for (int k = 0; k < 4; ++k) {
      if (seen[k] || !SameText(key, kKeys[k])) continue;
      seen[k] = true;
      switch (k) {
        case 0: s.intIp = value; break;
        case 1: s.intPort = DecimalValue(value); break;
        case 2: s.extIp = value; break;
        default: s.extPort = DecimalValue(value); break;
      }
    }
  }
  return s;
}

bool ChooseReportServer(const ReportServerSettings& settings, const uint8_t pcAddress[4],
                        ReportServer* server) {
  uint8_t address[4];
  if (ParseDottedAddress(settings.intIp, address) && address[0] == pcAddress[0] &&
      address[1] == pcAddress[1]) {
    std::memcpy(server->address, address, 4);
    server->port = settings.intPort;
    return true;
  }
  if (!ParseDottedAddress(settings.extIp, address)) return false;
  std::memcpy(server->address, address, 4);
  server->port = settings.extPort;
  return true;
}

void QueueReport(LoginReportSlot& slot, std::vector<uint8_t> message, int state) {
  slot.message = std::move(message);
  slot.pendingState = state;
  ++slot.generation;
}

bool LogoutReportDue(const LoginReportSlot& slot) { return slot.lastSentState == 1 || slot.pendingState == 1; }

long ReportTimeout(const LoginReportSlot& slot) {
  return slot.pendingState == 1 || slot.lastSentState == 1 ? kReportRepeatMs : kReportWaitForever;
}

TakenReport TakeReport(LoginReportSlot& slot) {
  TakenReport t;
  if (slot.message.empty()) return t;
  if (slot.pendingState != 1 && slot.pendingState == slot.lastSentState) return t;
  t.taken = true;
  t.message = std::move(slot.message);
  slot.message.clear();
  t.generation = slot.generation;
  t.previousLastSent = slot.lastSentState;
  slot.lastSentState = slot.pendingState;
  return t;
}

void ReturnReport(LoginReportSlot& slot, TakenReport taken, bool sendFailed) {
  if (!taken.taken) return;
  if (sendFailed) slot.lastSentState = taken.previousLastSent;
  if (slot.generation != taken.generation) return;  // a newer message replaced it
  slot.message = std::move(taken.message);
}
