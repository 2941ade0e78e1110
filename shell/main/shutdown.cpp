// The shut-down order when the main window is destroyed.
#include "comm.h"
#include "engine.h"
#include "main_window.h"
#include "shell/render/renderer.h"
#include "shell/sound/tone_player.h"
#include "shell/sound/tray_icon.h"
#include "shell_state.h"

void ShutDown() {
  Channels.current->close();
  Channels.current = &NoChannel;
  Engine.windows->CloseAllWindows();
  DeleteRenderObjects();
  DeleteFonts();
  StopSound();
  CloseHelp();
  RemoveTrayIcon();
  PostQuitMessage(0);
}
