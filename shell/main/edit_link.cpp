// What the helper link needs of the shell: the main window, the
// configuration, and the string table.
#include "message_box.h"
#include "shell/editlink/helper_link_win32.h"
#include "shell_config.h"
#include "shell_state.h"

HWND HelperLinkMainWindow() { return Shell.mainWindow; }
tavix::VariantIni& HelperLinkConfiguration() { return Config.variantIni; }
void HelperLinkShowString(HWND owner, UINT id) { ShowStringMessage(owner, id); }
