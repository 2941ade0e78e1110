// Dialing profiles in corvane.ini: [Dialing profiles] names them by number,
// DProfile~n holds a profile's keys, DArea~n its local area codes and
// DExchange~n~A the listed exchanges of area code A. Profile 0, "Default",
// always exists; when it has no section yet it is made from the older
// single-profile keys of [Config].
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "dial_tables.h"

namespace tavix {
class VariantIni;
}

struct DialProfile {
  int number = 0;
  std::string name;
  int dialport = -1;            // "Dialport": the mode phone entries are dialled on
  std::string dialstring;       // "Dialstring": the modem's dial command
  std::string access;           // "Access": outside-line digits
  std::string longdistance;     // "Longdistance": the long-distance prefix
  std::string homeAreaCode;     // "HomeAreaCode"
  int dialMethod = kMethodSevenDigit;  // "Dial method"
  int tollExchanges = 0;        // "Toll exchanges": 1 the listed exchanges are local calls
  int useCreditCard = 0;        // "UseCreditCard"
  int creditCardType = -1;      // "CreditCardType"
  std::string creditCardPhone;  // "CreditCardPhone"
  std::string creditCardPin;    // "CreditCardPIN"
  int creditDial[kCardStepCount] = {-1, -1, -1, -1, -1, -1};  // "CreditDial1".."CreditDial6"
  int creditWait[kCardWaitCount] = {-1, -1, -1, -1, -1};      // "CreditWait1".."CreditWait5"
  std::string creditDigits[kCardStepCount];                   // "CreditDigits1".."CreditDigits6"
};

// Whether a number's area code and exchange count as a local call in a profile.
class LocalCallRules {
 public:
  virtual ~LocalCallRules() = default;
  // The area code is a key of DArea~n with an empty value.
  virtual bool AreaMarked(const std::string& area) = 0;
  // The exchange is a key of DExchange~n~area with an empty value.
  virtual bool ExchangeListed(const std::string& area, const std::string& exchange) = 0;
};

// Copy a card carrier's preset into a profile (dialog 136).
void ApplyCarrier(DialProfile& profile, int carrierCode);

class ProfileStore final : public LocalCallRules {
 public:
  explicit ProfileStore(tavix::VariantIni& ini) : ini_(ini) {}

  // Section names: "DProfile~n", "DArea~n", "DExchange~n~A".
  static std::string ProfileSection(int n);
  static std::string AreaSection(int n);
  static std::string ExchangeSection(int n, const std::string& area);

  // Profile 0 from the [Config] keys when it has no section yet; the name
  // "Default" in [Dialing profiles].
  void EnsureDefault();
  // [Config] "DialProfile"; a profile that does not exist gives 0.
  int Current();
  void SetCurrent(int n);

  // (number, name) of every profile, in the order of [Dialing profiles].
  std::vector<std::pair<int, std::string>> List();
  bool Exists(int n);
  DialProfile Load(int n);
  void Save(const DialProfile& p);
  // A new profile with the next free number; a copy of `from` when not -1.
  int Create(const std::string& name, int from);
  // Everything of profile n; false for profile 0.
  bool Delete(int n);

  // Area codes and exchanges of the profile chosen with Select.
  void Select(int n) { selected_ = n; }
  std::vector<std::string> AreaCodes();
  std::vector<std::string> Exchanges(const std::string& area);
  void AddArea(const std::string& area);
  void DeleteArea(const std::string& area);
  void AddExchange(const std::string& area, const std::string& exchange);
  void DeleteExchange(const std::string& area, const std::string& exchange);
  bool AreaMarked(const std::string& area) override;
  bool ExchangeListed(const std::string& area, const std::string& exchange) override;

 private:
  std::string Read(const std::string& section, const char* key, size_t size);
  int ReadInt(const std::string& section, const char* key, int def);
  void Write(const std::string& section, const char* key, const std::string& value);
  bool KeyWithEmptyValue(const std::string& section, const std::string& key);

  tavix::VariantIni& ini_;
  int selected_ = 0;
};

// Names and codes the Dialing Configuration dialog checks.
bool ValidProfileName(const std::string& name);
// Three digits.
bool ValidAreaCode(const std::string& text);
bool ValidExchange(const std::string& text);
