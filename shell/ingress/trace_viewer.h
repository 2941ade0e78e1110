// The trace viewer: the ReceiveTrace shown on the screen, 2,000 entries a
// page, page 0 ending with the newest entry and page 24 starting with the
// oldest. A loaded debug-data file is shown instead of the live ring while
// the viewer is open.
#pragma once

#include <cstdint>
#include <memory>

#include "receive_trace.h"
#include "screen_model.h"

constexpr int kTracePageCells = kScreenRows * kScreenCols;  // 2,000
constexpr int kTracePages = kTraceEntries / kTracePageCells;  // 25

// Render page p (0..24) of a ring whose next index is next: one cell per
// entry, 80 a row. Received bytes show in class 0 (13 below 32), sent bytes
// in 14 (12), negotiation bytes in 2 (5); a byte below 32 shows as byte + 64.
// Every cell gets the given window level and choice 0.
void RenderTracePage(const TraceEntry* ring, int next, int page, int windowLevel,
                     Cell out[kTracePageCells]);

struct TraceViewerRecord {
  bool open;
  int page;                              // 0..24
  std::unique_ptr<Cell[]> pageCells;     // only while open
  std::unique_ptr<TraceEntry[]> loaded;  // the loaded trace, from the first load to the close
};

// Owned by trace_viewer.cpp.
extern TraceViewerRecord TraceViewer;

// Closed, nothing allocated (tests).
void ResetTraceViewer();

// Open the viewer at page 0 or close it, freeing the page and the loaded
// trace; returns whether it is open now. The shell highlights the menu item,
// hides or shows the caret and repaints.
bool ToggleTraceViewer();
// Older / newer page within 0..24; false when the viewer is closed or the
// page did not change (nothing to repaint).
bool TraceViewerOlder();
bool TraceViewerNewer();
// Render the current page again (after a load, or when the screen's window
// level changed). Nothing when closed.
void RenderTraceViewer();
// The page to paint instead of the ScreenModel, or null when closed.
const Cell* TraceViewerCells();
// The entries the viewer shows: the loaded trace when there is one, else
// the live ring (both are placed around the live ring's next index).
const TraceEntry* TraceViewerEntries();

// The loaded trace, allocated (zero) on first use; null when it cannot be had.
TraceEntry* TraceViewerLoadBuffer();
// Drop the loaded trace (a file that cannot be opened).
void FreeTraceViewerLoad();
