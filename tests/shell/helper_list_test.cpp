// The helper list in [Helpers-32]: names the user may add, the messaging
// keys that share the section, and the configuration variant.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/config/helper_list.h"
#include "shell/config/ini_memory.h"

namespace {

using tavix::HelperNames;
using tavix::IsValidHelperName;
using tavix::MemoryIni;
using tavix::ReadHelperCommand;
using tavix::VariantIni;

TEST(HelperList, NamesTheUserMayAdd) {
  struct Case {
    const char* name;
    bool ok;
  } cases[] = {{"calc", true},
               {"My-Editor_2", true},
               {"", false},
               {"two words", false},
               {"a=b", false},
               {"[Config]", false},
               {";comment", false},
               {"x[y", true},
               {"Directory", false},
               {"directory", false},
               {"MESSAGEING ENABLED", false},
               {"Notify conflict", false},
               {"use subdirectory", false},
               {"Scan Extension", false},
               {"Directory2", true}};
  for (const Case& c : cases) EXPECT_EQ(IsValidHelperName(c.name), c.ok) << c.name;
  EXPECT_TRUE(IsValidHelperName(std::string(79, 'n').c_str()));
  EXPECT_FALSE(IsValidHelperName(std::string(80, 'n').c_str()));
}

TEST(HelperList, ListsHelpersWithoutTheMessagingKeys) {
  MemoryIni file;
  file.write_string("Helpers-32", "calc", "calc.exe");
  file.write_string("Helpers-32", "Directory", "c:\\msg");
  file.write_string("Helpers-32", "Scan extension", "txt");
  file.write_string("Helpers-32", "edit", "notepad.exe %1");
  VariantIni ini(file);
  EXPECT_EQ(HelperNames(ini), (std::vector<std::string>{"calc", "edit"}));
  char out[16];
  EXPECT_EQ(ReadHelperCommand(ini, "edit", out, sizeof out), 14);
  EXPECT_STREQ(out, "notepad.exe %1");
  EXPECT_EQ(ReadHelperCommand(ini, "ed", out, sizeof out), -1);
  EXPECT_EQ(ReadHelperCommand(ini, "Directory", out, sizeof out), -1) << "never a helper";
  EXPECT_EQ(ReadHelperCommand(ini, "calc", out, 4), 8) << "the whole length, the copy cut";
  EXPECT_STREQ(out, "cal");
}

TEST(HelperList, TheVariantSectionComesFirstAndTakesTheWrites) {
  MemoryIni file;
  file.write_string("Helpers-32", "calc", "calc.exe");
  file.write_string("Helpers-32", "edit", "notepad.exe");
  file.write_string("Helpers-32-shop", "edit", "=");
  file.write_string("Helpers-32-shop", "till", "till.exe");
  VariantIni ini(file, "shop");
  EXPECT_EQ(HelperNames(ini), (std::vector<std::string>{"edit", "till", "calc"}));
  char out[64];
  ASSERT_GT(ReadHelperCommand(ini, "edit", out, sizeof out), 0);
  EXPECT_STREQ(out, "notepad.exe") << "\"=\" sends the lookup to the general section";
  EXPECT_TRUE(tavix::WriteHelper(ini, "calc", "mycalc.exe"));
  EXPECT_TRUE(file.has_key("Helpers-32-shop", "calc"));
  char general[64];
  file.get_string("Helpers-32", "calc", "", general, sizeof general);
  EXPECT_STREQ(general, "calc.exe");
  EXPECT_FALSE(tavix::WriteHelper(ini, "Directory", "x")) << "the messaging key stays out of the list";
  EXPECT_FALSE(file.has_key("Helpers-32-shop", "Directory"));
  EXPECT_TRUE(tavix::DeleteHelper(ini, "till"));
  EXPECT_FALSE(file.has_key("Helpers-32-shop", "till"));
}

}  // namespace
