// Screen initialisation, the emulation reset after a connection ends, and the
// whole-engine reset used at start-up and by tests.
#include "engine.h"

#include "block_store.h"
#include "cell_primitives.h"
#include "completions.h"
#include "engine_context.h"
#include "escape_families.h"
#include "message_line.h"
#include "named_screens.h"
#include "edit_relay.h"
#include "text_block.h"
#include "user_screen_list.h"
#include "param_collector.h"
#include "parser.h"
#include "render_notify.h"
#include "reply_buffer.h"
#include "screen_model.h"
#include "status_row.h"
#include "tones.h"
#include "viewport.h"

namespace {
constexpr uint8_t kStatusClass = 7;
constexpr int kLastShellTimerStopped = 3;
}  // namespace

void ScreenInitialisation() {
  Engine.windows->CloseAllWindows();
  // A viewport left at the base level would catch the next session's text.
  FreeViewport();
  WindowState& w = Screen.win;
  w.pendingLevel = -1;
  // The status row is cleared whole, so the host's message goes with it.
  ClearHostMessageLine();
  ClearWindow(0, kStatusRow, kScreenCols, 1, CellAttribute{kStatusClass, w.curLevel, 0}, true);
  ClearWindow(0, 0, kScreenCols, kWorkRows, CellAttribute{0, w.curLevel, 0}, true);
  Engine.shell->ResetStatusIndicators();
  UpdateSpinner();
  Engine.shell->ScreenInitialised();
}

void ScreenInitialisationCommand() { ScreenInitialisation(); }

void EmulationReset() {
  Engine.files->AbandonTransfers();
  // A pick list or input field in progress is dropped with its flags.
  Engine.pickLists->Abandon();
  Engine.fields->Abandon();
  Screen.busy = 0;
  Screen.menuSelection = 0;
  Screen.statusGlyph = 0;
  Parser.handshake = 0;
  Engine.shell->SetSpinnerRunning(false);
  Engine.shell->ResetStatusIndicators();
  UpdateSpinner();
  Engine.keyboard->ResetInput();
  ResetParser();
  ResetEscapeFamilies();
  Screen.AutoWrap = 1;
  Engine.textBlocks->FreeLineStore();
  for (int timer = 0; timer <= kLastShellTimerStopped; ++timer) Engine.shell->StopTimer(timer);
  Screen.message.marqueeRunning = false;
  FlushRenderNotifications();
}

void ResetConnectionState() {
  ScreenInitialisation();
  Engine.windows->DiscardNamedScreens();
  EmulationReset();
}

void ResetEngine() {
  ResetScreenModel();
  ResetBlockStore();
  ResetNamedScreens();
  ResetParser();
  ResetParamCollector();
  ResetReplyBuffer();
  ResetEscapeFamilies();
  ResetScreenDump();
  ResetStoredPaths();
  ResetTones();
  ResetTextBlocks();
  ResetEditRelay();
  ResetUserScreenList();
  Parser.handshake = 0;
  DiscardRenderNotifications();
}
