// A freshly connected engine wired to a recording shell.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "cell_primitives.h"
#include "engine.h"
#include "recording_shell.h"

class EngineTest : public ::testing::Test {
 protected:
  RecordingShell shell;

  void SetUp() override {
    shell.Attach();
    ResetEngine();
    ResetConnectionState();
    shell.Clear();
  }
  void TearDown() override {
    ResetEngine();
    DetachEngine();
  }

  void Feed(const std::string& bytes) {
    ParseBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }

  // Glyphs of a row span as a string.
  static std::string Row(int row, int col = 0, int count = kScreenCols) {
    std::string s;
    for (int c = col; c < col + count; ++c) s += static_cast<char>(CellAt(c, row)->glyph);
    return s;
  }
  static std::string Classes(int row, int col, int count) {
    std::string s;
    for (int c = col; c < col + count; ++c) s += static_cast<char>('a' + CellAt(c, row)->attrClass);
    return s;
  }
  // The byte carrying a host value (value + 32).
  static char V(int value) { return static_cast<char>(value + 32); }

  // Make the text window a rectangle, as a host window would.
  static void SetWindow(int left, int top, int right, int bottom) {
    WindowState& w = Screen.win;
    w.winLeft = static_cast<uint8_t>(left);
    w.winTop = static_cast<uint8_t>(top);
    w.winRight = static_cast<uint8_t>(right);
    w.winBottom = static_cast<uint8_t>(bottom);
    w.frameCol = static_cast<uint8_t>(left);
    w.frameRow = static_cast<uint8_t>(top);
    w.frameWidth = static_cast<uint8_t>(right - left + 1);
    w.frameHeight = static_cast<uint8_t>(bottom - top + 1);
  }

  bool HasEvent(const std::string& e) const {
    for (const auto& x : shell.events)
      if (x == e) return true;
    return false;
  }
};

inline const std::string kEsc = "\x1b";
