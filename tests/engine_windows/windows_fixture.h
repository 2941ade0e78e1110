// An engine wired to the recording shell, with the host windows service in
// the windows seam.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <sstream>
#include <string>

#include "block_store.h"
#include "engine_context.h"
#include "engine_fixture.h"
#include "host_windows.h"
#include "named_screens.h"

// The parts of the ScreenModel a window must give back whole.
struct ScreenSnapshot {
  Cell cells[kScreenRows * kScreenCols];
  WindowState win;
  int32_t level;

  static ScreenSnapshot Take() {
    ScreenSnapshot s;
    std::memcpy(s.cells, Screen.cells, sizeof s.cells);
    std::memcpy(&s.win, &Screen.win, sizeof s.win);
    s.level = Screen.WindowLevel;
    return s;
  }
};

// "" when the screen matches the snapshot, else where it differs first.
inline std::string DiffFromScreen(const ScreenSnapshot& s) {
  std::ostringstream out;
  for (int i = 0; i < kScreenRows * kScreenCols; ++i) {
    if (std::memcmp(&s.cells[i], &Screen.cells[i], sizeof(Cell)) != 0) {
      const Cell &a = s.cells[i], &b = Screen.cells[i];
      out << "cell (" << i % kScreenCols << "," << i / kScreenCols << ") was " << int(a.glyph) << "/"
          << int(a.attrClass) << "/" << int(a.level) << " now " << int(b.glyph) << "/" << int(b.attrClass) << "/"
          << int(b.level) << "; ";
      break;
    }
  }
  const uint8_t* a = reinterpret_cast<const uint8_t*>(&s.win);
  const uint8_t* b = reinterpret_cast<const uint8_t*>(&Screen.win);
  for (size_t i = 0; i < sizeof(WindowState); ++i) {
    if (a[i] != b[i]) {
      out << "window state byte " << i << " was " << int(a[i]) << " now " << int(b[i]) << "; ";
      break;
    }
  }
  if (s.level != Screen.WindowLevel) out << "WindowLevel was " << s.level << " now " << Screen.WindowLevel;
  return out.str();
}

class WindowsTest : public EngineTest {
 protected:
  HostWindows windows;

  void SetUp() override {
    EngineTest::SetUp();
    EngineContext c = Engine;
    c.windows = &windows;
    AttachEngine(c);
    ResetEngine();
    ResetNamedScreens();
    ResetConnectionState();
    shell.Clear();
  }
  void TearDown() override {
    SetBlockStoreLimit(0);
    EngineTest::TearDown();
    ResetNamedScreens();
  }

  // Host parameter bytes for the values.
  static std::string P(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v + 32);
    return s;
  }
  static std::string OpenWindow(int c, int r, int w, int h, int style, int relative = 0) {
    return "\x1bWO" + P({c, r, w, h, style, relative}) + "\n";
  }
  static std::string OpenPopup(int c, int r, int w, int h, int style) {
    return "\x1b" "CO" + P({c, r, w, h, style}) + "\n";
  }
  static std::string Goto(int col, int row) { return "\x1bY" + P({row, col}); }

  // Allow no more block bytes than are in use now plus extra.
  static void LimitBlocksTo(size_t extra) {
    size_t inUse = 0;
    for (BlockId id = 1; id < 4096; ++id) inUse += BlockSize(id);
    SetBlockStoreLimit(inUse + extra);
  }

  int Failures() const {
    int n = 0;
    for (const auto& e : shell.events) n += e == "failure-notice";
    return n;
  }
};
