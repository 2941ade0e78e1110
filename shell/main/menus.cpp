// The menu's check marks and grayed entries.
#include "comm.h"
#include "main_window.h"
#include "messaging_shell.h"
#include "resource_ids.h"
#include "shell/render/renderer.h"
#include "shell_config.h"
#include "shell_state.h"

namespace {
int MainFontIndex() {
  for (int i = 0; i < kFontRecordCount; ++i)
    if (FontRecordAt(i) == Shell.mainFont) return i;
  return -1;
}
}  // namespace

void SetMenuMarks() {
  HMENU menu = GetMenu(Shell.mainWindow);
  if (!menu) return;
  tavix::ConfigBlock& c = Config.store.config;
  int sound = c.sound_mode == 0 ? CMD_SOUND_WINDOWS : c.sound_mode == 1 ? CMD_SOUND_PC : CMD_SOUND_NONE;
  CheckMenuRadioItem(menu, CMD_SOUND_WINDOWS, CMD_SOUND_NONE, static_cast<UINT>(sound), MF_BYCOMMAND);
  EnableMenuItem(menu, CMD_SCREEN_TO_FILE_DEBUG, MF_BYCOMMAND | (c.debug ? MF_ENABLED : MF_GRAYED));
  CheckMenuItem(menu, CMD_HILIGHT, MF_BYCOMMAND | (c.hilite ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(menu, CMD_USER_DEFINED_OPTIONS, MF_BYCOMMAND | (c.udef_screens ? MF_CHECKED : MF_UNCHECKED));
  // "Remember last placement" when Save Last is on, nothing when only Save
  // placement is on, else "Use default placement".
  for (UINT id = CMD_PLACEMENT_SAVE_CURRENT; id <= CMD_PLACEMENT_DEFAULT; ++id)
    CheckMenuItem(menu, id, MF_BYCOMMAND | MF_UNCHECKED);
  if (c.save_last) {
    CheckMenuRadioItem(menu, CMD_PLACEMENT_SAVE_CURRENT, CMD_PLACEMENT_DEFAULT, CMD_PLACEMENT_REMEMBER_LAST,
                       MF_BYCOMMAND);
  } else if (!c.save_placement) {
    CheckMenuRadioItem(menu, CMD_PLACEMENT_SAVE_CURRENT, CMD_PLACEMENT_DEFAULT, CMD_PLACEMENT_DEFAULT, MF_BYCOMMAND);
  }
  static const UINT kFontCommands[4] = {CMD_FONT_RASTER_10X18, CMD_FONT_RASTER_7X12, CMD_FONT_CORVANE,
                                        CMD_FONT_CORVANE_BOLD};
  for (int i = 0; i < 4; ++i) {
    EnableMenuItem(menu, kFontCommands[i], MF_BYCOMMAND | (FontAvailable(i) ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, kFontCommands[i], MF_BYCOMMAND | (MainFontIndex() == i ? MF_CHECKED : MF_UNCHECKED));
  }
  EnableMenuItem(menu, CMD_FULL_SCREEN, MF_BYCOMMAND | (FullScreenFontRecord() ? MF_ENABLED : MF_GRAYED));
  DrawMenuBar(Shell.mainWindow);
  UpdateMessageSourceMenu();
}

void RefreshConnectionMenu() {
  HMENU menu = GetMenu(Shell.mainWindow);
  if (!menu) return;
  bool open = Channels.current->is_open();
  EnableMenuItem(menu, CMD_DISCONNECT, MF_BYCOMMAND | (open ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(menu, CMD_CONNECT, MF_BYCOMMAND | (open || !Config.channelConfigured ? MF_GRAYED : MF_ENABLED));
  EnableMenuItem(menu, CMD_DIAL, MF_BYCOMMAND | (open || !Config.channelConfigured ? MF_GRAYED : MF_ENABLED));
  DrawMenuBar(Shell.mainWindow);
}
