// "A&Ttachments" in the real terminal opens the helper library's open-file
// dialog with its preview panel, titled "Select file".
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "helper_image_ids.h"
#include "resource_ids.h"
#include "terminal_process.h"

namespace {

struct Found {
  DWORD pid;
  const char* title;
  HWND window;
};

BOOL CALLBACK MatchTop(HWND w, LPARAM p) {
  auto* f = reinterpret_cast<Found*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  char text[128] = "";
  GetWindowTextA(w, text, sizeof text);
  if (owner == f->pid && IsWindowVisible(w) && std::strcmp(text, f->title) == 0) {
    f->window = w;
    return FALSE;
  }
  return TRUE;
}

HWND FindTopWindow(DWORD pid, const char* title) {
  Found f = {pid, title, nullptr};
  EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&f));
  return f.window;
}

struct ById {
  int id;
  HWND found;
};

BOOL CALLBACK MatchId(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<ById*>(p);
  if (GetDlgCtrlID(w) != s->id) return TRUE;
  s->found = w;
  return FALSE;
}

HWND FindById(HWND top, int id) {
  ById s = {id, nullptr};
  EnumChildWindows(top, MatchId, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::string TextOf(HWND w) {
  char text[128] = "";
  GetWindowTextA(w, text, sizeof text);
  return text;
}

TEST(AttachmentsDialog, OpensTheOpenDialogWithPreview) {
  TerminalProcess t;
  t.WriteIni("[Config]\r\nmode=6\r\nhost=127.0.0.1\r\n[Font]\r\nmode=0\r\n");
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_COMMAND, CMD_ATTACHMENTS, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindTopWindow(t.processId(), "Select file")) != nullptr; }, 15000));
  HWND preview = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (preview = FindById(dialog, IDC_OPEN_PREVIEW)) != nullptr; }, 5000));
  EXPECT_EQ(TextOf(preview), "Thumbnail view goes here");
  EXPECT_EQ(TextOf(FindById(dialog, IDC_OPEN_ZOOM_LABEL)), "Zoom:");
  HWND rotate = FindById(dialog, IDC_OPEN_ROTATE_CW);
  ASSERT_NE(rotate, nullptr);
  EXPECT_FALSE(IsWindowEnabled(rotate)) << "nothing selected yet";
  EXPECT_FALSE(IsWindowVisible(FindById(dialog, IDC_OPEN_PAGE_EDIT)));
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 10000));
  EXPECT_TRUE(IsWindow(main)) << "the terminal runs on";
}

}  // namespace
