// Dialing: the dial strings of every method for home and away, local and toll
// numbers, the special forms, the calling-card presets and waits, the size
// limit; the stored-password cipher; profiles and their migration; the
// directories; and what dialling an entry makes of the active settings.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "dial_entry.h"
#include "dial_file.h"
#include "dial_profile.h"
#include "dial_string.h"
#include "root_cipher.h"
#include "shell/config/ini_memory.h"
#include "shell/config/variant_ini.h"

namespace {

// Area 612 (home) and 651 are marked; exchanges 612-555 and 651-777 are listed.
struct Rules final : LocalCallRules {
  std::set<std::string> marked = {"612", "651"};
  std::set<std::string> listed = {"612/555", "651/777"};
  bool AreaMarked(const std::string& a) override { return marked.count(a) != 0; }
  bool ExchangeListed(const std::string& a, const std::string& e) override { return listed.count(a + "/" + e) != 0; }
};

DialProfile Base(int method, int toll = 1) {
  DialProfile p;
  p.dialstring = "ATDT";
  p.access = "9";
  p.longdistance = "1";
  p.homeAreaCode = "612";
  p.dialMethod = method;
  p.tollExchanges = toll;
  return p;
}

std::string Dial(const DialProfile& p, const std::string& number, bool full = false, size_t size = 80) {
  Rules rules;
  std::string out = "untouched";
  if (!BuildDialString(p, rules, number, full, size, &out)) return "<refused>";
  return out;
}

TEST(DialString, EachMethodAtHomeAndAwayForLocalAndTollNumbers) {
  struct {
    int method, toll;
    const char* number;
    const char* dialled;
  } cases[] = {
      // "7 Digit": local home calls lose the area code; toll calls get the prefix.
      {kMethodSevenDigit, 1, "(612) 555-1234", "95551234"},
      {kMethodSevenDigit, 1, "612 556-1234", "916125561234"},
      {kMethodSevenDigit, 1, "651-777-1234", "96517771234"},
      {kMethodSevenDigit, 1, "651-778-1234", "916517781234"},
      {kMethodSevenDigit, 1, "212 555 1234", "912125551234"},
      {kMethodSevenDigit, 1, "555-1234", "95551234"},
      // "Never 1": never the prefix.
      {kMethodNeverOne, 1, "(612) 555-1234", "95551234"},
      {kMethodNeverOne, 1, "612 556-1234", "96125561234"},
      {kMethodNeverOne, 1, "651-777-1234", "96517771234"},
      {kMethodNeverOne, 1, "651-778-1234", "96517781234"},
      // "10 Digit": ten digits always; the prefix for toll calls.
      {kMethodTenDigit, 1, "(612) 555-1234", "96125551234"},
      {kMethodTenDigit, 1, "612 556-1234", "916125561234"},
      {kMethodTenDigit, 1, "651-777-1234", "96517771234"},
      {kMethodTenDigit, 1, "651-778-1234", "916517781234"},
      // Listed exchanges as toll calls.
      {kMethodSevenDigit, 0, "612-555-1234", "916125551234"},
      {kMethodSevenDigit, 0, "612-556-1234", "95561234"},
      {kMethodTenDigit, 0, "651-778-1234", "96517781234"},
      // Written as dialled, already with a prefix, or not a plain number.
      {kMethodSevenDigit, 1, "!ATX 5-6", "ATX56"},
      {kMethodSevenDigit, 1, "0 44 20 7946", "9044207946"},
      {kMethodSevenDigit, 1, "1-612-555-1234", "916125551234"},
      {kMethodSevenDigit, 1, "55512", "955512"},
      {kMethodSevenDigit, 1, "612555123X", "9612555123X"},
  };
  for (auto& c : cases)
    EXPECT_EQ(Dial(Base(c.method, c.toll), c.number), c.dialled) << c.number << " method " << c.method;
}

TEST(DialString, FullStringsAndTheSizeLimit) {
  DialProfile p = Base(kMethodSevenDigit);
  EXPECT_EQ(Dial(p, "(612) 555-1234", true), "ATDT95551234^M");
  EXPECT_EQ(Dial(p, "!5551234", true), "ATDT5551234^M") << "no access digits";
  // Exactly as many characters as fit beside the terminating zero.
  p.dialstring = std::string(80 - 1 - 8 - 2 - 1, 'D');  // 68 + "95551234" + "^M" = 78 + 1 too many
  EXPECT_EQ(Dial(p, "5551234", true, 80), std::string(68, 'D') + "95551234^M");
  EXPECT_EQ(Dial(p, "5551234", true, 79), std::string(68, 'D') + "95551234^M");
  EXPECT_EQ(Dial(p, "5551234", true, 78), "<refused>") << "a cut number would dial somebody else";
  EXPECT_EQ(Dial(p, "55512345", true, 79), "<refused>");
  EXPECT_EQ(Dial(p, "5551234", false, 10), "95551234");
}

TEST(DialString, WaitsAddTonesAndTwoSecondCommas) {
  const int commas[13] = {0, -1, 1, 2, 3, 4, 5, 7, 9, 11, 14, 18, 23};
  for (int code = 0; code < 13; ++code)
    EXPECT_EQ(WaitText(code), code == 1 ? std::string("$") : std::string(static_cast<size_t>(commas[code]), ','))
        << "wait " << code << " " << kCardWaits[code].text;
  EXPECT_EQ(std::string(WaitText(12)).size(), 23u) << "46 Seconds";
  EXPECT_STREQ(WaitText(-1), "");
  EXPECT_STREQ(WaitText(13), "");
}

TEST(DialString, EveryCallingCardPreset) {
  const char* expected[13] = {
      "91028816517781234",
      "91028806517781234$T4321",
      "918003210288$T6517781234$T4321",
      "906517781234$T4321",
      "91022216517781234",
      "91022206517781234$T4321",
      "918006740700,,,,,,,T4321,,,6517781234",
      "918006747000,,,,,,,T4321,,,6517781234",
      "918008888000,,,,,,,T4321,,,6517781234",
      "91033316517781234",
      "91033306517781234$T4321",
      "918008778000,,,,T06517781234,,,4321",
      "9",  // "Custom" has no steps until the user gives some
  };
  for (int code = 0; code < 13; ++code) {
    DialProfile p = Base(kMethodTenDigit);
    p.useCreditCard = 1;
    p.creditCardPin = "4321";
    ApplyCarrier(p, code);
    EXPECT_EQ(p.creditCardType, code);
    EXPECT_EQ(Dial(p, "651-778-1234"), expected[code]) << kCardCarriers[code].name;
    EXPECT_EQ(p.creditCardPin.empty(), !kCardCarriers[code].pin) << "a carrier without PIN clears it";
  }
}

TEST(DialString, TheCardIsNotUsedForTollFreeOrShortCalls) {
  DialProfile p = Base(kMethodSevenDigit);
  p.useCreditCard = 1;
  p.creditCardPin = "4321";
  ApplyCarrier(p, 1);
  EXPECT_EQ(Dial(p, "800-555-1234"), "918005551234");
  EXPECT_EQ(Dial(p, "888 555 1234"), "918885551234");
  EXPECT_EQ(Dial(p, "612-555-1234"), "95551234") << "a seven-digit local call";
  // A specified-digits step and the waits after each of steps 1-5.
  p.creditDial[0] = kStepDigits;
  p.creditDigits[0] = "*70";
  p.creditWait[0] = 12;
  p.creditDial[1] = kStepLastSeven;
  p.creditWait[1] = 1;
  p.creditDial[2] = kStepDone;
  EXPECT_EQ(Dial(p, "651-778-1234"), "9*70" + std::string(23, ',') + "7781234$");
}

TEST(RootCipher, KnownKeyAndRoundTrips) {
  EXPECT_EQ(RootKey("ab"), (std::vector<uint8_t>{99, 112})) << "the first byte is made for the last position";
  std::string text;
  ASSERT_TRUE(EncipherRoot("Hi", "ab", &text));
  EXPECT_EQ(text, "2B19");
  const char* passwords[] = {"x", "secret", "Pa55 w0rd!~", "a much longer password than the key"};
  const char* users[] = {"ab", "Secret", "z", "\xF0\xF1\xF2\xF3\xF4 eight-bit"};
  for (const char* pw : passwords) {
    for (const char* user : users) {
      std::string stored, back;
      ASSERT_TRUE(EncipherRoot(pw, user, &stored));
      for (char c : stored) EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) << stored;
      bool printable = DecipherRoot(stored, user, &back);
      EXPECT_TRUE(printable);
      EXPECT_EQ(back, pw);
    }
  }
  std::string stored, back;
  ASSERT_TRUE(EncipherRoot("letmein", "Secret", &stored));
  ASSERT_TRUE(DecipherRoot(stored, "SECRET", &back));
  EXPECT_EQ(back, "letmein") << "the user's password is read without regard to case";
}

