// The escape state and the command families that follow ESC.
#pragma once

#include <cstdint>

void EscapeState(uint8_t byte);
void ResetEscapeFamilies();
