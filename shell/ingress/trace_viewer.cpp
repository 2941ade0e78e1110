#include "trace_viewer.h"

#include <new>

TraceViewerRecord TraceViewer;

namespace {

struct GlyphClass {
  uint8_t printable;  // class of a byte 32 or above
  uint8_t control;    // class of a byte below 32
};

GlyphClass ClassesOf(uint8_t flag) {
  switch (flag) {
    case kTraceSent: return {14, 12};
    case kTraceNegotiation: return {2, 5};
    default: return {0, 13};
  }
}

}  // namespace

void RenderTracePage(const TraceEntry* ring, int next, int page, int windowLevel,
                     Cell out[kTracePageCells]) {
  if (page < 0) page = 0;
  if (page >= kTracePages) page = kTracePages - 1;
  int at = next - (page + 1) * kTracePageCells;
  while (at < 0) at += kTraceEntries;
  const uint8_t level = static_cast<uint8_t>(windowLevel);
  for (int i = 0; i < kTracePageCells; ++i) {
    const TraceEntry e = ring[at];
    if (++at == kTraceEntries) at = 0;
    const GlyphClass c = ClassesOf(e.flag);
    const bool control = e.byte < 32;
    out[i] = Cell{control ? c.control : c.printable, level, 0,
                  static_cast<uint8_t>(control ? e.byte + 64 : e.byte)};
  }
}

void ResetTraceViewer() {
  TraceViewer.open = false;
  TraceViewer.page = 0;
  TraceViewer.pageCells.reset();
  TraceViewer.loaded.reset();
}

const TraceEntry* TraceViewerEntries() {
  return TraceViewer.loaded ? TraceViewer.loaded.get() : ReceiveTrace.entries;
}

void RenderTraceViewer() {
  if (!TraceViewer.open) return;
  RenderTracePage(TraceViewerEntries(), ReceiveTrace.next, TraceViewer.page, Screen.WindowLevel,
                  TraceViewer.pageCells.get());
}

bool ToggleTraceViewer() {
  if (TraceViewer.open) {
    ResetTraceViewer();
    return false;
  }
  TraceViewer.pageCells.reset(new (std::nothrow) Cell[kTracePageCells]);
  if (!TraceViewer.pageCells) return false;
  TraceViewer.open = true;
  TraceViewer.page = 0;
  RenderTraceViewer();
  return true;
}

namespace {

bool MoveToPage(int page) {
  if (!TraceViewer.open || page < 0 || page >= kTracePages || page == TraceViewer.page) return false;
  TraceViewer.page = page;
  RenderTraceViewer();
  return true;
}

}  // namespace

bool TraceViewerOlder() { return MoveToPage(TraceViewer.page + 1); }
bool TraceViewerNewer() { return MoveToPage(TraceViewer.page - 1); }

const Cell* TraceViewerCells() { return TraceViewer.open ? TraceViewer.pageCells.get() : nullptr; }

TraceEntry* TraceViewerLoadBuffer() {
  if (!TraceViewer.loaded) TraceViewer.loaded.reset(new (std::nothrow) TraceEntry[kTraceEntries]());
  return TraceViewer.loaded.get();
}

void FreeTraceViewerLoad() { TraceViewer.loaded.reset(); }
