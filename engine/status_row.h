// The terminal's own cells of the status row: the busy spinner and the text
// of ESC ^ I.
#pragma once

constexpr int kSpinnerCol = 25;

// Draw the spinner cell for the current busy state.
void UpdateSpinner();
// The shell's spinner timer: next phase.
void AdvanceSpinner();
