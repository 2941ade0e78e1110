// The border lines of a host window, drawn from the style's glyph set.
#pragma once

#include "screen_model.h"
#include "window_placement.h"

// Draw the lines present around the interior in the current attribute, when
// the style has a glyph set: top line (with its corners), right column,
// bottom line, left column. Sets hasTopBorder / hasBottomBorder for each line
// drawn; returns which of the two were drawn (bit 0 top, bit 1 bottom).
int DrawWindowBorder(const WindowPlacement& w);
