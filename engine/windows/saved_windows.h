// The stack of saved windows. Opening a full window or a pop-up saves what it
// covers in a block of its own; the newest block is savedTop and each block's
// saved state holds the one before, so closing walks back down the stack.
#pragma once

#include "window_placement.h"

// Open a window (popup false) or pop-up box on the placement, which must have
// been fitted. False when the block cannot be had: the shell gets its failure
// notice and nothing else changes.
bool OpenSavedWindow(const WindowPlacement& w, bool popup);

// Close the newest block: put back its cells and its state. False when no
// block is saved.
bool CloseOneWindowStep();
// Close until no block is saved (screen initialisation).
void CloseAllWindowSteps();
// The host's close commands: ESC C C closes a pop-up on top; ESC W C closes
// the pop-ups on top and then one full window.
void ClosePopupCommand();
void CloseWindowsCommand();

// Bytes of the block saved for a window or pop-up of the given outer size.
uint32_t SavedWindowBlockSize(bool popup, int itemCount, int outerWidth, int outerHeight);
