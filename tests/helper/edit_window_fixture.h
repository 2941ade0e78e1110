// A fresh edit session over given lines with recording stand-ins for the
// terminal and the window, as the command tests use it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit_fakes.h"
#include "helper_state.h"

class EditWindowFixture : public ::testing::Test {
 public:
  using Messages = std::vector<std::string>;
  using Texts = std::vector<std::string>;

 protected:

  void TearDown() override {
    delete frame;
    frame = nullptr;
    ResetHelperState();
  }
  // A new window over `texts` (table cases start each from here).
  void Load(const Texts& texts) {
    delete frame;
    ResetHelperState();
    callbacks = RecordingEditToMoxel();
    Helper.editCallbacks = &callbacks;
    frame = new FakeFrame;
    s = &frame->Session();
    s->session = 3;
    s->prefs.autoIndent = 0;
    s->prefs.saveOnExit = kSaveNever;
    for (const std::string& t : texts) s->Lines().Insert(s->Lines().Count(), t);
  }
  // Every message the host would get, each confirmed.
  Messages Drain() { return DrainMessages(*s, true); }
  Texts All() const {
    Texts out;
    for (int i = 0; i < s->Lines().Count(); ++i) out.push_back(s->Lines().At(i));
    return out;
  }
  void Type(const char* text) {
    for (const char* p = text; *p; ++p) ASSERT_TRUE(s->TypeCharacter(static_cast<unsigned char>(*p)));
  }

  RecordingEditToMoxel callbacks;
  FakeFrame* frame = nullptr;
  EditSession* s = nullptr;
};