TEST(RootCipher, WhatIsNotSent) {
  std::string out = "x";
  EXPECT_FALSE(EncipherRoot("pw", "", &out)) << "an empty user password gives no key";
  EXPECT_TRUE(EncipherRoot("", "", &out));
  EXPECT_EQ(out, "") << "an empty password is stored empty";
  EXPECT_FALSE(DecipherRoot("2B19", "", &out));
  EXPECT_FALSE(DecipherRoot("2B1G", "ab", &out)) << "not hexadecimal";
  EXPECT_FALSE(DecipherRoot("2B 9", "ab", &out));
  // A character below 32 or above 127 is not sent.
  char low[3], high[3];
  std::snprintf(low, sizeof low, "%2.2X", 0x01 ^ 99);
  std::snprintf(high, sizeof high, "%2.2X", 0xC8 ^ 99);
  EXPECT_FALSE(DecipherRoot(low, "ab", &out));
  EXPECT_FALSE(DecipherRoot(high, "ab", &out));
  char del[3];
  std::snprintf(del, sizeof del, "%2.2X", 127 ^ 99);
  EXPECT_TRUE(DecipherRoot(del, "ab", &out));
  ASSERT_TRUE(DecipherRoot("2B1", "ab", &out));
  EXPECT_EQ(out, "H") << "a single trailing digit is ignored";
  ASSERT_TRUE(DecipherRoot("2", "ab", &out));
  EXPECT_EQ(out, "");
}

