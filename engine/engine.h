// The engine's entry points for the shell: host bytes in, timers, resets.
// Everything else reaches the shell through engine_ports.h and the seams.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine_context.h"
#include "parser.h"
#include "screen_model.h"

// ESC W I, also done by the shell whenever the connection is closed or reset.
void ScreenInitialisation();
// Drop everything a cut-off session left running: transfers, local modes,
// type-ahead, half-received sequences; AutoWrap back on.
void EmulationReset();
// What the shell does when a connection is closed or reset: screen
// initialisation, named screens discarded, emulation reset.
void ResetConnectionState();
// The whole engine back to its start state (start-up and tests).
void ResetEngine();

// Leave menu selection (the shell's shortcuts do before acting): the flag and
// the highlighted item cleared, the frame repainted.
void LeaveMenuSelection();
// The user's "clear type-ahead": the busy flag off, the spinner stopped.
void ClearHostBusy();
// The busy flag as the host's ESC ^ H and ESC ^ T set it: keys wait as
// type-ahead while it is set, and are replayed when it is cleared. The
// auxiliary port's host read holds the keyboard the same way.
void HostBusy();
void HostReady();

// Timers the shell runs for the engine.
void MarqueeTick();    // timer 2, 100 ms
void AdvanceSpinner(); // the busy spinner's timer

// The stored path of a digit slot (file services use them).
const char* StoredPath(int slot);
// The command line's -R<digit> fills a slot (99 characters at most).
void SetStoredPath(int slot, const char* path);

// Internal resets, one per record.
void ResetScreenDump();
void ResetStoredPaths();
