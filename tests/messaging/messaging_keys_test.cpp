// The [Message] keys: defaults, the variant rule, the move out of
// [Helpers-32], and the length limits.
#include <gtest/gtest.h>

#include <string>

#include "messaging_keys.h"
#include "shell/config/ini_memory.h"

namespace {

TEST(MessagingKeys, DefaultsWithNothingWritten) {
  tavix::MemoryIni file;
  tavix::VariantIni ini(file);
  const MessagingKeys k = ReadMessagingKeys(ini);
  EXPECT_TRUE(k.enabled);
  EXPECT_FALSE(k.notifyConflict);
  EXPECT_EQ(k.directory, "");
  EXPECT_TRUE(k.useSubdirectory);
  EXPECT_EQ(k.scanExtension, "");
  EXPECT_FALSE(k.useMsgInExtensions);
  EXPECT_EQ(k.msgInExtensions, "");
}

TEST(MessagingKeys, VariantsTheOldSectionAndLimits) {
  struct Case {
    const char* variant;
    const char* section;
    const char* key;
    std::string value;
    std::string directory, scan, msgIn;
    bool enabled;
  } cases[] = {
      {"", "Message", "Directory", "C:\\msg", "C:\\msg", "", "", true},
      {"", "Helpers-32", "Directory", "C:\\old", "C:\\old", "", "", true},
      {"shop", "Message-shop", "Directory", "S:\\shop", "S:\\shop", "", "", true},
      {"shop", "Message-shop", "Directory", "=", "C:\\base", "", "", true},  // "=": the plain section
      {"shop", "Helpers-32-shop", "Scan extension", "MSG", "C:\\base", "MSG", "", true},
      {"", "Message", "Messageing enabled", "0", "C:\\base", "", "", false},
      {"", "Message", "Directory", std::string(600, 'd'), std::string(511, 'd'), "", "", true},
      {"", "Message", "Scan extension", "abcdefghijkl", "C:\\base", "abcdefghi", "", true},
      {"", "Message", "Msg-in ext", std::string(250, 'e'), "C:\\base", "", std::string(199, 'e'), true},
  };
  for (const Case& c : cases) {
    tavix::MemoryIni file;
    tavix::VariantIni ini(file, c.variant);
    if (std::string(c.key) != "Directory") file.write_string("Message", "Directory", "C:\\base");
    if (std::string(c.value) == "=") file.write_string("Message", "Directory", "C:\\base");
    file.write_string(c.section, c.key, c.value.c_str());
    const MessagingKeys k = ReadMessagingKeys(ini);
    EXPECT_EQ(k.directory, c.directory) << c.section << " " << c.key;
    EXPECT_EQ(k.scanExtension, c.scan) << c.section << " " << c.key;
    EXPECT_EQ(k.msgInExtensions, c.msgIn) << c.section << " " << c.key;
    EXPECT_EQ(k.enabled, c.enabled) << c.section << " " << c.key;
    if (std::string(c.section).rfind("Helpers-32", 0) == 0) {
      EXPECT_FALSE(file.has_key(c.section, c.key)) << "moved out of " << c.section;
    }
  }
}

TEST(MessagingKeys, TheSwitchesAloneOrEveryKeyAreWritten) {
  tavix::MemoryIni file;
  tavix::VariantIni ini(file);
  MessagingKeys k;
  k.notifyConflict = true;
  k.directory = "D:\\m";
  k.scanExtension = "msg";
  WriteMessagingKeys(ini, k, false);
  EXPECT_TRUE(ReadMessagingKeys(ini).notifyConflict);
  EXPECT_FALSE(file.has_key("Message", "Directory")) << "another instance is the source: only the switches";
  WriteMessagingKeys(ini, k);
  const MessagingKeys back = ReadMessagingKeys(ini);
  EXPECT_EQ(back.directory, "D:\\m");
  EXPECT_EQ(back.scanExtension, "msg");
}

}  // namespace
