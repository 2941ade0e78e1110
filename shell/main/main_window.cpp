// The main window procedure: every message of the main and the full-screen
// window is routed from here to its owner.
#include "main_window.h"


#include "comm.h"
#include "engine.h"
#include "render_notify.h"
#include "engine_bridge.h"
#include "resource_ids.h"
#include "shell/ingress/trace_viewer.h"
#include "key_codes.h"
#include "messaging_shell.h"
#include "outbox_delivery.h"
#include "shell/keyboard/key_dispatcher.h"
#include "shell/render/renderer.h"
#include "shell/dialogs/tray_icon_win32.h"
#include "shell/keyboard/keyboard_messages_win32.h"
#include "shell/keyboard/keyboard_seam.h"
#include "shell/keyboard/find_dialog_win32.h"
#include "shell/keyboard/view_window_win32.h"
#include "shell/sound/tone_player_win32.h"
#include "shell_config.h"
#include "shell_state.h"
#include "shell_timers.h"
#include "dialing_shell.h"
#include "serial_shell.h"
#include "win_serial.h"
#include "shell/editlink/helper_link_win32.h"
#include "conversations.h"

namespace {

void UpdateScreenSize(HWND window) {
  Shell.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  Shell.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  // The monitor that holds the window, when the helper library can tell.
  if (HelperLink.helper) HelperLink.helper->GetMonitorSize(window, &Shell.screenWidth, &Shell.screenHeight);
}

LRESULT SetSizingCursor(HWND window, WPARAM wParam, LPARAM lParam) {
  LPCSTR shape = IDC_ARROW;
  switch (LOWORD(lParam)) {
    case HTLEFT:
    case HTRIGHT: shape = IDC_SIZEWE; break;
    case HTTOP:
    case HTBOTTOM: shape = IDC_SIZENS; break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: shape = IDC_SIZENWSE; break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: shape = IDC_SIZENESW; break;
    case HTCLIENT: SetCursor(Shell.arrowCursor); return TRUE;
    default: return DefWindowProcA(window, WM_SETCURSOR, wParam, lParam);
  }
  SetCursor(LoadCursor(nullptr, shape));
  return TRUE;
}

void OnSize(HWND window, WPARAM kind, int width, int height) {
  UpdateScreenSize(window);
  if (window != Shell.mainWindow) return;
  if (kind == SIZE_MINIMIZED) {
    if (Config.store.config.save_last) RecordPlacement();
    return;
  }
  if (kind == SIZE_RESTORED) RemoveTrayIcon(Shell.mainWindow);
  if ((kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED) && !FullScreenOn()) {
    RefitToClient(width, height);
    MoveCaret();
    FitViewWindowToCells();
  }
}

void OnGetMinMaxInfo(HWND window, MINMAXINFO* info) {
  UpdateScreenSize(window);
  if (!Shell.mainFont) return;
  int frameWidth, frameHeight;
  WindowFrameSize(*Shell.mainFont, &frameWidth, &frameHeight);
  // At least the 7 x 12 grid (560 x 300) inside whatever frame the window has.
  info->ptMinTrackSize.x = frameWidth + 560;
  info->ptMinTrackSize.y = frameHeight + 300;
  int width, height;
  WindowSizeForFont(*Shell.mainFont, &width, &height);
  info->ptMaxTrackSize.x = width < Shell.screenWidth ? width : Shell.screenWidth;
  info->ptMaxTrackSize.y = height < Shell.screenHeight ? height : Shell.screenHeight;
}

LRESULT OnClose(HWND window, WPARAM wParam) {
  if (window == Shell.fullScreenWindow) {
    // Closing the full-screen window closes the program through the main window.
    PostMessageA(Shell.mainWindow, WM_CLOSE, wParam, 0);
    if (!IsIconic(Shell.mainWindow)) ShowWindow(Shell.mainWindow, SW_SHOW);
    return 0;
  }
  if (Config.store.config.save_last && !IsIconic(window)) RecordPlacement();
  if (ConfirmClose(window, wParam)) DestroyWindow(window);
  return 0;
}

LRESULT OnProgramMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kMsgChannelFirst:
    case kMsgChannelSecond:
    case kMsgChannelThird:
      // A read pass may take many receives: one set of repaints for all of it.
      HoldRenderNotifications();
      Channels.current->handle_event(window, message, wParam, lParam);
      ReleaseRenderNotifications();
      return 0;
    case kMsgDdeRequest:
      // A DDE request waits until a local handler owns the keyboard.
      if (LocalModeFlag()) {
        DispatchKeyCode(keycode::kDdeRequest);
      } else {
        SetPendingDdeRequest();
      }
      FlushRenderNotifications();
      return 0;
    case kMsgDdeRegistration:
      // A launched application registered: its conversation goes on.
      DdeRegistrationArrived(static_cast<int>(wParam));
      FlushRenderNotifications();
      return 0;
    case kMsgMessageArrived:
      MessagingMessageArrived(wParam);
      return 0;
    case kMsgEditEvent:
      EditNoticeArrived();
      KeyboardSeamForShell.NoteEditWindowEvent();
      DispatchKeyCode(keycode::kEditEvent);
      FlushRenderNotifications();
      return 0;
    case kMsgAuxRead:
      AuxiliaryDataArrived(wParam, lParam);
      return 0;
    case kMsgTrayIcon:
      if (lParam == WM_LBUTTONUP) ShowWindow(Shell.mainWindow, SW_RESTORE);
      return 0;
    default:
      return 0;
  }
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == Shell.msgWheel && Shell.msgWheel) message = WM_MOUSEWHEEL;
  if (message == Shell.msgFindReplace && Shell.msgFindReplace) {
    const LRESULT result = FindDialogMessage(lParam);
    FlushRenderNotifications();
    return result;
  }
  if (LRESULT keyResult = 0; KeyboardWindowMessage(window, message, wParam, lParam, &keyResult)) return keyResult;
  if (message == Shell.msgSourceRequest && Shell.msgSourceRequest) {
    MessageSourceRequested(reinterpret_cast<HWND>(lParam));
    return 0;
  }
  if (message >= WM_USER + 1 && message <= WM_USER + 10) return OnProgramMessage(window, message, wParam, lParam);
  if (message == kMsgMessagingRefused) {
    MessagingItemRefused(window, lParam);
    return 0;
  }

  switch (message) {
    case WM_KEYDOWN:
      if (wParam == VK_CAPITAL) {
        bool caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
        if (caps != Shell.capsLock) {
          Shell.capsLock = caps;
          RecreateCaret();
        }
      }
      break;
    case WM_DESTROY:
      if (window == Shell.mainWindow) ShutDown();
      return 0;
    case WM_MOVE:
      return 0;
    case WM_SIZE:
      OnSize(window, wParam, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_SETFOCUS:
      Shell.capsLock = (GetKeyState(VK_CAPITAL) & 1) != 0;
      Shell.altPending = false;
      RecreateCaret();
      return 0;
    case WM_KILLFOCUS:
      DestroyTerminalCaret();
      Shell.altPending = false;
      return 0;
    case WM_PAINT:
      PaintWindow(window, TraceViewerCells());
      return 0;
    case WM_ERASEBKGND:
      return 1;  // every cell is painted opaque
    case WM_CLOSE:
      return OnClose(window, wParam);
    case WM_SYSCOLORCHANGE:
      DeleteRenderObjects();
      CreateRenderObjects();
      return 0;
    case WM_SETCURSOR:
      return SetSizingCursor(window, wParam, lParam);
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(window, reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_SYSKEYUP:
      if (wParam == VK_MENU) {
        Shell.altPending = false;
        return 0;
      }
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MAXIMIZE && !FullScreenOn() && FontIsScalable(*Shell.mainFont)) {
        MaximiseScalableFont();
        return 0;
      }
      break;
    case WM_TIMER:
      if (wParam == kTimerTone) {
        OnToneTimer();
        return 0;
      }
      if (wParam == kTimerBreak) {
        KillTimer(window, wParam);
        Channels.current->end_break();
        return 0;
      }
      if (wParam == kTimerAuxRead) {
        AuxiliaryReadTimedOut();
        return 0;
      }
      if (wParam == kTimerMessaging) {
        KillTimer(window, wParam);
        ContinueOutboxDelivery();
        FlushRenderNotifications();
        return 0;
      }
      if (wParam == kTimerDialLock) {
        KillTimer(window, wParam);
        DialLockExpired();
        return 0;
      }
      if (HandleEngineTimer(wParam)) return 0;
      KillTimer(window, wParam);
      return 0;
    case WM_MOUSEWHEEL:
      // The keyboard path leaves the wheel alone while the view window is open: it scrolls that.
      if (Shell.viewWindow) return SendMessageA(Shell.viewWindow, WM_MOUSEWHEEL, wParam, lParam);
      break;
    case MM_WOM_DONE:
      OnWaveDone(wParam, lParam);
      return 0;
    case WM_COMMAND:
      HandleCommand(window, LOWORD(wParam));
      return 0;
    case kCommNotifyMessage:
      // The serial channel's notifications; the bytes of a read repaint once.
      HoldRenderNotifications();
      Channels.current->handle_event(window, message, wParam, lParam);
      ReleaseRenderNotifications();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ViewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ViewWindowMessage(window, message, wParam, lParam);
}
