// The byte-at-a-time data-stream parser. One slot, ParseState, holds the
// handler that takes the next host byte; each handler acts at once or
// installs the next one.
#pragma once

#include <cstddef>
#include <cstdint>

using ParseHandler = void (*)(uint8_t byte);

struct ParserRecord {
  ParseHandler ParseState;
  uint8_t handshake;  // set from ESC BS until the identification handshake ends
};

// Owned by parser.cpp.
extern ParserRecord Parser;

// Hand one byte to ParseState. Renderer notifications are recorded, not
// delivered: call FlushRenderNotifications after a batch.
void ParseByte(uint8_t byte);
// Hand a batch of bytes to the parser, then deliver the renderer notifications.
void ParseBytes(const uint8_t* bytes, size_t count);

void SetParseState(ParseHandler handler);
// Install the ground state.
void ResetParser();
void GroundState(uint8_t byte);

// The printable-character path and the wrap rule, shared with ACK.
void PrintableCharacter(uint8_t ch);
void WrapRule();
// LF: down one row, scrolling the window at its bottom.
void LineFeed();
