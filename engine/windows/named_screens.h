// Named screens: the host keeps the contents of up to fifty window layouts by
// name and asks for them again instead of sending them anew. The records form
// one recency list; a new save takes the least recently used record.
#pragma once

#include <cstddef>
#include <cstdint>

#include "screen_model.h"

constexpr int kNamedScreens = 50;
constexpr int kNamedScreenNameMax = 60;
constexpr int kNoRecord = -1;

struct NamedScreenRecord {
  uint8_t col, row, width, height;  // the window interior the screen belongs to
  uint8_t style;
  uint8_t borders[4];
  char name[kNamedScreenNameMax + 1];  // empty = free
  int16_t next, previous;              // recency list, kNoRecord = none
  BlockId content;  // the ten user-screen titles, then one glyph per interior cell
};
static_assert(sizeof(NamedScreenRecord) == 80, "named screen records are 80 bytes");
static_assert(offsetof(NamedScreenRecord, content) == 76, "named screen record layout");

// The process-wide store: the fifty records, the scratch record that carries
// a hit or a remembered name between sequences, and the recency list's ends
// (head = most recently used).
struct NamedScreenStore {
  NamedScreenRecord records[kNamedScreens];
  NamedScreenRecord scratch;
  int16_t head, tail;
};

// Owned by named_screens.cpp.
extern NamedScreenStore NamedScreens;

// Back to the start state: all records free, linked in index order (0 at the
// head). Frees nothing: for start-up and after the block store was reset.
void ResetNamedScreens();

// Search for the name; a hit is copied into the scratch record and becomes
// the most recently used. An empty name never matches.
bool FindNamedScreen(const char* name);
// The scratch record takes the name and the current window's interior, style
// and borders; a name longer than 60 characters empties it instead.
void RememberNamedScreen(const char* name);
// Put the scratch record's content into the current window when the geometry
// is the same; false otherwise.
bool RestoreNamedScreenContent();

// The host's commands; the first three return the reply flag.
bool NamedScreenOpen(const char* name);        // ESC S A
bool NamedScreenCheckClear(const char* name);  // ESC S C
bool NamedScreenLoad(const char* name);        // ESC S L
void NamedScreenSave();                        // ESC S S
void DiscardAllNamedScreens();                 // ESC W R and connection resets
