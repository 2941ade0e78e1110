// The main window procedure (shared by the main and the full-screen window)
// and the pieces of the shell it routes to.
#pragma once

#include <windows.h>

constexpr char kMainClass[] = "WTermW3Class";
constexpr char kFullScreenClass[] = "WTermF3Class";
constexpr char kViewClass[] = "WTermS3Class";

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ViewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Commands from menu 105 and the accelerator tables.
void HandleCommand(HWND window, int id);

// Close and disconnect confirmation: true when the user lets it happen.
bool ConfirmLoggedInWarning(HWND owner);
bool ConfirmClose(HWND owner, WPARAM closeParam);

// Full-screen mode.
void ToggleFullScreen();
bool FullScreenOn();

// Window placement.
void RecordPlacement();
void SetPlacementMode(int command);

// Menu marks set at start-up and after settings change.
void SetMenuMarks();
void RefreshConnectionMenu();

// Help.
void ShowHelp(int command);

// "Helper Applications" (dialog 125).
void RunHelperApplicationsDialog(HWND owner);

// The shell's shut-down order (WM_DESTROY of the main window).
void ShutDown();

// Disconnect the current channel and reset the emulation: after a failure
// (edit windows with changes stay, view-only) and at the user's command
// (every edit window closes).
void Disconnect();
void UserDisconnect();

// Posted as a command when a memory block could not be allocated.
constexpr int kFailureNoticeCommand = 1100;
// Posted by Ctrl+Alt+L: the stored log-in password is asked for and sent.
constexpr int kSendLoginPasswordCommand = 1101;
// 1102 closes the edit sessions whose windows asked for it (shell/editlink).

// The disconnect password the host set (ESC L P).
void SetHostDisconnectPassword(const unsigned char* bytes, int length);

// Connect with the active settings (the channel chosen by mode).
void Connect();
// Help at a context number (dialogs' Help buttons).
void ShowHelpContext(int context);
// Close help (shut-down).
void CloseHelp();

// Point the channels' hooks at the shell (start-up).
void AttachChannelEvents();

// The receive-trace commands.
bool TraceViewerOpen();
void ToggleTraceViewerCommand();
void TracePageCommand(bool older);
void SaveDebugDataCommand(HWND owner);
void LoadDebugDataCommand(HWND owner);
void ReceivedDataDumpCommand();