struct ProfileFixture : ::testing::Test {
  tavix::MemoryIni file;
  tavix::VariantIni ini{file};
  ProfileStore store{ini};
};

TEST_F(ProfileFixture, TheDefaultProfileComesFromTheOlderConfigKeys) {
  file.write_string("Config", "Dialport", "7");
  file.write_string("Config", "Access", "9");
  file.write_string("Config", "Longdistance", "1");
  file.write_string("Config", "Dialstring", "ATDT");
  file.write_string("Config", "Localarea", "612");
  file.write_string("DExchange~0~612", "999", "");
  store.EnsureDefault();
  DialProfile p = store.Load(0);
  EXPECT_EQ(p.name, "Default");
  EXPECT_EQ(p.dialport, 7);
  EXPECT_EQ(p.access, "9");
  EXPECT_EQ(p.longdistance, "1");
  EXPECT_EQ(p.dialstring, "ATDT");
  store.Select(0);
  EXPECT_EQ(store.AreaCodes(), std::vector<std::string>{"612"});
  EXPECT_TRUE(store.AreaMarked("612"));
  EXPECT_TRUE(store.Exchanges("612").empty()) << "its exchanges are emptied";
  // Only on first use.
  file.write_string("Config", "Access", "8");
  store.EnsureDefault();
  EXPECT_EQ(store.Load(0).access, "9");
}

