// The shut-down order when the main window is destroyed.
#include "comm.h"
#include "login_report_win32.h"
#include "engine.h"
#include "drop_target.h"
#include "main_window.h"
#include "messaging_shell.h"
#include "shell/render/renderer.h"
#include "shell/dialogs/tray_icon_win32.h"
#include "shell/sound/tone_player_win32.h"
#include "shell_state.h"
#include "serial_shell.h"
#include "shell/editlink/helper_link_win32.h"
#include "shell/printing/printing_win32.h"
#include "conversations.h"

void ShutDown() {
  Channels.current->close();
  Channels.current = &NoChannel;
  CloseAuxiliaryPort();
  ShutDownMessaging();
  RevokeDropTarget(Shell.mainWindow);
  Engine.windows->CloseAllWindows();
  ShutDownPrinting();
  DeleteRenderObjects();
  DeleteFonts();
  StopLoginReport();
  ShutDownSound();
  CloseHelp();
  RemoveTrayIcon(Shell.mainWindow);
  CloseAllEditSessions();
  CloseViewerList();
  ShutDownDde();
  PostQuitMessage(0);
}
