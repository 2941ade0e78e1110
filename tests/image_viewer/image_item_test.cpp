// The "Image Information" window in process: its texts, tools, pages, zoom
// and Ctrl+C.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <string>

#include "helper_image_ids.h"
#include "image_control_win32.h"
#include "image_fixtures.h"
#include "image_item_win32.h"

namespace {

std::string Text(HWND dialog, int id) {
  char text[512] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

CImageControl* ControlOf(HWND dialog) { return CImageControl::FromWindow(GetDlgItem(dialog, IDC_ITEM_CONTROL)); }

bool Offer(MSG* msg) { return ImageItemsPreTranslate(msg); }

void WaitLoaded(HWND dialog) {
  ASSERT_TRUE(PumpUntil([&] { return ControlOf(dialog)->Status() == kImageLoaded; }, 5000, Offer));
  PumpFor(50, Offer);
}

class ImageItemTest : public ::testing::Test {
 protected:
  void TearDown() override {
    CloseImageItems();
    EXPECT_EQ(ImageItemCount(), 0);
  }
  HWND Open(const char* name, ImageItemSettings settings = ImageItemSettings()) {
    ImageLoadStatus status = kImageEmpty;
    HWND dialog = OpenImageItem(nullptr, Fixture(name).c_str(), settings, &status);
    EXPECT_NE(dialog, nullptr) << name;
    EXPECT_TRUE(status == kImageDecoding || status == kImageLoaded) << name << " " << status;
    return dialog;
  }
};

TEST_F(ImageItemTest, ShowsTheDocumentsFacts) {
  HWND dialog = Open("three_pages.tif");
  ASSERT_NE(dialog, nullptr);
  char caption[64] = "";
  GetWindowTextA(dialog, caption, sizeof caption);
  EXPECT_STREQ(caption, "Image Information");
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(Text(dialog, IDC_ITEM_PAGE_TEXT), "Page 1 of 3");
  EXPECT_EQ(Text(dialog, IDC_ITEM_GOTO_LABEL), "Go to Page:");
  EXPECT_EQ(Text(dialog, IDC_ITEM_GOTO_EDIT), "1");
  int low = 0, high = 0;
  SendDlgItemMessageA(dialog, IDC_ITEM_GOTO_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                      reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 1);
  EXPECT_EQ(high, 3);
  EXPECT_EQ(Text(dialog, IDC_ITEM_PATH_LABEL), "Document Storage Path:");
  EXPECT_EQ(Text(dialog, IDC_ITEM_PATH), Fixture("three_pages.tif"));
  EXPECT_EQ(Text(dialog, IDC_ITEM_DATE_LABEL), "Document Storage Date:");
  EXPECT_EQ(Text(dialog, IDC_ITEM_SIZE_LABEL), "Document File Size:");
  WIN32_FILE_ATTRIBUTE_DATA facts;
  ASSERT_TRUE(GetFileAttributesExA(Fixture("three_pages.tif").c_str(), GetFileExInfoStandard, &facts));
  EXPECT_EQ(Text(dialog, IDC_ITEM_SIZE), std::to_string(facts.nFileSizeLow) + " Bytes");
  // The date through the C library's own formatting, in local time.
  FILETIME local;
  SYSTEMTIME t;
  FileTimeToLocalFileTime(&facts.ftLastWriteTime, &local);
  FileTimeToSystemTime(&local, &t);
  std::tm tm = {};
  tm.tm_year = t.wYear - 1900;
  tm.tm_mon = t.wMonth - 1;
  tm.tm_mday = t.wDay;
  tm.tm_hour = t.wHour;
  tm.tm_min = t.wMinute;
  char expected[64];
  std::strftime(expected, sizeof expected, "%B %d,%Y %I:%M %p", &tm);
  EXPECT_EQ(Text(dialog, IDC_ITEM_DATE), expected);
  EXPECT_EQ(Text(dialog, IDC_ITEM_VERSION), "Version 4.23");
  // The zoom slider: 0 .. 99, a tick every 10, at 0.
  EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_ITEM_ZOOM, TBM_GETRANGEMIN, 0, 0), 0);
  EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_ITEM_ZOOM, TBM_GETRANGEMAX, 0, 0), 99);
  EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_ITEM_ZOOM, TBM_GETPOS, 0, 0), 0);
  EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_ITEM_ZOOM, TBM_GETNUMTICS, 0, 0), 11);  // 0 .. 90 and the end
}

