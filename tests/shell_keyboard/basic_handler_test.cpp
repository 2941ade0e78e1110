#include <string>

#include "key_codes.h"
#include "keyboard_fixture.h"

namespace {
std::string Bytes(std::initializer_list<int> list) {
  std::string s;
  for (int b : list) s += static_cast<char>(b);
  return s;
}
}  // namespace

TEST_F(KeyboardTest, TheBasicHandlerSendsTheHostsBytesForEveryKey) {
  InputMode.handler = BasicHandler;
  struct Case {
    int32_t code;
    std::string bytes;
  } cases[] = {
      {1000, Bytes({10})},  {1001, Bytes({26})},  {1002, Bytes({21})},  {1003, Bytes({6})},
      {1004, "\x02" "1\r"}, {1012, "\x02" "9\r"}, {1013, "\x02:\r"},    {1015, "\x02<\r"},
      {1016, "\x02!\r"},    {1027, "\x02,\r"},
      {1028, "\x02;\r"},    {1029, "\x02<\r"},  // Ctrl+F1, Ctrl+F2: as F11, F12
      {1030, "\x02!\r"},    {1037, "\x02(\r"},  // Ctrl+F3-F10: as Shift+F1-F8
      {1038, "\x02;\r"},    {1039, "\x02<\r"},
      {'a', "a"},           {0, Bytes({0})},    {255, Bytes({255})},
      {-1, Bytes({255})},  // a middle button set to "Disable"
      {1040, ""},           {1052, ""},         {1062, ""},          {1089, ""},  {1161, ""},
  };
  for (const Case& c : cases) {
    sent().clear();
    EXPECT_EQ(DispatchKey(c.code), 1) << c.code;
    EXPECT_EQ(sent(), c.bytes) << c.code;
  }
}

TEST_F(KeyboardTest, TheDiscardHandlerTakesEverythingAndSendsNothing) {
  InputMode.handler = DiscardHandler;
  for (int32_t code : {int32_t{'a'}, int32_t{1004}, int32_t{13}}) EXPECT_EQ(DispatchKey(code), 1);
  EXPECT_TRUE(sent().empty());
}
