// The trace viewer's pages, debug-data files and the received-data dump.
#include <cstdio>
#include <string>
#include <vector>

#include "debug_data.h"
#include "ingress_fixture.h"
#include "received_dump.h"

namespace {

// A ring whose entries all differ in (flag, byte) order, next index mid-ring.
void FillRing(int next) {
  for (int i = 0; i < kTraceEntries; ++i)
    ReceiveTrace.entries[i] = TraceEntry{static_cast<uint8_t>(i % 3), static_cast<uint8_t>(i * 13 + i / 256)};
  ReceiveTrace.next = next;
}

bool SameEntry(const TraceEntry& a, const TraceEntry& b) { return a.flag == b.flag && a.byte == b.byte; }

std::string TempPath(const char* name) { return ::testing::TempDir() + name; }

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    int c;
    while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
  }
  return bytes;
}

}  // namespace

TEST_F(IngressTest, PageZeroEndsWithTheNewestAndPage24StartsWithTheOldest) {
  FillRing(1234);
  Cell page[kTracePageCells];
  RenderTracePage(ReceiveTrace.entries, 1234, 0, 3, page);
  const TraceEntry& newest = ReceiveTrace.entries[1233];
  EXPECT_EQ(page[kTracePageCells - 1].glyph, newest.byte < 32 ? newest.byte + 64 : newest.byte);
  RenderTracePage(ReceiveTrace.entries, 1234, 24, 3, page);
  const TraceEntry& oldest = ReceiveTrace.entries[1234];
  EXPECT_EQ(page[0].glyph, oldest.byte < 32 ? oldest.byte + 64 : oldest.byte);
  // Page 1 wraps backwards past index 0: it starts 4,000 entries before next.
  RenderTracePage(ReceiveTrace.entries, 1234, 1, 3, page);
  const TraceEntry& first = ReceiveTrace.entries[kTraceEntries - 4000 + 1234];
  EXPECT_EQ(page[0].glyph, first.byte < 32 ? first.byte + 64 : first.byte);
}

TEST_F(IngressTest, PageCellsShowEachKindInItsClass) {
  struct Case {
    TraceEntry entry;
    uint8_t glyph, attrClass;
  } cases[] = {
      {{kTraceReceived, 'A'}, 'A', 0},   {{kTraceReceived, 0}, '@', 13},
      {{kTraceReceived, 1}, 'A', 13},    {{kTraceReceived, 31}, '_', 13},
      {{kTraceReceived, 32}, ' ', 0},    {{kTraceSent, 'x'}, 'x', 14},
      {{kTraceSent, 10}, 'J', 12},       {{kTraceNegotiation, 255}, 255, 2},
      {{kTraceNegotiation, 3}, 'C', 5},
  };
  const int n = sizeof cases / sizeof cases[0];
  std::vector<TraceEntry> ring(kTraceEntries);
  for (int i = 0; i < n; ++i) ring[kTraceEntries - n + i] = cases[i].entry;
  Cell page[kTracePageCells];
  RenderTracePage(ring.data(), 0, 0, 7, page);
  for (int i = 0; i < n; ++i) {
    const Cell& c = page[kTracePageCells - n + i];
    EXPECT_EQ(c.glyph, cases[i].glyph) << i;
    EXPECT_EQ(c.attrClass, cases[i].attrClass) << i;
    EXPECT_EQ(c.level, 7);
    EXPECT_EQ(c.choice, 0);
  }
}

TEST_F(IngressTest, ViewerPagesStayWithin0To24) {
  EXPECT_EQ(TraceViewerCells(), nullptr);
  EXPECT_FALSE(TraceViewerOlder());
  FeedChunk("newest");
  Screen.WindowLevel = 2;
  ASSERT_TRUE(ToggleTraceViewer());
  ASSERT_NE(TraceViewerCells(), nullptr);
  std::string tail;
  for (int i = kTracePageCells - 6; i < kTracePageCells; ++i) tail += static_cast<char>(TraceViewerCells()[i].glyph);
  EXPECT_EQ(tail, "newest");
  EXPECT_EQ(TraceViewerCells()[0].level, 2);
  EXPECT_FALSE(TraceViewerNewer());
  int moves = 0;
  while (TraceViewerOlder()) ++moves;
  EXPECT_EQ(moves, 24);
  EXPECT_EQ(TraceViewer.page, 24);
  EXPECT_TRUE(TraceViewerNewer());
  EXPECT_EQ(TraceViewer.page, 23);
  EXPECT_FALSE(ToggleTraceViewer());
  EXPECT_EQ(TraceViewerCells(), nullptr);
  // Reopening starts at page 0 again.
  ASSERT_TRUE(ToggleTraceViewer());
  EXPECT_EQ(TraceViewer.page, 0);
}