TEST_F(ImageItemTest, ToolsCarryTheirTooltips) {
  HWND dialog = Open("marked.png");
  ASSERT_NE(dialog, nullptr);
  HWND tips = nullptr;
  for (HWND w = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); w;
       w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr))
    if (GetWindow(w, GW_OWNER) == dialog) tips = w;
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 7);
  auto tip = [&](int id) {
    char text[128] = "";
    TOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.hwnd = dialog;
    info.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, id));
    info.lpszText = text;
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    return std::string(text);
  };
  EXPECT_EQ(tip(IDC_ITEM_ROTATE_CW), "Rotate the image 90\xB0 clockwise");
  EXPECT_EQ(tip(IDC_ITEM_ROTATE_CCW), "Rotate the image 90\xB0 counter-clockwise");
  EXPECT_EQ(tip(IDC_ITEM_PRINT), "Print the image");
  EXPECT_EQ(tip(IDC_ITEM_FIT_WIDTH), "Fit the image to the width of the display area");
  EXPECT_EQ(tip(IDC_ITEM_FIT_PAGE), "Fit the image to the display area");
  EXPECT_EQ(tip(IDC_ITEM_COPY), "Copy the image to the clipboard");
  EXPECT_EQ(tip(IDC_ITEM_ANNOTATIONS), "Show all annotations on the image");
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ITEM_ANNOTATIONS, BN_CLICKED), 0);
  EXPECT_TRUE(ControlOf(dialog)->AnnotationsShown());
  EXPECT_EQ(tip(IDC_ITEM_ANNOTATIONS), "Hide all annotations on the image");
  CloseImageItems();
  dialog = Open("red_quadrant.png");
  ASSERT_NE(dialog, nullptr);
  for (HWND w = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); w;
       w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr))
    if (GetWindow(w, GW_OWNER) == dialog) tips = w;
  EXPECT_EQ(tip(IDC_ITEM_ANNOTATIONS), "The Image does not contain annotations");
}

TEST_F(ImageItemTest, SpinChangesThePageWithinItsRange) {
  HWND dialog = Open("three_pages.tif");
  ASSERT_NE(dialog, nullptr);
  WaitLoaded(dialog);
  auto spin = [&](int delta) {
    NMUPDOWN change = {};
    change.hdr.hwndFrom = GetDlgItem(dialog, IDC_ITEM_GOTO_SPIN);
    change.hdr.idFrom = IDC_ITEM_GOTO_SPIN;
    change.hdr.code = UDN_DELTAPOS;
    change.iPos = ControlOf(dialog)->CurrentPage();
    change.iDelta = delta;
    SendMessageA(dialog, WM_NOTIFY, IDC_ITEM_GOTO_SPIN, reinterpret_cast<LPARAM>(&change));
    WaitLoaded(dialog);
  };
  HWND image = GetDlgItem(dialog, IDC_ITEM_CONTROL);
  RECT r;
  GetClientRect(image, &r);
  const int cx = r.right / 2, cy = r.bottom / 2;
  EXPECT_EQ(ScreenPixel(image, cx, cy), 0xFF0000u);
  spin(1);
  EXPECT_EQ(Text(dialog, IDC_ITEM_PAGE_TEXT), "Page 2 of 3");
  EXPECT_EQ(Text(dialog, IDC_ITEM_GOTO_EDIT), "2");
  UpdateWindow(image);
  EXPECT_EQ(ScreenPixel(image, cx, cy), 0x00FF00u);
  spin(5);
  EXPECT_EQ(Text(dialog, IDC_ITEM_PAGE_TEXT), "Page 3 of 3");
  UpdateWindow(image);
  EXPECT_EQ(ScreenPixel(image, cx, cy), 0x0000FFu);
  spin(-10);
  EXPECT_EQ(Text(dialog, IDC_ITEM_PAGE_TEXT), "Page 1 of 3");
  EXPECT_EQ(ControlOf(dialog)->CurrentPage(), 1);
}

