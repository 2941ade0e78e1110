// Printing from the edit window onto a private print server
// (with_cups.sh, scripts/edit_print.host): pages headed "%s Page %d".
#include <cstdio>
#include <vector>

#include "edit_host_session.h"

namespace {

class EditPrint : public EditHostSession {};

// The text a page of the printer driver's PostScript draws: its glyph names
// ("/P glyphshow", "/one glyphshow") read back as characters.
std::string PageText(const std::string& job, int page) {
  const std::string mark = "%%Page: " + std::to_string(page) + " ";
  size_t at = job.find(mark);
  if (at == std::string::npos) return std::string();
  const size_t end = job.find("%%Page: ", at + mark.size());
  static const char* const kDigits[10] = {"zero", "one", "two", "three", "four",
                                          "five", "six", "seven", "eight", "nine"};
  std::string text;
  while ((at = job.find(" glyphshow", at)) != std::string::npos && at < end) {
    const size_t slash = job.rfind('/', at);
    const std::string name = job.substr(slash + 1, at - slash - 1);
    at += 10;
    if (name.size() == 1) { text += name; continue; }
    if (name == "space" || name == "uni00A0") { text += ' '; continue; }
    if (name == "period") { text += '.'; continue; }
    char c = '?';
    for (int d = 0; d < 10; ++d)
      if (name == kDigits[d]) c = static_cast<char>('0' + d);
    text += c;
  }
  return text;
}

TEST_F(EditPrint, PagesHeadedWithTheTitleAndNumber) {
  const char* spool = std::getenv("TAVIX_CUPS_SPOOL");
  if (!spool) GTEST_SKIP() << "runs under tests/e2e/with_cups.sh";
  HWND frame = EditWindow();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(HostSays("LOADED"));
  Press('P', true);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindDialogTitled(terminal_.processId(), "Print")); }, 20000));
  PressButton(dialog, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 10000));
  const std::string file = WindowsPath(spool) + "\\d00001-001";
  std::string job, last = "(none)";
  WaitFor([&] {
    job = ReadFileText(file);
    const bool steady = !job.empty() && job == last;
    last = job;
    return steady;
  }, 30000);
  ASSERT_FALSE(job.empty()) << "no print job";
  EXPECT_EQ(job.compare(0, 4, "%!PS"), 0);
  EXPECT_NE(job.find("%%Page: 2"), std::string::npos) << "100 lines take two pages";
  EXPECT_EQ(job.find("%%Page: 3"), std::string::npos);
  EXPECT_EQ(PageText(job, 1).substr(0, 24), "PRINTS 127.0.0.1 Page 11") << "the header, then line 1";
  EXPECT_EQ(PageText(job, 2).substr(0, 23), "PRINTS 127.0.0.1 Page 2");
  if (const char* dump = std::getenv("TAVIX_PRINT_DUMP")) {
    if (FILE* f = std::fopen(dump, "wb")) {
      std::fwrite(job.data(), 1, job.size(), f);
      std::fclose(f);
    }
  }
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == frame; }, 5000));
  Press(VK_F12);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }, 30000));
  End();
}

}  // namespace
