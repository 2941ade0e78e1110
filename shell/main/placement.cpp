// Window placement: the "Window Placement" radio and the recorded position.
#include "main_window.h"
#include "resource_ids.h"
#include "shell/render/renderer.h"
#include "shell_config.h"
#include "shell_state.h"

void RecordPlacement() {
  if (!Shell.mainWindow || !Shell.mainFont) return;
  RECT r;
  GetWindowRect(Shell.mainWindow, &r);
  tavix::StoredPlacement& p = Config.store.placement;
  p.screen_resolution = GetSystemMetrics(SM_CXSCREEN);
  p.font_height = CellRowHeight(*Shell.mainFont);
  p.font_width = CellWidth(*Shell.mainFont);
  p.window_x = r.left;
  p.window_y = r.top;
  Config.store.save_placement();
}

void SetPlacementMode(int command) {
  tavix::ConfigBlock& c = Config.store.config;
  switch (command) {
    case CMD_PLACEMENT_SAVE_CURRENT:
      c.save_placement = 1;
      c.save_last = 0;
      RecordPlacement();
      break;
    case CMD_PLACEMENT_REMEMBER_LAST:
      c.save_placement = 1;
      c.save_last = 1;
      break;
    default:
      c.save_placement = 0;
      c.save_last = 0;
      break;
  }
  Config.store.save_placement_mode();
  SetMenuMarks();
}
