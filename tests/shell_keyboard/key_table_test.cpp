#include <gtest/gtest.h>

#include "key_codes.h"
#include "key_commands.h"
#include "key_table.h"

TEST(KeyTable, EveryAcceleratorKeyCodeHasOneCommandAndBack) {
  const int32_t keys[] = {179, 196, 218, 1000, 1003, 1004, 1039, 1051, 1052, 1064,
                          1140, 1142, 1144, 1153, 1157, 1161, 1186, 1187, 1192, 2148, 2149};
  for (int32_t code : keys) {
    const int id = CommandForKeyCode(code);
    ASSERT_NE(id, 0) << code;
    EXPECT_LE(id, 0xFFFF) << "command identifiers travel as 16 bits";
    EXPECT_EQ(KeyCodeForCommand(id), code);
  }
}

TEST(KeyTable, OrdinaryCommandsAndEventCodesAreNoKeys) {
  // Menu commands, reconnect, and the identifiers between the key codes.
  for (int id : {0, 1024, 1100, 40001, 40183, 40222}) EXPECT_EQ(KeyCodeForCommand(id), 0) << id;
  for (int32_t code : {0, 13, 178, 219, 1065, 1069, 1071, 1089, 1141, 1143, 1154, 1188, 2147, 2150})
    EXPECT_EQ(KeyCodeForCommand(IDK(code)), 0) << code;
  EXPECT_EQ(KeyCodeForCommand(KEY_COMMAND_LAST + 1), 0);
}
