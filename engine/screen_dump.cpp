// ESC S I: the diagnostic dump of the screen or the receive trace to the host.
// The dump is far longer than the reply buffer, so it pauses whenever the
// channel asks to drain and resumes from the drain callback.
#include "completions.h"
#include "engine_context.h"
#include "param_collector.h"
#include "reply_buffer.h"
#include "screen_model.h"

namespace {

constexpr int kTraceLine = 80;

struct DumpProgress {
  bool screen;        // the screen, else the receive trace
  int index;          // next byte
  int total;
  bool lineEndDue;    // a CR follows the byte just sent
  bool finalSent;     // the closing CR went out
};

DumpProgress dump;

uint8_t DumpByte(int i) {
  return dump.screen ? Screen.cells[i].glyph : Engine.shell->ReceiveTraceByte(i);
}

// Every 80 bytes (a screen row, a trace line) and after a short last line a
// CR, then one CR more. A refused append is retried from the drain callback.
void ContinueDump() {
  for (;;) {
    bool ok;
    if (dump.lineEndDue) {
      ok = Append('\r');
      if (ok) dump.lineEndDue = false;
    } else if (dump.index < dump.total) {
      ok = AppendEscaped(DumpByte(dump.index));
      if (ok) {
        ++dump.index;
        dump.lineEndDue = dump.index % kTraceLine == 0 || dump.index == dump.total;
      }
    } else if (!dump.finalSent) {
      ok = Append('\r');
      if (ok) dump.finalSent = true;
    } else {
      break;
    }
    if (!ok) {
      WaitForDrain(ContinueDump);
      return;
    }
  }
  Flush();
}

}  // namespace

void DiagnosticDump() {
  dump = DumpProgress{};
  dump.screen = ParamBytes()[0] == ' ';
  dump.total = dump.screen ? kScreenRows * kScreenCols : Engine.shell->ReceiveTraceLength();
  ContinueDump();
}

void ResetScreenDump() { dump = DumpProgress{}; }