TEST_F(ProfileFixture, ProfilesKeepEveryKeyAndTheirAreas) {
  store.EnsureDefault();
  DialProfile p = Base(kMethodNeverOne, 0);
  p.useCreditCard = 1;
  ApplyCarrier(p, 11);
  p.creditCardPin = "77";
  p.name = "Road";
  int n = store.Create("Road", -1);
  EXPECT_EQ(n, 1);
  p.number = n;
  store.Save(p);
  DialProfile back = store.Load(n);
  EXPECT_EQ(back.name, "Road");
  EXPECT_EQ(back.dialMethod, kMethodNeverOne);
  EXPECT_EQ(back.tollExchanges, 0);
  EXPECT_EQ(back.creditCardType, 11);
  EXPECT_EQ(back.creditCardPhone, "18008778000");
  EXPECT_EQ(back.creditCardPin, "77");
  EXPECT_EQ(back.creditDigits[2], "0");
  for (int i = 0; i < kCardStepCount; ++i) EXPECT_EQ(back.creditDial[i], p.creditDial[i]);
  for (int i = 0; i < kCardWaitCount; ++i) EXPECT_EQ(back.creditWait[i], p.creditWait[i]);
  EXPECT_TRUE(file.has_key("DProfile~1", "CreditWait5"));
  store.Select(n);
  store.AddArea("651");
  store.AddExchange("651", "777");
  EXPECT_TRUE(file.has_key("DExchange~1~651", "777"));
  EXPECT_TRUE(store.ExchangeListed("651", "777"));
  EXPECT_FALSE(store.ExchangeListed("651", "778"));
  int copy = store.Create("Copy", n);
  store.Select(copy);
  EXPECT_TRUE(store.ExchangeListed("651", "777")) << "a copied profile brings its areas";
  // A marked area is a key with an empty value.
  file.write_string("DArea~1", "652", "x");
  store.Select(n);
  EXPECT_FALSE(store.AreaMarked("652"));
  store.SetCurrent(n);
  EXPECT_EQ(store.Current(), n);
  EXPECT_TRUE(store.Delete(n));
  EXPECT_EQ(store.Current(), 0) << "a missing profile gives 0";
  EXPECT_EQ(file.key_count("DArea~1"), 0u);
  EXPECT_EQ(file.key_count("DExchange~1~651"), 0u);
  EXPECT_FALSE(store.Delete(0));
  EXPECT_EQ(store.List().size(), 2u);
}

TEST(ProfileChecks, NamesAreaCodesAndExchanges) {
  EXPECT_TRUE(ValidProfileName("Office"));
  EXPECT_FALSE(ValidProfileName(""));
  EXPECT_FALSE(ValidProfileName("   "));
  EXPECT_FALSE(ValidProfileName(std::string(80, 'x')));
  EXPECT_FALSE(ValidProfileName("tab\there"));
  EXPECT_TRUE(ValidAreaCode("612"));
  EXPECT_FALSE(ValidAreaCode("61"));
  EXPECT_FALSE(ValidAreaCode("61a"));
  EXPECT_FALSE(ValidExchange("5555"));
}

TEST(LocalDirectory, NumbersComeFromUnusedOrAfterUsed) {
  tavix::MemoryIni file;
  _dial_file_ldl ldl(file);
  DirectoryEntry e;
  e.name = "Office";
  e.phone = "555-1234";
  EXPECT_EQ(ldl.add(e), 1);
  e.name = "Home";
  EXPECT_EQ(ldl.add(e), 2);
  EXPECT_EQ(file.get_int("Config", "Used", 0), 2);
  ldl.remove(1);
  EXPECT_TRUE(file.has_key("Unused", "1"));
  e.name = "Again";
  EXPECT_EQ(ldl.add(e), 1) << "a freed number first";
  EXPECT_FALSE(file.has_key("Unused", "1"));
  EXPECT_EQ(ldl.add(e), 3);
  e.phone = std::string(50, '7');
  e.name = std::string(90, 'n');
  e.number = 3;
  ldl.update(e);
  ldl.store_root(3, "2B19");
  DirectoryEntry back;
  ASSERT_TRUE(ldl.find(3, &back));
  EXPECT_EQ(back.phone.size(), kLocalPhoneMax);
  EXPECT_EQ(back.name.size(), kEntryNameMax);
  EXPECT_EQ(back.root, "2B19");
  EXPECT_TRUE(back.local);
  std::vector<DirectoryEntry> all;
  ASSERT_TRUE(ldl.read_all(&all));
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].number, 2);
}

