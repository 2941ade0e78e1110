// The host message line on the status row, with its marquee.
#pragma once

#include <cstdint>

constexpr int kMessageCol = 26;
constexpr int kMessageCells = 54;
constexpr int kMarqueeTimer = 2;
constexpr int kMarqueeMilliseconds = 100;

// SOH while busy: empty the line, clear its cells, collect the text.
void StartHostMessageLine();
void MessageLineState(uint8_t byte);
// Timer 2: move the marquee on by one character.
void MarqueeTick();
// Keep n cells at the right end of the message area for a caller's counter.
void SetMessageReserve(int cells);
// Empty the line and stop the marquee.
void ClearHostMessageLine();
