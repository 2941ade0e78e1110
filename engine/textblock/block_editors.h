// The local modes that run on a text block once it is shown, and keyboard
// mode 2. Each takes the keyboard through the InputMode slot.
#pragma once

#include <cstdint>

// Local edit mode (mode 11) on kinds 0 and 3, with its find prompt (mode 12).
void StartLocalEdit();
int LocalEditKey(int32_t code);
// The full-screen text editor (mode 10) on kinds 1 and 2.
void StartFullScreenEditor();
int FullScreenEditorKey(int32_t code);
// Keyboard mode 2: ESC V / ESC v over the viewport, or the scrolling viewer
// of kind 5 over the block.
void StartHostBrowse(bool lowerForm);
void StartBlockViewer();
int BrowseKey(int32_t code);
// The viewer's first visible column of the block (0 for the other kinds).
int BlockViewOffset();

// End whichever of these runs, without a reply (a new block, a reset).
void AbandonBlockEditors(bool releaseKeyboard);

// Shared by the editors: hand over the events a block's editor is given
// when it starts (PC message 1090, browse request 1092), then the keys typed
// ahead.
void DeliverBlockStartInput(int (*handler)(int32_t), bool (*still)());
