#include "dial_string.h"

namespace {

bool AllDigits(const std::string& s) {
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return !s.empty();
}

bool IsDigits(const std::string& s, size_t length) { return s.size() == length && AllDigits(s); }

// Whether a destination of ten digits A E xxxx is a local call.
bool LocalCall(const DialProfile& p, LocalCallRules& rules, const std::string& area, const std::string& exchange) {
  if (!rules.AreaMarked(area)) return false;
  bool listed = rules.ExchangeListed(area, exchange);
  return p.tollExchanges == 1 ? listed : !listed;
}

// The calling-card steps in place of the destination's ten digits.
std::string CardSequence(const DialProfile& p, const std::string& ten) {
  std::string out;
  for (int i = 0; i < kCardStepCount; ++i) {
    const int step = p.creditDial[i];
    if (step < kStepCardPhone || step > kStepTone) break;
    switch (step) {
      case kStepCardPhone: out += p.creditCardPhone; break;
      case kStepLastSeven: out += ten.substr(3); break;
      case kStepAllTen: out += ten; break;
      case kStepPin: out += p.creditCardPin; break;
      case kStepDigits: out += p.creditDigits[i]; break;
      case kStepTone: out += "T"; break;
    }
    if (i < kCardWaitCount) out += WaitText(p.creditWait[i]);
  }
  return out;
}

}  // namespace

bool BuildDialString(const DialProfile& p, LocalCallRules& rules, const std::string& number, bool full, size_t size,
                     std::string* out) {
  std::string n;
  for (char c : number)
    if (c != '(' && c != ')' && c != '-' && c != ' ') n += c;
  std::string s = full ? p.dialstring : std::string();
  const bool card = p.useCreditCard != 0;

  if (!n.empty() && n[0] == '!') {
    s += n.substr(1);  // dialled as written, without the access digits
  } else {
    s += p.access;
    if (!n.empty() && (n[0] == '0' || n[0] == '1')) {
      s += n;  // already carries its prefix
    } else {
      if (IsDigits(n, 7)) n = p.homeAreaCode + n;
      if (!IsDigits(n, 10)) {
        s += n;
      } else {
        const std::string area = n.substr(0, 3), exchange = n.substr(3, 3);
        const bool home = area == p.homeAreaCode;
        const bool local = LocalCall(p, rules, area, exchange);
        bool prefix = false;
        if (p.dialMethod == kMethodNeverOne) {
          if (home && local) n = n.substr(3);
        } else if (p.dialMethod == kMethodSevenDigit && home) {
          if (local)
            n = n.substr(3);
          else
            prefix = true;
        } else {
          prefix = !local;
        }
        if (card && n.size() == 10 && area != "800" && area != "888") {
          s += CardSequence(p, n);
        } else {
          if (prefix) s += p.longdistance;
          s += n;
        }
      }
    }
  }
  if (full) s += "^M";
  if (size == 0 || s.size() > size - 1) return false;
  *out = s;
  return true;
}
