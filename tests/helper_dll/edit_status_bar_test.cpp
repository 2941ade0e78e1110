// The edit window's status bar through a session's life (the library loaded
// by path and driven through the boundary tables, in this process): the
// caret's place, "INS", and "MOD", "Sync", "Changed" and "View Only" as a
// line is changed, queued, fetched by the host and the session goes
// view-only.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "boundary_tables.h"

namespace {

class EditStatusBar : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string path = HELPER_DLL;
    if (!path.empty() && path[0] == '/') {
      path = "Z:" + path;
      for (char& c : path)
        if (c == '/') c = '\\';
    }
    ASSERT_TRUE(BoundaryLoad(path.c_str(), &exports_));
    helper_ = exports_.connect(BoundaryHelperToMoxel());
    edit_ = exports_.createEditWindow(BoundaryEditToMoxel(), &index_, "STATUS", 41, 0, "BP");
    ASSERT_NE(edit_, nullptr);
    for (const char* text : {"10 PRINT 1", "20 END"}) {
      std::string record(1, '\0');
      record += text;
      EditAddLoadedLine(edit_, index_, record.data() + 1, static_cast<int>(record.size() - 1));
    }
    EditEndOfLoad(edit_, index_);
    Idle();
    frame_ = FindWindowA("CFrameEdit", "STATUS");
    ASSERT_NE(frame_, nullptr);
    view_ = FindWindowExA(frame_, nullptr, "CViewEdit", nullptr);
    bar_ = FindWindowExA(frame_, nullptr, STATUSCLASSNAMEA, nullptr);
    ASSERT_NE(bar_, nullptr);
  }
  void TearDown() override {
    if (edit_) EditCloseAll(edit_);
    Idle();
  }
  // The loading program's loop until the queue is empty, then its idle work.
  void Idle() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (HelperPreTranslateMessage(helper_, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    for (long count = 0; HelperOnIdle(helper_, count); ++count) {
    }
  }
  // The status bar's parts, with the caps-lock part left out (the keyboard's).
  std::vector<std::string> Parts() {
    std::vector<std::string> parts;
    const int n = static_cast<int>(SendMessageA(bar_, SB_GETPARTS, 0, 0));
    for (int i = 0; i < n; ++i) {
      if (i == 2) continue;
      char text[128] = "";
      SendMessageA(bar_, SB_GETTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      parts.push_back(text);
    }
    return parts;
  }
  void Key(UINT message, WPARAM key) {
    SendMessageA(view_, message, key, 0);
    Idle();
  }

  BoundaryExports exports_ = {};
  BoundaryObject* helper_ = nullptr;
  BoundaryObject* edit_ = nullptr;
  int index_ = -1;
  HWND frame_ = nullptr, view_ = nullptr, bar_ = nullptr;
};

using Texts = std::vector<std::string>;

TEST_F(EditStatusBar, FollowsTheChangeFromTheCaretLineToTheHost) {
  EXPECT_EQ(Parts(), (Texts{"Ln 1 Col 1", "INS", "", "", "", ""}));
  Key(WM_KEYDOWN, VK_END);
  Key(WM_CHAR, '0');
  EXPECT_EQ(Parts(), (Texts{"Ln 1 Col 12", "INS", "MOD", "", "Changed", ""})) << "a change on the caret line";
  Key(WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(Parts(), (Texts{"Ln 2 Col 7", "INS", "MOD", "Sync", "Changed", ""})) << "queued for the host";
  const char* text = nullptr;
  int length = 0;
  ASSERT_EQ(EditGetNextMessage(edit_, 41, &text, &length), 1);
  EXPECT_EQ(std::string(text, static_cast<size_t>(length)), "r15,1,0,10 PRINT 10\r");
  EditAcknowledgeSend(edit_, 41);
  Idle();
  EXPECT_EQ(Parts(), (Texts{"Ln 2 Col 7", "INS", "", "", "Changed", ""})) << "sent, not saved";
  Key(WM_KEYDOWN, VK_INSERT);
  EXPECT_EQ(Parts()[1], "") << "overtype";
  EditSetAllViewOnly(edit_);
  Idle();
  EXPECT_EQ(Parts(), (Texts{"Ln 2 Col 7", "", "", "", "", "View Only"}));
}

}  // namespace
