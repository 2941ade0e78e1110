// Fields started with host bytes over text placed on the screen.
#pragma once

#include <string>

#include "local_mode_fixture.h"

class FieldTest : public LocalModeTest {
 protected:
  static constexpr int kRow = 3;
  static constexpr int kCol = 5;

  // Put text on the screen at (col, row).
  static void Put(int col, int row, const std::string& text) {
    WriteText(col, row, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
  }
  // ESC I (or ESC i) at (kCol, kRow) over `text`, with the type, cursor
  // offset, auto-exit and exit keys given.
  void Start(int type, int width, const std::string& text, int offset = 0, bool lowerForm = false,
             const std::string& exits = "", int autoExit = 0) {
    Put(kCol, kRow, text);
    Feed(kEsc + (lowerForm ? "i" : "I") + P({kCol, kRow, width, offset, autoExit}) + V(type) + exits + "\n");
  }
  std::string FieldText(int width) const { return Row(kRow, kCol, width); }
  // The reply of ESC I: text, LF, code, item, offset, modified flag.
  static std::string Reply(const std::string& text, int code, int item, int offset, bool modified) {
    return text + "\n" + V(code) + V(item) + V(offset) + (modified ? "!" : " ");
  }
  void ExpectEnded() {
    EXPECT_FALSE(Field.active);
    EXPECT_EQ(keyboard.mode, 0);
    EXPECT_FALSE(keyboard.localMode);
    EXPECT_EQ(Screen.busy, 1);
  }
};