TEST(GlobalDirectory, LinesSectionsAndTheNameFile) {
  const std::string lines =
      "Main office\xFD" "555-1234\xFD" "0\xFD" "2B19\r\n\r\nHost\xFDhost.example&2001\xFD" "1\r\n[Version]\r\nVersion=3\r\n";
  std::vector<DirectoryEntry> e = ParseDirectoryLines(lines);
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0].number, 1);
  EXPECT_EQ(e[0].name, "Main office");
  EXPECT_EQ(e[0].phone, "555-1234");
  EXPECT_EQ(e[0].network, 0);
  EXPECT_EQ(e[0].root, "2B19");
  EXPECT_EQ(e[1].number, 3) << "entry numbers are line numbers";
  EXPECT_EQ(e[1].network, 1);
  EXPECT_EQ(e[1].root, "") << "missing fields are empty";

  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("tavix-dir-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::create_directories(dir);
  auto put = [&](const char* name, const std::string& text) {
    std::FILE* f = std::fopen((dir / name).string().c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  };
  const std::string gdl = (dir / "corvane.gdl").string(), nam = (dir / "corvane.nam").string();
  tavix::MemoryIni sections;
  std::vector<DirectoryEntry> out;
  put("corvane.gdl", lines);
  ASSERT_TRUE(ReadGlobalDirectory(gdl, sections, nam, &out));
  EXPECT_EQ(out.size(), 2u);
  // A directory of sections only.
  put("corvane.gdl", "[Name]\r\n4=Four\r\n");
  sections.write_string("Name", "4", "Four");
  sections.write_string("Phone", "4", "444");
  ASSERT_TRUE(ReadGlobalDirectory(gdl, sections, nam, &out));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].number, 4);
  EXPECT_EQ(out[0].phone, "444");
  // No names there: corvane.nam.
  fs::remove(dir / "corvane.gdl");
  tavix::MemoryIni none;
  put("corvane.nam", "Spare\xFD" "999\xFD" "0\xFD\r\n");
  ASSERT_TRUE(ReadGlobalDirectory(gdl, none, nam, &out));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].name, "Spare");
  fs::remove(dir / "corvane.nam");
  EXPECT_FALSE(ReadGlobalDirectory(gdl, none, nam, &out));
  fs::remove_all(dir);
}

struct DialEntryFixture : ::testing::Test {
  tavix::MemoryIni file;
  tavix::VariantIni ini{file};
  Rules rules;
  ActiveSettings configured;
  ActiveSettings active;
  DialledRecord dialled;
  DialProfile profile = Base(kMethodSevenDigit);

  void SetUp() override {
    configured.block.mode = 6;
    std::snprintf(configured.block.host, sizeof configured.block.host, "%s", "configured.host");
    configured.port = 4000;
    file.write_string("Dial_host", "7", "127.0.0.1");
    file.write_string("Dial_port", "7", "2323");
    file.write_string("Config", "speed1", "3");
  }
  DialOutcome DialEntry(const std::string& phone, int network, const std::string& root = "") {
    DirectoryEntry e;
    e.name = "Entry";
    e.phone = phone;
    e.network = network;
    e.root = root;
    return PrepareDial(&e, profile, rules, ini, configured, &active, &dialled);
  }
};

