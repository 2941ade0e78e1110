// Code page 437 glyphs as UTF-8, for printing the screen on a Linux terminal.
#pragma once
#include <cstdint>

// The UTF-8 text of a glyph; glyph 0 prints as a space.
const char* Cp437ToUtf8(uint8_t glyph);
