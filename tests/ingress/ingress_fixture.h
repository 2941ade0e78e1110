// A connected engine wired to a recording shell, with the ingress records,
// the keyboard slot and the channel back at their start state.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "auto_login.h"
#include "comm.h"
#include "engine.h"
#include "ingress.h"
#include "receive_trace.h"
#include "recording_shell.h"
#include "render_notify.h"
#include "shell/keyboard/input_mode.h"
#include "trace_viewer.h"

class IngressTest : public ::testing::Test {
 protected:
  RecordingShell shell;

  void SetUp() override {
    shell.Attach();
    ResetEngine();
    ResetConnectionState();
    shell.Clear();
    ResetReceiveTrace();
    ResetIngress();
    ResetAutoLogin();
    ResetTraceViewer();
    InputMode = InputModeRecord{DiscardHandler, 0, false, false};
    Channels.current = &NoChannel;
    keys().clear();
  }
  void TearDown() override {
    ResetAutoLogin();
    ResetTraceViewer();
    InputMode = InputModeRecord{DiscardHandler, 0, false, false};
    ResetEngine();
    DetachEngine();
  }

  static std::string Bytes(const std::string& s) { return s; }
  static void FeedChunk(const std::string& bytes) {
    IngressChunk(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  static void FeedByByte(const std::string& bytes) {
    for (char c : bytes) Ingress(static_cast<uint8_t>(c));
    FlushRenderNotifications();
  }

  // Glyphs of a screen row.
  static std::string Row(int row, int count = kScreenCols) {
    std::string s;
    for (int c = 0; c < count; ++c) s += static_cast<char>(Screen.cells[row * kScreenCols + c].glyph);
    return s;
  }

  // The codes a local handler received.
  static std::vector<int32_t>& keys() {
    static std::vector<int32_t> k;
    return k;
  }
  static int RecordingHandler(int32_t code) {
    keys().push_back(code);
    return 1;
  }
};
