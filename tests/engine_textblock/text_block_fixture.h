// An engine with the real text blocks, host windows, pick lists and fields,
// a recording shell and channel, and a keyboard that holds the local handler.
#pragma once

#include <string>

#include "block_store.h"
#include "edit_relay.h"
#include "line_store.h"
#include "local_mode_fixture.h"
#include "text_block.h"

class TextBlockTest : public LocalModeTest {
 protected:
  void SetUp() override {
    LocalModeTest::SetUp();
    EngineContext c = Engine;
    c.windows = nullptr;     // the engine's own
    c.textBlocks = nullptr;  // the engine's own
    AttachEngine(c);
    EditRelay.edit = nullptr;
  }

  // ESC T with its letter and fixed bytes, the text, the body, ETX, the
  // trailer. Each LF of the body goes as CR LF, as a host ends its lines.
  void Block(const std::string& head, const std::string& body, const std::string& trailer = "\n") {
    RawBlock(head, Lines(body), trailer);
  }
  void RawBlock(const std::string& head, const std::string& body, const std::string& trailer = "\n") {
    Feed(kEsc + "T" + head + "\n" + body + "\x03" + trailer);
  }
  static std::string Lines(const std::string& text) {
    std::string s;
    for (char c : text) {
      if (c == '\n') s += '\r';
      s += c;
    }
    return s;
  }
  // ESC T ! with column, row, width, height, line limit and option.
  void AreaBlock(std::initializer_list<int> p, const std::string& body, const std::string& trailer = "\n") {
    Block("!" + P(p), body, trailer);
  }
  // A stored line without its trailing blanks, and its flag.
  static std::string Stored(int line) {
    uint8_t* text = LineStore.LineAt(line);
    std::string s = text ? std::string(reinterpret_cast<char*>(text), LineStore.lineLength) : "<none>";
    LineStore.UnlockAll();
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
  }
  static int Flag(int line) {
    uint8_t* text = LineStore.LineAt(line);
    int f = text ? text[-1] : -1;
    LineStore.UnlockAll();
    return f;
  }
  void Keys(std::initializer_list<int32_t> codes) {
    for (int32_t c : codes) Key(c);
  }
  using LocalModeTest::Keys;
};
