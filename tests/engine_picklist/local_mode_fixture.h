// An engine wired to a recording shell, the engine's own pick-list and field
// services, and a keyboard that records what the local modes ask of it and
// holds type-ahead, waiting events and the last click.
#pragma once

#include <deque>
#include <set>
#include <string>

#include "engine_fixture.h"
#include "input_field.h"
#include "local_mode.h"
#include "pick_list.h"
#include "recording_edit.h"

class TestKeyboard final : public KeyboardSeam {
 public:
  LocalKeyHandler handler = nullptr;
  int mode = -1;
  bool localMode = false;
  bool localEditing = false;
  bool caret = false;
  std::deque<int32_t> typeAhead;
  std::set<int32_t> pending;
  std::string pcMessage;
  std::string browseFirst, browseSecond;
  bool browseAlternate = false;
  int clickCol = 0, clickRow = 0;
  int deliveries = 0;
  // The system find dialog: how often it was opened, and a waiting request.
  int findDialogs = 0;
  bool findWaiting = false;
  std::string findText;
  uint8_t findFlags = 0;

  void InstallLocalHandler(LocalKeyHandler h, int m) override {
    handler = h;
    mode = m;
    localMode = true;
  }
  void RestoreNormalHandler() override {
    handler = nullptr;
    mode = 0;
    localMode = false;
  }
  void SetLocalEditing(bool on) override { localEditing = on; }
  void SetLocalCaret(bool on) override { caret = on; }
  bool NextTypeAhead(int32_t* code) override {
    if (typeAhead.empty()) return false;
    *code = typeAhead.front();
    typeAhead.pop_front();
    return true;
  }
  bool EventPending(int32_t code) override { return pending.count(code) != 0; }
  bool TakePcMessage(char* text, int size) override {
    if (!pending.erase(key::kMessageArrived)) return false;
    std::snprintf(text, size, "%s", pcMessage.c_str());
    return true;
  }
  void DeliverPcMessage() override { ++deliveries; }
  bool TakeBrowseRequest(char* first, int firstSize, char* second, int secondSize, bool* alternate) override {
    if (!pending.erase(key::kItemQueued)) return false;
    std::snprintf(first, firstSize, "%s", browseFirst.c_str());
    std::snprintf(second, secondSize, "%s", browseSecond.c_str());
    *alternate = browseAlternate;
    return true;
  }
  bool TakeEditWindowEvent(int* value) override {
    if (!pending.erase(key::kEditEvent)) return false;
    *value = 0;
    return true;
  }
  void OpenFindDialog() override { ++findDialogs; }
  bool TakeFindRequest(char* text, int size, uint8_t* flags) override {
    if (!findWaiting) return false;
    findWaiting = false;
    std::snprintf(text, size, "%s", findText.c_str());
    *flags = findFlags;
    return true;
  }
  int LastMouseEvent(int values[5]) override {
    values[0] = 1;
    values[1] = clickCol;
    values[2] = clickRow;
    return 3;
  }
};

class LocalModeTest : public EngineTest {
 protected:
  TestKeyboard keyboard;
  PickLists pickLists;
  InputFields fields;
  // The program editor: the session it names is the event's kind byte.
  RecordingEdit edit;

  void SetUp() override {
    EngineTest::SetUp();
    EngineContext c = Engine;
    c.pickLists = &pickLists;
    c.fields = &fields;
    c.keyboard = &keyboard;
    AttachEngine(c);
    ResetPickSelection();
    ResetInputField();
    Screen.menuSelection = 0;
    EditRelay.edit = &edit;
  }
  void TearDown() override {
    ResetPickSelection();
    ResetInputField();
    EngineTest::TearDown();
  }

  // A key through the installed handler, as the dispatcher hands it over.
  void Key(int32_t code) {
    ASSERT_NE(keyboard.handler, nullptr) << "no local handler for key " << code;
    keyboard.handler(code);
  }
  void Keys(const std::string& text) {
    for (unsigned char c : text) Key(c);
  }
  // Bytes sent to the host since the last call.
  std::string Sent() {
    std::string s = shell.sent;
    shell.sent.clear();
    return s;
  }
  int Bells() const {
    int n = 0;
    for (const auto& e : shell.events)
      if (e.rfind("tone", 0) == 0) ++n;
    return n;
  }

  static std::string P(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += V(v);
    return s;
  }
  // ESC M L: item at (col, row), width, hot-key position, key character.
  void DefineItem(int col, int row, int width, int hot, const std::string& key) {
    Feed(kEsc + "ML" + P({col, row, width, hot}) + key + "\n");
  }
};
