#include "status_row.h"

#include <cstring>

#include "cell_primitives.h"
#include "completions.h"
#include "engine_context.h"
#include "menu_selection.h"
#include "param_collector.h"
#include "render_notify.h"
#include "screen_model.h"

namespace {
constexpr char kSpinnerGlyphs[] = "|/-\\";
constexpr int kStatusTextCells = 25;
}  // namespace

void UpdateSpinner() {
  uint8_t glyph = Screen.busy ? static_cast<uint8_t>(kSpinnerGlyphs[Screen.spinnerPhase & 3]) : ' ';
  if (Screen.statusGlyph) glyph = Screen.statusGlyph;
  WriteText(kSpinnerCol, kStatusRow, &glyph, 1);
}

void AdvanceSpinner() {
  if (!Screen.busy) return;
  Screen.spinnerPhase = static_cast<uint8_t>((Screen.spinnerPhase + 1) & 3);
  UpdateSpinner();
  FlushRenderNotifications();
}

void HostBusy() {
  if (Screen.busy) return;
  Screen.busy = 1;
  Engine.shell->SetSpinnerRunning(true);
  UpdateSpinner();
}

void HostReady() {
  if (!Screen.busy) return;
  // Keys typed while the host was busy go to the current input handler first.
  Engine.keyboard->ReplayTypeAhead();
  Screen.busy = 0;
  Engine.shell->SetSpinnerRunning(false);
  UpdateSpinner();
}

void ClearHostBusy() {
  if (!Screen.busy) return;
  Screen.busy = 0;
  Engine.shell->SetSpinnerRunning(false);
  UpdateSpinner();
}

void LeaveMenuSelection() {
  if (!Screen.menuSelection) return;
  SetMenuSelection(false);
  Screen.win.CurrentChoice = 0;
  FlushRenderNotifications();
}

void StatusText() {
  const char* text = ParamText(0);
  int len = static_cast<int>(std::strlen(text));
  if (len > kStatusTextCells) len = kStatusTextCells;
  if (len > 0) WriteText(0, kStatusRow, ParamBytes(), len);
}