TEST_F(IngressTest, DebugDataImageIsNewestFirstAndLoadsBackIntoTheSameOrder) {
  FillRing(777);
  const std::vector<uint8_t> image = SaveDebugData(ReceiveTrace.entries, 777);
  ASSERT_EQ(image.size(), 4u + 2u * kTraceEntries);
  EXPECT_EQ(image[0], 0x50);  // 50,000 little-endian
  EXPECT_EQ(image[1], 0xC3);
  EXPECT_EQ(image[2], 0);
  EXPECT_EQ(image[3], 0);
  EXPECT_EQ(image[4], ReceiveTrace.entries[776].flag);
  EXPECT_EQ(image[5], ReceiveTrace.entries[776].byte);
  EXPECT_EQ(image[6], ReceiveTrace.entries[775].flag);
  EXPECT_EQ(image[7], ReceiveTrace.entries[775].byte);
  EXPECT_EQ(image[4 + 2 * 777], ReceiveTrace.entries[kTraceEntries - 1].flag);

  // Loaded around the same next index: the very same ring.
  std::vector<TraceEntry> loaded(kTraceEntries);
  EXPECT_EQ(LoadDebugData(image.data(), image.size(), loaded.data(), 777), kTraceEntries);
  for (int i = 0; i < kTraceEntries; ++i) ASSERT_TRUE(SameEntry(loaded[i], ReceiveTrace.entries[i])) << i;

  // Loaded around another next index: page 0 still shows the file's newest entries.
  std::vector<TraceEntry> other(kTraceEntries);
  LoadDebugData(image.data(), image.size(), other.data(), 40000);
  Cell a[kTracePageCells], b[kTracePageCells];
  for (int page : {0, 13, 24}) {
    RenderTracePage(ReceiveTrace.entries, 777, page, 0, a);
    RenderTracePage(other.data(), 40000, page, 0, b);
    for (int i = 0; i < kTracePageCells; ++i) {
      ASSERT_EQ(a[i].glyph, b[i].glyph) << page << ":" << i;
      ASSERT_EQ(a[i].attrClass, b[i].attrClass) << page << ":" << i;
    }
  }
}

TEST_F(IngressTest, ShortOrDamagedImagesLoadAsFarAsTheyGo) {
  FillRing(0);
  const std::vector<uint8_t> full = SaveDebugData(ReceiveTrace.entries, 0);
  const TraceEntry marker{9, 9};
  struct Case {
    const char* what;
    std::vector<uint8_t> image;
    int placed;
  };
  std::vector<uint8_t> truncated(full.begin(), full.begin() + 4 + 2 * 100 + 1);  // half an entry at the end
  std::vector<uint8_t> fewer = full;
  fewer[0] = 3, fewer[1] = 0;  // count 3, more data behind it
  std::vector<uint8_t> huge = full;
  huge[0] = 0xFF, huge[1] = 0xFF, huge[2] = 0xFF, huge[3] = 0x00;  // capped at 50,000
  huge.insert(huge.end(), 500, 0x41);
  std::vector<uint8_t> negative = full;
  negative[3] = 0x80;
  const Case cases[] = {
      {"header only", std::vector<uint8_t>(full.begin(), full.begin() + 4), 0},
      {"shorter than a header", std::vector<uint8_t>(full.begin(), full.begin() + 3), 0},
      {"empty", {}, 0},
      {"truncated", truncated, 100},
      {"count 3", fewer, 3},
      {"count too big", huge, kTraceEntries},
      {"negative count", negative, 0},
  };
  for (const Case& c : cases) {
    std::vector<TraceEntry> loaded(kTraceEntries, marker);
    EXPECT_EQ(LoadDebugData(c.image.data(), c.image.size(), loaded.data(), 0), c.placed) << c.what;
    int kept = 0;
    for (const TraceEntry& e : loaded) kept += SameEntry(e, marker);
    EXPECT_EQ(kept, kTraceEntries - c.placed) << c.what;
    if (c.placed > 0) {
      EXPECT_TRUE(SameEntry(loaded[kTraceEntries - 1], ReceiveTrace.entries[kTraceEntries - 1])) << c.what;
      EXPECT_TRUE(SameEntry(loaded[kTraceEntries - c.placed], ReceiveTrace.entries[kTraceEntries - c.placed]))
          << c.what;
    }
  }
}

