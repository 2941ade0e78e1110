// The image control prints onto a private print server's queue (runs under
// tests/e2e/with_cups.sh): one sheet per page, named after the document.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "image_control_win32.h"
#include "image_fixtures.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::string bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

std::string WinePath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

// The number of jobs the queue has taken so far.
int JobsInSpool(const std::string& spool) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((WinePath(spool) + "\\d*-001").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do ++n;
  while (FindNextFileA(search, &found));
  FindClose(search);
  return n;
}

// Job `number`'s bytes once the file has stopped growing; empty when none came.
std::string ReadJob(const std::string& spool, int number) {
  char name[32];
  std::snprintf(name, sizeof name, "/d%05d-001", number);
  const std::string job = WinePath(spool + name);
  std::string bytes, last = "(none)";
  for (int i = 0; i < 500; ++i) {
    bytes = ReadAll(job);
    if (!bytes.empty() && bytes == last) break;
    last = bytes;
    Sleep(40);
  }
  return bytes;
}

// The characters the driver's PostScript draws, from its glyph names
// ("/P glyphshow").
std::string GlyphText(const std::string& job) {
  std::string text;
  for (size_t at = job.find(" glyphshow"); at != std::string::npos; at = job.find(" glyphshow", at + 1)) {
    const size_t slash = job.rfind('/', at);
    if (slash != std::string::npos && at - slash == 2) text += job[slash + 1];
  }
  return text;
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(ImagePrinting, PagesOfATiffOntoTheQueue) {
  const char* spool = std::getenv("TAVIX_CUPS_SPOOL");
  const char* queue = std::getenv("TAVIX_CUPS_QUEUE");
  if (!spool || !queue) GTEST_SKIP() << "runs under tests/e2e/with_cups.sh";
  HWND host = MakeHostWindow(240, 140);
  RECT at = {0, 0, 200, 100};
  CImageControl* control = CImageControl::Create(host, 7, at);
  ASSERT_NE(control, nullptr);
  ASSERT_EQ(control->Load(Fixture("three_pages.tif").c_str()), kImageDecoding);
  ASSERT_EQ(control->Finish(), kImageLoaded);
  HDC printer = CreateDCA("WINSPOOL", queue, nullptr, nullptr);
  ASSERT_NE(printer, nullptr) << queue;
  EXPECT_TRUE(control->Print(printer, 2, 3, "three pages"));
  EXPECT_FALSE(control->Print(printer, 3, 2, "none")) << "an empty range prints nothing";
  DeleteDC(printer);
  const std::string job = WinePath(std::string(spool) + "/d00001-001");
  const std::string control1 = WinePath(std::string(spool) + "/c00001");
  std::string bytes, last = "(none)";
  for (int i = 0; i < 500; ++i) {
    bytes = ReadAll(job);
    if (!bytes.empty() && bytes == last) break;
    last = bytes;
    Sleep(40);
  }
  ASSERT_FALSE(bytes.empty()) << "no job in the queue";
  EXPECT_EQ(bytes.compare(0, 4, "%!PS"), 0);
  EXPECT_EQ(Count(bytes, "%%Page:"), 2u) << "pages 2 and 3";
  bool named = false;
  for (int i = 0; i < 250 && !named; ++i) {
    named = ReadAll(control1).find("three pages") != std::string::npos;
    if (!named) Sleep(40);
  }
  EXPECT_TRUE(named) << "the document's name";
  EXPECT_FALSE(control->Print(nullptr, 1, 1, "x"));
  DestroyWindow(host);
}

// marked.png carries a blue square and the red text "Paid": on paper only
// while the annotations are shown, as on the screen and the clipboard.
TEST(ImagePrinting, AnnotationsOnPaperAsShown) {
  const char* spool = std::getenv("TAVIX_CUPS_SPOOL");
  const char* queue = std::getenv("TAVIX_CUPS_QUEUE");
  if (!spool || !queue) GTEST_SKIP() << "runs under tests/e2e/with_cups.sh";
  HWND host = MakeHostWindow(240, 140);
  RECT at = {0, 0, 200, 100};
  CImageControl* control = CImageControl::Create(host, 7, at);
  ASSERT_NE(control, nullptr);
  ASSERT_EQ(control->Load(Fixture("marked.png").c_str()), kImageDecoding);
  ASSERT_EQ(control->Finish(), kImageLoaded);
  ASSERT_TRUE(control->HasAnnotations());
  HDC printer = CreateDCA("WINSPOOL", queue, nullptr, nullptr);
  ASSERT_NE(printer, nullptr) << queue;
  const int before = JobsInSpool(spool);
  ASSERT_TRUE(control->Print(printer, 1, 1, "hidden marks"));
  const std::string hidden = ReadJob(spool, before + 1);
  control->ShowAnnotations(true);
  ASSERT_TRUE(control->Print(printer, 1, 1, "shown marks"));
  const std::string shown = ReadJob(spool, before + 2);
  DeleteDC(printer);
  ASSERT_FALSE(hidden.empty());
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(GlyphText(hidden).find("Paid"), std::string::npos);
  EXPECT_NE(GlyphText(shown).find("Paid"), std::string::npos) << "the text annotation";
  const std::string blue = "0.00 0.00 1.00 setrgbcolor", red = "1.00 0.00 0.00 setrgbcolor";
  EXPECT_EQ(hidden.find(blue), std::string::npos);
  EXPECT_NE(shown.find(blue), std::string::npos) << "the blue square";
  EXPECT_NE(shown.find(red), std::string::npos) << "the red text";
  DestroyWindow(host);
}

}  // namespace
