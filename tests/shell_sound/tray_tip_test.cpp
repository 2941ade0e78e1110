#include "shell/dialogs/tray_tip.h"

#include <gtest/gtest.h>

#include <string>

namespace tavix {
namespace {

TEST(TrayTip, TitleThenAsMuchOfTheMessageLineAsFits) {
  const std::string t61(61, 't'), t62(62, 't'), t63(63, 't'), t70(70, 't');
  const std::string line(100, 'm');
  struct Case { std::string title, line, tip; };
  const Case cases[] = {
      {"Moxel", "New message from PAYROLL", "Moxel New message from PAYROLL"},
      {"Moxel", "", "Moxel"},
      {"Moxel", line, "Moxel " + std::string(57, 'm')},
      {t61, "abc", t61 + " a"},
      {t62, "abc", t62},  // no room for a blank and a character
      {t63, "abc", t63},
      {t70, "abc", t63},
  };
  for (const Case& c : cases) {
    std::string tip = TrayTipText(c.title.c_str(), c.line.c_str());
    EXPECT_EQ(tip, c.tip) << c.title << "|" << c.line;
    EXPECT_LE(tip.size(), kTrayTipMax);
  }
  EXPECT_EQ(TrayTipText("Moxel", nullptr), "Moxel");
}

}  // namespace
}  // namespace tavix
