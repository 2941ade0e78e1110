// The dispatcher with its records at the start state, a handler that records
// every code it gets, and hooks that count beeps.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input_mode.h"
#include "key_dispatcher.h"
#include "screen_model.h"
#include "shell/ingress/ingress.h"

class KeyboardTest : public ::testing::Test {
 protected:
  static std::vector<int32_t>& handled() {
    static std::vector<int32_t> codes;
    return codes;
  }
  static int& beeps() {
    static int n = 0;
    return n;
  }
  static std::string& sent() {
    static std::string bytes;
    return bytes;
  }
  static int Record(int32_t code) {
    handled().push_back(code);
    return 1;
  }
  static void CountBeep() { ++beeps(); }
  static void Send(const uint8_t* bytes, int count) { sent().append(reinterpret_cast<const char*>(bytes), count); }

  void SetUp() override {
    ResetKeyboard();
    ResetKeyboardHooks();
    KeyboardEvents.beep = CountBeep;
    ResetScreenModel();
    ResetIngress();
    InputMode = InputModeRecord{Record, 0, false, false};
    KeyBytesOut = Send;
    handled().clear();
    sent().clear();
    beeps() = 0;
  }
  void TearDown() override {
    ResetKeyboard();
    ResetKeyboardHooks();
    ResetScreenModel();
    ResetIngress();
    InputMode = InputModeRecord{DiscardHandler, 0, false, false};
  }

  static void Busy(bool on) { Screen.busy = on ? 1 : 0; }
  static void DispatchAll(const std::vector<int32_t>& codes) {
    for (int32_t c : codes) DispatchKey(c);
  }
  // Everything waiting, in replay order, handed to the recording handler.
  static std::vector<int32_t> Replayed() {
    handled().clear();
    ReplayTypeAhead();
    return handled();
  }
};
