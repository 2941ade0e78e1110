// The host's passes over the global directory: each change's reply and the
// file a pass leaves, the lock held elsewhere, its expiry and a disconnect in
// the middle of a pass, a commit that fails; and the same through the parser.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "dial_service.h"
#include "engine.h"
#include "gdl_pass.h"
#include "memory_gdl_store.h"
#include "recording_shell.h"
#include "shell/config/ini_memory.h"

namespace {

// Fields are separated by 0xFD.
std::string Line(const std::string& name, const std::string& phone, const std::string& net = "0") {
  return name + "\xFD" + phone + "\xFD" + net + "\xFD";
}

const std::string kThree = Line("Alpha", "100") + "\r\n" + Line("Beta", "200") + "\r\n" + Line("Gamma", "300") + "\r\n";

struct Step {
  char which;
  std::string text;
  char reply;
};

struct PassCase {
  const char* what;
  std::string original;
  std::vector<Step> steps;
  std::string result;
};

TEST(GdlPass, PassesGiveTheirRepliesAndRewriteTheDirectory) {
  const std::string a = Line("Alpha", "100") + "\r\n", b = Line("Beta", "200") + "\r\n",
                    c = Line("Gamma", "300") + "\r\n";
  const PassCase cases[] = {
      {"update and delete", kThree, {{'U', "2," + Line("Bravo", "222"), '0'}, {'D', "3", '0'}},
       a + Line("Bravo", "222") + "\r\n"},
      {"add before line 1", kThree, {{'A', "1," + Line("Zero", "0"), '0'}}, Line("Zero", "0") + "\r\n" + kThree},
      {"add after the last line appends", kThree, {{'A', "4," + Line("Delta", "400"), '0'}},
       kThree + Line("Delta", "400") + "\r\n"},
      {"add and update at one line", kThree, {{'A', "2,New", '0'}, {'U', "2,Beta2", '0'}},
       a + "New\r\nBeta2\r\n" + c},
      {"numbers are the original lines", kThree, {{'D', "1", '0'}, {'U', "3,Third", '0'}}, b + "Third\r\n"},
      {"beyond the end", kThree, {{'A', "5,x", '2'}, {'U', "4,x", '2'}, {'D', "4", '1'}}, kThree},
      {"not a positive decimal", kThree,
       {{'U', "0,x", '2'}, {'U', "-1,x", '2'}, {'U', "x1,x", '2'}, {'U', ",x", '2'}, {'D', "", '1'},
        {'U', " 2,x", '2'}, {'D', "2x", '1'}, {'U', "99999999999999999999,x", '2'}},
       kThree},
      {"behind the pass", kThree, {{'U', "2,B", '0'}, {'U', "1,A", '2'}, {'D', "2", '1'}}, a + "B\r\n" + c},
      {"an unterminated last line", "one\r\ntwo", {{'A', "3,three", '0'}}, "one\r\ntwo\r\nthree\r\n"},
      {"copied lines stay as they were", "one\r\ntwo", {{'U', "1,ONE", '0'}}, "ONE\r\ntwo"},
      {"line feeds alone", "a\nb\n", {{'U', "1,X\r", '0'}}, "X\r\nb\n"},
      {"a new directory", "", {{'A', "1,first", '0'}, {'A', "1,second", '0'}}, "first\r\nsecond\r\n"},
  };
  for (const PassCase& pc : cases) {
    MemoryGdlStore store;
    FakeDialLock lock;
    store.directory = pc.original;
    GdlPass pass(store, lock);
    for (const Step& s : pc.steps)
      EXPECT_EQ(pass.Change(s.which, s.text.c_str()), s.reply) << pc.what << ": " << s.which << " " << s.text;
    EXPECT_TRUE(lock.held) << pc.what;
    pass.Finish();
    EXPECT_EQ(store.directory, pc.result) << pc.what;
    EXPECT_FALSE(lock.held) << pc.what;
    EXPECT_FALSE(lock.timerRunning) << pc.what;
    EXPECT_EQ(lock.timerStarts, static_cast<int>(pc.steps.size())) << pc.what << ": 180 s again at each change";
  }
}

TEST(GdlPass, LockedElsewhereChangesNothing) {
  MemoryGdlStore store;
  FakeDialLock lock;
  store.directory = kThree;
  lock.elsewhere = true;
  GdlPass pass(store, lock);
  EXPECT_EQ(pass.Change('A', "1,x"), '1');
  EXPECT_EQ(pass.Change('U', "1,x"), '1');
  EXPECT_EQ(pass.Change('D', "1"), '2') << "delete swaps the codes";
  pass.Finish();
  EXPECT_FALSE(store.working);
  EXPECT_EQ(store.commits, 0);
  EXPECT_EQ(store.directory, kThree);
  tavix::MemoryIni sections;
  DialDirectoryService service(pass, lock, sections, [] { return std::string("6.2.9200"); });
  EXPECT_STREQ(service.DialFileVersion(), "=NA");
  lock.elsewhere = false;
  sections.write_string("Version", "Version", "GDL-17");
  EXPECT_STREQ(service.DialFileVersion(), "GDL-17");
  EXPECT_STREQ(service.OsVersion(), "6.2.9200\r");
  EXPECT_STREQ(service.DialServiceReply(), "0\r");
}

TEST(GdlPass, ALockThatRunsOutAbandonsThePassUntilItsFinish) {
  MemoryGdlStore store;
  FakeDialLock lock;
  store.directory = kThree;
  GdlPass pass(store, lock);
  EXPECT_EQ(pass.Change('U', "1,A"), '0');
  pass.Expired();
  EXPECT_FALSE(lock.held) << "the lock is given up";
  EXPECT_FALSE(store.working) << "the work file is dropped";
  // Another terminal may take the directory now; this pass's rest must not
  // land in it.
  EXPECT_EQ(pass.Change('U', "2,B"), '1');
  EXPECT_EQ(pass.Change('D', "3"), '2');
  pass.Finish();
  EXPECT_EQ(store.directory, kThree);
  EXPECT_EQ(store.commits, 0);
  // The next pass starts afresh.
  EXPECT_EQ(pass.Change('U', "2,B"), '0');
  pass.Finish();
  EXPECT_EQ(store.directory, Line("Alpha", "100") + "\r\nB\r\n" + Line("Gamma", "300") + "\r\n");
}

TEST(GdlPass, ADisconnectOrAFailedCommitKeepsTheDirectory) {
  MemoryGdlStore store;
  FakeDialLock lock;
  store.directory = kThree;
  GdlPass pass(store, lock);
  EXPECT_EQ(pass.Change('D', "1"), '0');
  pass.Abandon();
  EXPECT_FALSE(lock.held);
  EXPECT_EQ(store.directory, kThree);
  EXPECT_EQ(pass.Change('D', "2"), '0') << "a new connection's pass is not refused";
  store.commitFails = true;
  pass.Finish();
  EXPECT_EQ(store.directory, kThree);
  EXPECT_FALSE(store.working);
  EXPECT_FALSE(lock.held);
}

TEST(GdlPass, FilesAreReplacedInOneStep) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("tavix-gdl-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::create_directories(dir);
  const std::string gdl = (dir / "corvane.gdl").string(), work = (dir / "gdltemp1.tmp").string();
  {
    std::FILE* f = std::fopen(gdl.c_str(), "wb");
    std::fputs(kThree.c_str(), f);
    std::fclose(f);
  }
  FileGdlStore store(gdl, work);
  FakeDialLock lock;
  GdlPass pass(store, lock);
  EXPECT_EQ(pass.Change('U', "2,B"), '0');
  EXPECT_TRUE(fs::exists(work));
  pass.Finish();
  EXPECT_FALSE(fs::exists(work));
  std::string text;
  ASSERT_TRUE(store.ReadDirectory(&text));
  EXPECT_EQ(text, Line("Alpha", "100") + "\r\nB\r\n" + Line("Gamma", "300") + "\r\n");
  fs::remove_all(dir);
}

// The same through the parser, as the host sends it.
TEST(GdlPass, HostSequencesReachTheDirectory) {
  RecordingShell shell;
  shell.Attach();
  MemoryGdlStore store;
  FakeDialLock lock;
  store.directory = kThree;
  GdlPass pass(store, lock);
  tavix::MemoryIni sections;
  sections.write_string("Version", "Version", "7");
  DialDirectoryService service(pass, lock, sections, [] { return std::string("10.0.19043"); });
  EngineContext context = Engine;
  context.dialing = &service;
  AttachEngine(context);
  const std::string host = "\x1bGU2,Bravo\xFD" "222\xFD" "0\xFD\n\x1bGD3\n\x1bGD9\n\x1bGF\x1b" "DV\n\x1bGV\n\x1bGW\n";
  ParseBytes(reinterpret_cast<const uint8_t*>(host.data()), host.size());
  EXPECT_EQ(shell.sent, "001" "7\r" "10.0.19043\r" "0\r");
  EXPECT_EQ(store.directory, Line("Alpha", "100") + "\r\n" + Line("Bravo", "222") + "\r\n");
  DetachEngine();
}

}  // namespace