TEST_F(DialEntryFixture, NetworkEntries) {
  struct {
    const char* phone;
    DialOutcome outcome;
    int mode, port;
    const char* host;
    const char* name;
  } cases[] = {
      {"host.example&2001", DialOutcome::kConnect, 9, 2001, "host.example", "Entry"},
      {"host.example", DialOutcome::kConnect, 6, 23, "host.example", ""},
      {"host.example:ignored&2002", DialOutcome::kConnect, 9, 2002, "host.example", "Entry"},
      {"host.example:23", DialOutcome::kConnect, 6, 23, "host.example", ""},
      {"host.example&0", DialOutcome::kBadPort, 0, 0, "", ""},
      {"host.example&65536", DialOutcome::kBadPort, 0, 0, "", ""},
      {"host.example&20x1", DialOutcome::kBadPort, 0, 0, "", ""},
      {"host.example&", DialOutcome::kBadPort, 0, 0, "", ""},
      {"host.example&65535", DialOutcome::kConnect, 9, 65535, "host.example", "Entry"},
      {"a-host-name-of-thirty-three-chars&23", DialOutcome::kHostTooLong, 0, 0, "", ""},
      {"a-host-name-of-thirty-two-chars!&23", DialOutcome::kConnect, 9, 23, "a-host-name-of-thirty-two-chars!", "Entry"},
  };
  for (auto& c : cases) {
    active = ActiveSettings{};
    EXPECT_EQ(DialEntry(c.phone, 1, "2B19"), c.outcome) << c.phone;
    if (c.outcome != DialOutcome::kConnect) {
      EXPECT_EQ(active.block.mode, -1) << c.phone << ": nothing changed";
      continue;
    }
    EXPECT_EQ(active.block.mode, c.mode) << c.phone;
    EXPECT_EQ(active.port, c.port) << c.phone;
    EXPECT_STREQ(active.block.host, c.host) << c.phone;
    EXPECT_STREQ(active.block.connect, "");
    EXPECT_EQ(dialled.name, c.name) << c.phone;
    EXPECT_EQ(dialled.password, "2B19");
  }
}

TEST_F(DialEntryFixture, PhoneEntriesOnASerialPortAndAModemPool) {
  profile.dialport = 1;
  ASSERT_EQ(DialEntry("(612) 555-1234", 0, std::string(50, 'A')), DialOutcome::kConnect);
  EXPECT_EQ(active.block.mode, 1);
  EXPECT_EQ(active.block.speed, 3) << "the port's own speed";
  EXPECT_STREQ(active.block.connect, "ATDT95551234^M");
  EXPECT_EQ(dialled.name, "Entry");
  EXPECT_EQ(dialled.password.size(), kStoredPasswordMax);
  profile.dialport = 7;
  ASSERT_EQ(DialEntry("651-778-1234", 0), DialOutcome::kConnect);
  EXPECT_EQ(active.block.mode, 7);
  EXPECT_STREQ(active.block.host, "127.0.0.1");
  EXPECT_EQ(active.port, 2323);
  EXPECT_STREQ(active.block.connect, "ATDT916517781234^M");
  // A dial command that does not fit the connect string dials nothing.
  profile.dialstring = std::string(70, 'D');
  active = ActiveSettings{};
  EXPECT_EQ(DialEntry("651-778-1234", 0), DialOutcome::kNumberTooLong);
  EXPECT_EQ(active.block.mode, -1);
  EXPECT_EQ(PrepareDial(nullptr, profile, rules, ini, configured, &active, &dialled), DialOutcome::kNoDestination);
}

TEST(DialSearch, NamesHoldTheTextWithoutRegardToCase) {
  EXPECT_TRUE(NameMatches("Main Office", "office"));
  EXPECT_TRUE(NameMatches("Main Office", "MAIN"));
  EXPECT_TRUE(NameMatches("Main Office", ""));
  EXPECT_FALSE(NameMatches("Main Office", "home"));
  EXPECT_FALSE(NameMatches("Ma", "Main"));
}

}  // namespace