TEST_F(IngressTest, SaveAndLoadFilesThroughTheViewer) {
  FeedChunk("older data ");
  FeedChunk("newest words");
  const std::string path = TempPath("trace_roundtrip.mif");
  ASSERT_TRUE(ToggleTraceViewer());
  ASSERT_EQ(SaveDebugDataFile(path.c_str()), nullptr);
  EXPECT_EQ(ReadFile(path), SaveDebugData(ReceiveTrace.entries, ReceiveTrace.next));

  // New traffic after the save; the loaded file still shows the old words.
  FeedChunk("something else entirely");
  TraceViewerOlder();
  ASSERT_EQ(LoadDebugDataFile(path.c_str()), nullptr);
  EXPECT_EQ(TraceViewer.page, 0);
  std::string tail;
  for (int i = kTracePageCells - 12; i < kTracePageCells; ++i) tail += static_cast<char>(TraceViewerCells()[i].glyph);
  EXPECT_EQ(tail, "newest words");

  // A file that cannot be opened drops the loaded trace: back to the live ring.
  EXPECT_STREQ(LoadDebugDataFile(TempPath("no_such_file.mif").c_str()), "Unable to read file");
  EXPECT_EQ(TraceViewer.loaded, nullptr);
  RenderTraceViewer();
  tail.clear();
  for (int i = kTracePageCells - 6; i < kTracePageCells; ++i) tail += static_cast<char>(TraceViewerCells()[i].glyph);
  EXPECT_EQ(tail, "tirely");

  EXPECT_STREQ(SaveDebugDataFile(TempPath("no_such_dir/x.mif").c_str()), "Unable to open file for writing");
  std::remove(path.c_str());
}

TEST_F(IngressTest, ReceivedDumpHoldsOnlyReceivedBytesOldestFirst) {
  Screen.WindowLevel = 1;
  FeedChunk("first ");
  const uint8_t sent[] = {'S', 'E', 'N', 'T'};
  TraceRecord(sent, 4, kTraceSent);
  const uint8_t negotiation[] = {255, 253, 24};
  TraceRecord(negotiation, 3, kTraceNegotiation);
  FeedChunk("second\x1b");
  const std::vector<uint8_t> dump = ReceivedDataDump(ReceiveTrace.entries, ReceiveTrace.next);
  const std::string text(dump.begin(), dump.end());
  ASSERT_EQ(text.substr(0, 12), "Moxel 4.23\r\n");
  // The never-written entries are received NULs and come first.
  EXPECT_EQ(text.size(), 12u + kTraceEntries - 7);
  EXPECT_EQ(text.substr(text.size() - 13), "first second\x1b");
  EXPECT_EQ(text.find("SENT"), std::string::npos);

  const std::string path = TempPath("debug.txt");
  ASSERT_TRUE(WriteReceivedDumpFile(path.c_str()));
  EXPECT_EQ(ReadFile(path), dump);
  std::remove(path.c_str());
  EXPECT_FALSE(WriteReceivedDumpFile(TempPath("no_such_dir/debug.txt").c_str()));
}

TEST(ReceivedDumpName, JoinsDirectoryDebugAndExtension) {
  EXPECT_EQ(ReceivedDumpFileName("C:\\work", "txt"), "C:\\work\\debug.txt");
  EXPECT_EQ(ReceivedDumpFileName("C:\\", "log"), "C:\\debug.log");
  EXPECT_EQ(ReceivedDumpFileName("D:\\x\\", ""), "D:\\x\\debug.txt");
}
