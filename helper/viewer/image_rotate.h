// Turning a page of 32-bit pixels by quarter turns, clockwise.
#pragma once

#include <cstdint>

// dst receives the turned page: height x width for odd turns. src and dst
// must not overlap.
void TurnPixels(const std::uint32_t* src, int width, int height, int quarterTurns, std::uint32_t* dst);