TEST_F(ImageItemTest, ZoomSliderShowsOneHundredPlusFourPPercent) {
  ImageItemSettings fitPage;
  fitPage.fitMode = 1;
  HWND dialog = Open("three_pages.tif", fitPage);
  ASSERT_NE(dialog, nullptr);
  CImageControl* control = ControlOf(dialog);
  EXPECT_EQ(control->DisplayMode(), kFitPage);
  const int fitted = control->Geometry().imageWidth;
  HWND slider = GetDlgItem(dialog, IDC_ITEM_ZOOM);
  SendMessageA(slider, TBM_SETPOS, TRUE, 25);
  SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 25), reinterpret_cast<LPARAM>(slider));
  EXPECT_EQ(control->ZoomPercent(), 200);
  EXPECT_NEAR(control->Geometry().imageWidth, fitted * 2, 1);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ITEM_FIT_WIDTH, BN_CLICKED), 0);
  EXPECT_EQ(control->DisplayMode(), kFitWidth);
  EXPECT_EQ(SendMessageA(slider, TBM_GETPOS, 0, 0), 0);
}

TEST_F(ImageItemTest, CtrlCCopiesTheShownPage) {
  HWND dialog = Open("red_quadrant.png");
  ASSERT_NE(dialog, nullptr);
  WaitLoaded(dialog);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ITEM_ROTATE_CW, BN_CLICKED), 0);
  WaitLoaded(dialog);
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  SetForegroundWindow(dialog);
  SetFocus(GetDlgItem(dialog, IDC_ITEM_ROTATE_CW));
  PumpFor(100, Offer);
  INPUT keys[4] = {};
  for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
  keys[0].ki.wVk = VK_CONTROL;
  keys[1].ki.wVk = 'C';
  keys[2].ki.wVk = 'C';
  keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
  keys[3].ki.wVk = VK_CONTROL;
  keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
  ASSERT_EQ(SendInput(4, keys, sizeof(INPUT)), 4u);
  std::uint32_t rgb = 0;
  int width = 0, height = 0;
  ASSERT_TRUE(PumpUntil([&] { return ClipboardDibPixel(0, 0, &rgb, &width, &height); }, 3000, Offer));
  // Turned clockwise: the red quarter is top right.
  ASSERT_TRUE(ClipboardDibPixel(width - 2, 2, &rgb, &width, &height));
  EXPECT_EQ(rgb, 0xFF0000u);
  ASSERT_TRUE(ClipboardDibPixel(2, 2, &rgb, &width, &height));
  EXPECT_EQ(rgb, 0xFFFFFFu);
  EXPECT_EQ(width * 2, height);
}

TEST_F(ImageItemTest, FilesTheControlCannotShowOpenNoWindow) {
  struct Case {
    const char* name;
    ImageLoadStatus status;
  } cases[] = {
      {"truncated.png", kImageDecodeError},
      {"notes.tvxdoc", kImageNoDecoder},
      {"missing.png", kImageOpenFailed},
  };
  for (const Case& c : cases) {
    ImageLoadStatus status = kImageEmpty;
    EXPECT_EQ(OpenImageItem(nullptr, Fixture(c.name).c_str(), ImageItemSettings(), &status), nullptr) << c.name;
    EXPECT_EQ(status, c.status) << c.name;
  }
  EXPECT_EQ(ImageItemCount(), 0);
}

}  // namespace
