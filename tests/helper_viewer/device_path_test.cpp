// The one device-path rule the image control and the list share: every path
// either of them refused is refused, everything else opens.
#include <gtest/gtest.h>

#include "image_path.h"
#include "viewer_entry.h"

namespace {

struct Case {
  const char* path;
  bool device;
};

const Case kCases[] = {
    // Device namespaces, either slash.
    {"\\\\.\\COM1", true}, {"\\\\.\\PhysicalDrive0", true}, {"\\\\?\\C:\\x.png", true}, {"//./pipe/x", true},
    {"//./COM1", true}, {"\\/?/a", true},
    // Reserved names in any case, with extensions, spaces, colons and drives.
    {"COM1", true}, {"com9", true}, {"nul", true}, {"NUL.txt", true}, {"C:\\docs\\LPT1", true},
    {"C:\\docs\\aux.png", true}, {"con", true}, {"C:\\d\\COM3 .tif", true}, {"CONOUT$", true}, {"conin$", true},
    {"C:\\scan\\NUL.tif", true}, {"c:\\x\\com1", true}, {"LPT9.txt", true}, {"aux ", true}, {"C:CON", true},
    {"D:\\PRN:", true}, {"PRN:", true}, {"CLOCK$", true}, {"C:\\x\\clock$.bmp", true}, {"C:\\a\\nul:stream", true},
    {"COM1:", true},
    // Ordinary files, including names that only begin like a device.
    {"C:\\docs\\scan.png", false}, {"COM10", false}, {"COM0.png", false}, {"com0", false}, {"lpt10", false},
    {"console.png", false}, {"CONFIG.SYS", false}, {"\\\\server\\share\\a.tif", false},
    {"\\\\server\\share\\nul.d\\a.png", false}, {"C:\\nul\\a.png", false}, {"C:\\COM10\\x.png", false},
    {"C:\\scan\\a.tif", false}, {"C:", false}, {"1:CON.tif", false}, {"CLOCK", false}, {"PRNT.tif", false},
};

TEST(DevicePathRule, OneTableForTheControlAndTheList) {
  for (const Case& c : kCases) {
    EXPECT_EQ(IsDevicePath(c.path), c.device) << c.path;
    // The list refuses exactly the same paths, and the empty one besides.
    EXPECT_EQ(viewer::IsDevicePath(c.path), c.device) << c.path;
  }
  EXPECT_FALSE(IsDevicePath(""));
  EXPECT_TRUE(viewer::IsDevicePath(""));
}

}  // namespace
