// Roster.dll in process: start-up through the registry, the viewer thread's
// handshake with the recording stand-in of the helper library (and with the
// real helper.dll), the Java natives on the fake JNI environment, failures
// that must fail at once, idle work, several Java threads, and settings.
//
// Every test runs in a process of its own (the library's record lives as
// long as the process), so each starts from an untouched library.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "fake_helper/fake_helper.h"
#include "fake_jni.h"
#include "helper/interfaces/helper_interfaces.h"
#include "roster_dll.h"

#if !defined(ROSTER_DLL) || !defined(FAKE_HELPER_DIR) || !defined(NO_CONNECT_DIR) || !defined(REAL_HELPER_DLL)
#error "the build names Roster.dll and the helper libraries under test"
#endif

namespace {

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// A call that must come back: a hang fails the test instead of the run.
template <typename Call>
auto WithinSeconds(double seconds, Call call) -> decltype(call()) {
  auto result = std::async(std::launch::async, call);
  if (result.wait_for(std::chrono::duration<double>(seconds)) != std::future_status::ready) {
    std::fprintf(stderr, "a call into the roster library did not return within %.1f s\n", seconds);
    std::fflush(stderr);
    std::_Exit(4);
  }
  return result.get();
}

// A fresh profile folder (USERPROFILE) for the settings file.
std::string FreshProfile() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string folder = std::string(temp) + "roster-test-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string ini = folder + "\\Corvane\\corvane.ini";
  DeleteFileA(ini.c_str());
  RemoveDirectoryA((folder + "\\Corvane").c_str());
  return folder;
}

class RosterDllTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableA(kFakeHelperMode, nullptr);
    profile = FreshProfile();
    SetEnvironmentVariableA("USERPROFILE", profile.c_str());
    ASSERT_TRUE(SetStartup(WindowsPath(FAKE_HELPER_DIR)));
    ASSERT_TRUE(roster.Load(WindowsPath(ROSTER_DLL).c_str()));
  }

  // The stand-in's record, once the library has loaded it.
  bool Fake() {
    HMODULE m = GetModuleHandleA((WindowsPath(FAKE_HELPER_DIR) + "\\helper.dll").c_str());
    if (!m) return false;
    log = Lookup<FakeLogFn>(m, "FakeLog");
    idleCounts = Lookup<FakeIdleCountsFn>(m, "FakeIdleCounts");
    callbacks = Lookup<FakeCallbacksFn>(m, "FakeCallbacks");
    viewerThread = Lookup<FakeViewerThreadFn>(m, "FakeViewerThread");
    holdShow = Lookup<FakeHoldShowFn>(m, "FakeHoldShow");
    setIdleWork = Lookup<FakeSetIdleWorkFn>(m, "FakeSetIdleWork");
    return log && idleCounts && callbacks && viewerThread && holdShow && setIdleWork;
  }
  // The stand-in loaded before Roster does, to set it up first (the same
  // module the library then loads by the same path).
  bool PreloadFake() {
    return LoadLibraryA((WindowsPath(FAKE_HELPER_DIR) + "\\helper.dll").c_str()) && Fake();
  }
  std::string Log() {
    char text[65536];
    log(text, sizeof text);
    return text;
  }
  // Waits up to 5 s for the log to contain `line`.
  bool AwaitLog(const std::string& line) {
    for (int i = 0; i < 250; ++i) {
      if (Log().find(line) != std::string::npos) return true;
      Sleep(20);
    }
    return false;
  }

  RosterDll roster;
  FakeJni jni;
  std::string profile;
  FakeLogFn log = nullptr;
  FakeIdleCountsFn idleCounts = nullptr;
  FakeCallbacksFn callbacks = nullptr;
  FakeViewerThreadFn viewerThread = nullptr;
  FakeHoldShowFn holdShow = nullptr;
  FakeSetIdleWorkFn setIdleWork = nullptr;
};

const char kTestEntry[] = "add:c:\\images\\fax.tif|test description\n";

}  // namespace

TEST_F(RosterDllTest, TestFunctionConnectsClearsAddsOneEntryAndShows) {
  EXPECT_EQ(WithinSeconds(10, [&] { return roster.testFunction(); }), 0);
  ASSERT_TRUE(Fake());
  ASSERT_TRUE(AwaitLog("shown"));
  EXPECT_EQ(Log(), std::string("connect\nclear\n") + kTestEntry + "show\nshown\n");
  // The viewer lives on a thread of its own, with the hidden window.
  EXPECT_NE(viewerThread(), GetCurrentThreadId());
  HWND window = FindWindowA("RosterClass", "Roster");
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(GetWindowThreadProcessId(window, nullptr), viewerThread());
  EXPECT_NE(GetClassLongPtrA(window, GCL_STYLE) & CS_DBLCLKS, 0u);
  EXPECT_NE(GetWindowLongPtrA(window, GWL_STYLE) & WS_CLIPCHILDREN, 0);
  EXPECT_EQ(LoadedModulePath("helper.dll"), WindowsPath(FAKE_HELPER_DIR) + "\\helper.dll");
}

TEST_F(RosterDllTest, ClearAndAddReturnAfterTheViewerActedShowReturnsBefore) {
  ASSERT_TRUE(PreloadFake());
  holdShow(1);
  EXPECT_EQ(roster.clearList(jni.env(), jni.Object()), 0);
  EXPECT_EQ(Log(), "connect\nclear\n");  // the clear takes 150 ms: it was waited for
  EXPECT_EQ(roster.addName(jni.env(), jni.Object(), jni.String("a.png"), jni.String("first")), 0);
  EXPECT_EQ(Log(), "connect\nclear\nadd:a.png|first\n");
  EXPECT_EQ(WithinSeconds(5, [&] { return roster.showList(jni.env(), jni.Object()); }), 0);
  // Back while the viewer is still showing.
  ASSERT_TRUE(AwaitLog("show\n"));
  EXPECT_EQ(Log().find("shown"), std::string::npos);
  holdShow(0);
  EXPECT_TRUE(AwaitLog("shown\n"));
  EXPECT_EQ(Log().find("thread!"), std::string::npos) << "a viewer call came from another thread";
}

TEST_F(RosterDllTest, AddNameBeforeAnyClearCreatesTheListFirst) {
  EXPECT_EQ(roster.addName(jni.env(), jni.Object(), jni.String("b.tif"), jni.String("early")), 0);
  ASSERT_TRUE(Fake());
  EXPECT_EQ(Log(), "connect\nclear\nadd:b.tif|early\n");
  // Only once: a later clear is the caller's own.
  EXPECT_EQ(roster.addName(jni.env(), jni.Object(), jni.String("c.tif"), jni.String("")), 0);
  EXPECT_EQ(Log(), "connect\nclear\nadd:b.tif|early\nadd:c.tif|\n");
}

TEST_F(RosterDllTest, ShowListBeforeAnyClearCreatesTheListFirst) {
  EXPECT_EQ(roster.showList(jni.env(), jni.Object()), 0);
  ASSERT_TRUE(Fake());
  ASSERT_TRUE(AwaitLog("shown\n"));
  EXPECT_EQ(Log(), "connect\nclear\nshow\nshown\n");
}

TEST_F(RosterDllTest, EntriesAreCutToTheBufferAndOverlongPathsRefused) {
  const std::string path(200, 'p');
  const std::string description(300, 'd');
  EXPECT_EQ(roster.addName(jni.env(), jni.Object(), jni.String(path), jni.String(description)), 0);
  ASSERT_TRUE(Fake());
  EXPECT_NE(Log().find("add:" + path + "|" + description.substr(0, 58) + "\n"), std::string::npos) << Log();
  const std::string before = Log();
  // A path with no room for the separator, and one far longer than any entry.
  EXPECT_EQ(roster.addName(jni.env(), jni.Object(), jni.String(std::string(259, 'q')), jni.String("x")), 1);
  EXPECT_EQ(roster.addName(jni.env(), jni.Object(), jni.String(std::string(5000, 'r')), jni.String("x")), 1);
  EXPECT_EQ(Log(), before);
  // Null strings are empty texts.
  EXPECT_EQ(roster.addName(jni.env(), jni.Object(), jni.String("n.png"), nullptr), 0);
  EXPECT_EQ(roster.addName(jni.env(), jni.Object(), nullptr, nullptr), 0);
  EXPECT_NE(Log().find("add:n.png|\nadd:|\n"), std::string::npos) << Log();
  EXPECT_EQ(jni.LocalReferences(), 0);
}

TEST_F(RosterDllTest, AfterAJavaExceptionOnlyExceptionSafeCallsAndNoSecondConversion) {
  ASSERT_EQ(roster.clearList(jni.env(), jni.Object()), 0);
  jni.ClearCalls();
  EXPECT_EQ(roster.addName(jni.env(), jni.Object(), jni.String("bad", true), jni.String("never read")), 0);
  EXPECT_TRUE(jni.ExceptionPending());
  EXPECT_TRUE(jni.UnsafeCalls().empty()) << jni.UnsafeCalls().front();
  int conversions = 0;
  for (const std::string& call : jni.Calls()) conversions += call == "CallObjectMethod";
  EXPECT_EQ(conversions, 1);
  EXPECT_EQ(jni.LocalReferences(), 0);
  ASSERT_TRUE(Fake());
  EXPECT_NE(Log().find("add:|\n"), std::string::npos) << Log();
  // A description that raises: the path stays, the description is empty.
  FakeJni second;
  EXPECT_EQ(roster.addName(second.env(), second.Object(), second.String("ok.png"), second.String("bad", true)), 0);
  EXPECT_TRUE(second.ExceptionPending());
  EXPECT_TRUE(second.UnsafeCalls().empty()) << second.UnsafeCalls().front();
  EXPECT_EQ(second.LocalReferences(), 0);
  EXPECT_NE(Log().find("add:ok.png|\n"), std::string::npos) << Log();
}

TEST_F(RosterDllTest, MissingOrUnusableStartupFailsAndALaterCallLooksAgain) {
  RemoveStartup();
  // Nothing is started and the Java environment is not touched (its traps
  // would end the test).
  EXPECT_EQ(roster.addName(jni.env(), jni.Object(), jni.String("x"), jni.String("y")), 1);
  EXPECT_TRUE(jni.Calls().empty());
  EXPECT_EQ(GetModuleHandleA("helper.dll"), nullptr);
  // Of another type.
  ASSERT_TRUE(SetStartupAsNumber(7));
  EXPECT_EQ(roster.clearList(jni.env(), jni.Object()), 1);
  // A folder so long that "\helper.dll" does not fit behind it.
  ASSERT_TRUE(SetStartup("C:\\" + std::string(250, 'f')));
  EXPECT_EQ(roster.testFunction(), 1);
  // No profile folder to keep the settings in.
  ASSERT_TRUE(SetStartup(WindowsPath(FAKE_HELPER_DIR)));
  SetEnvironmentVariableA("USERPROFILE", nullptr);
  EXPECT_EQ(roster.showList(jni.env(), jni.Object()), 1);
  SetEnvironmentVariableA("USERPROFILE", (std::string(300, 'u')).c_str());
  EXPECT_EQ(roster.showList(jni.env(), jni.Object()), 1);
  EXPECT_EQ(GetModuleHandleA("helper.dll"), nullptr);
  // Mended: the next call starts the viewer.
  SetEnvironmentVariableA("USERPROFILE", profile.c_str());
  EXPECT_EQ(roster.clearList(jni.env(), jni.Object()), 0);
  ASSERT_TRUE(Fake());
  EXPECT_EQ(Log(), "connect\nclear\n");
}

namespace {

// Start-up that cannot connect: the first call and every later one fail,
// and none waits.
void ExpectFailsAtOnce(RosterDll& roster, FakeJni& jni) {
  EXPECT_EQ(WithinSeconds(10, [&] { return roster.clearList(jni.env(), jni.Object()); }), 1);
  const DWORD start = GetTickCount();
  EXPECT_EQ(WithinSeconds(5, [&] { return roster.showList(jni.env(), jni.Object()); }), 1);
  EXPECT_EQ(WithinSeconds(5, [&] { return roster.addName(jni.env(), jni.Object(), jni.String("a"), jni.String("b")); }), 1);
  EXPECT_EQ(WithinSeconds(5, [&] { return roster.testFunction(); }), 1);
  EXPECT_LT(GetTickCount() - start, 1000u);
  EXPECT_TRUE(jni.Calls().empty());
}

}  // namespace

TEST_F(RosterDllTest, NullFromConnectToHelperFails) {
  SetEnvironmentVariableA(kFakeHelperMode, "null");
  ExpectFailsAtOnce(roster, jni);
  ASSERT_TRUE(Fake());
  EXPECT_EQ(Log(), "connect\n");  // asked once, never again
}

TEST_F(RosterDllTest, ViewerThreadEndingInsideConnectFails) {
  SetEnvironmentVariableA(kFakeHelperMode, "exit");
  ExpectFailsAtOnce(roster, jni);
}

TEST_F(RosterDllTest, HelperWithoutConnectToHelperFails) {
  ASSERT_TRUE(SetStartup(WindowsPath(NO_CONNECT_DIR)));
  ExpectFailsAtOnce(roster, jni);
}

TEST_F(RosterDllTest, NoHelperLibraryInTheFolderFails) {
  ASSERT_TRUE(SetStartup(profile));  // a folder without helper.dll
  ExpectFailsAtOnce(roster, jni);
}

TEST_F(RosterDllTest, AViewerThreadThatEndedFailsLaterCallsAtOnce) {
  ASSERT_EQ(roster.clearList(jni.env(), jni.Object()), 0);
  ASSERT_TRUE(Fake());
  HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, viewerThread());
  ASSERT_NE(thread, nullptr);
  ASSERT_TRUE(PostThreadMessageA(viewerThread(), WM_QUIT, 0, 0));
  ASSERT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  CloseHandle(thread);
  EXPECT_EQ(WithinSeconds(5, [&] { return roster.showList(jni.env(), jni.Object()); }), 1);
  EXPECT_EQ(WithinSeconds(5, [&] { return roster.clearList(jni.env(), jni.Object()); }), 1);
}

namespace {

// Idle counts rise by one from 0 within a round; a round may start over at
// 0 when input came in (the system may send the thread messages too), and a
// settled thread's last round ended at the step that said "done" (3 here).
void ExpectIdleRounds(const std::vector<long>& counts, std::size_t from, long last) {
  ASSERT_LT(from, counts.size());
  EXPECT_EQ(counts[from], 0);
  for (std::size_t i = from + 1; i < counts.size(); ++i)
    EXPECT_TRUE(counts[i] == 0 || counts[i] == counts[i - 1] + 1) << "count " << counts[i] << " after " << counts[i - 1];
  EXPECT_EQ(counts.back(), last);
}

}  // namespace

TEST_F(RosterDllTest, IdleStepsCountUpUntilDoneThenTheThreadSleeps) {
  ASSERT_TRUE(PreloadFake());
  setIdleWork(3);
  ASSERT_EQ(roster.clearList(jni.env(), jni.Object()), 0);
  auto settle = [&] {
    // Until no idle call came for 300 ms (at most 5 s).
    int seen = idleCounts(nullptr, 0);
    for (int i = 0; i < 50; ++i) {
      Sleep(300);
      const int now = idleCounts(nullptr, 0);
      if (now == seen) break;
      seen = now;
    }
    std::vector<long> counts(static_cast<std::size_t>(seen));
    idleCounts(counts.data(), seen);
    return counts;
  };
  const std::vector<long> first = settle();
  ASSERT_GE(first.size(), 4u);
  ExpectIdleRounds(first, 0, 3);
  // Asleep now: a polling loop would have made thousands of idle calls.
  Sleep(500);
  EXPECT_EQ(idleCounts(nullptr, 0), static_cast<int>(first.size()));
  // Input wakes it: the message is offered to the viewer, then idle work
  // runs again from 0 until done.
  ASSERT_TRUE(PostThreadMessageA(viewerThread(), WM_APP + 7, 0, 0));
  ASSERT_TRUE(AwaitLog("pre:7\n"));
  const std::vector<long> after = settle();
  ASSERT_GE(after.size(), first.size() + 4);
  ExpectIdleRounds(after, first.size(), 3);
}

TEST_F(RosterDllTest, CallsFromSeveralJavaThreadsTakeTurns) {
  ASSERT_EQ(roster.clearList(jni.env(), jni.Object()), 0);
  constexpr int kThreads = 4, kEach = 20;
  std::vector<std::thread> threads;
  std::atomic<int> failures{0};
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      FakeJni own;  // each Java thread has its own environment
      for (int i = 0; i < kEach; ++i) {
        const std::string tag = std::to_string(t) + "-" + std::to_string(i);
        if (roster.addName(own.env(), own.Object(), own.String("path" + tag), own.String("description" + tag)) != 0)
          ++failures;
      }
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(failures.load(), 0);
  ASSERT_TRUE(Fake());
  const std::string text = Log();
  for (int t = 0; t < kThreads; ++t) {
    for (int i = 0; i < kEach; ++i) {
      const std::string tag = std::to_string(t) + "-" + std::to_string(i);
      EXPECT_NE(text.find("add:path" + tag + "|description" + tag + "\n"), std::string::npos) << tag;
    }
  }
  int adds = 0;
  for (std::size_t at = text.find("add:"); at != std::string::npos; at = text.find("add:", at + 1)) ++adds;
  EXPECT_EQ(adds, kThreads * kEach);
}

TEST_F(RosterDllTest, ViewerSettingsLiveInTheProfilesSettingsFile) {
  ASSERT_EQ(roster.clearList(jni.env(), jni.Object()), 0);
  ASSERT_TRUE(Fake());
  HelperToMoxel* settings = callbacks();
  ASSERT_NE(settings, nullptr);
  const std::string folder = profile + "\\Corvane";
  const std::string file = folder + "\\corvane.ini";
  // Nothing stored anywhere: the terminal's defaults.
  int x = 0, y = 0;
  settings->GetListPosition(&x, &y);
  EXPECT_EQ(x, -30000);
  EXPECT_EQ(y, -30000);
  EXPECT_EQ(settings->GetImageColWidth(), 100);
  EXPECT_EQ(settings->GetThumbView(), 1);
  // The first write makes the folder.
  EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
  settings->SetListSize(640, -480);
  settings->SetTopmost(5);
  char text[32];
  GetPrivateProfileStringA("SImaveView", "ListWidth", "", text, sizeof text, file.c_str());
  EXPECT_STREQ(text, "640");
  GetPrivateProfileStringA("SImaveView", "ListHeight", "", text, sizeof text, file.c_str());
  EXPECT_STREQ(text, "-480");
  GetPrivateProfileStringA("SImaveView", "Topmost", "", text, sizeof text, file.c_str());
  EXPECT_STREQ(text, "1");
  // The terminal's section is read (and never written) after the own one.
  WritePrivateProfileStringA("ImaveView", "ListX", "40", file.c_str());
  WritePrivateProfileStringA("ImaveView", "ListY", "-7", file.c_str());
  WritePrivateProfileStringA("SImaveView", "ListY", "12", file.c_str());
  WritePrivateProfileStringA("ImaveView", "ListWidth", "999", file.c_str());
  settings->GetListPosition(&x, &y);
  EXPECT_EQ(x, 40);
  EXPECT_EQ(y, 12);
  int w = 0, h = 0;
  settings->GetListSize(&w, &h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, -480);
  settings->SetListPosition(1, 2);
  GetPrivateProfileStringA("ImaveView", "ListX", "", text, sizeof text, file.c_str());
  EXPECT_STREQ(text, "40");
}

TEST_F(RosterDllTest, RealHelperLibraryFoundThroughStartup) {
  const std::string real = WindowsPath(REAL_HELPER_DLL);
  ASSERT_TRUE(SetStartup(FolderOfFile(real)));
  // Two entries, so that no viewer opens one by itself; TestFunction last:
  // its single entry may be opened at once, after the call has returned.
  EXPECT_EQ(WithinSeconds(10, [&] { return roster.clearList(jni.env(), jni.Object()); }), 0);
  EXPECT_EQ(LoadedModulePath("helper.dll"), real);
  EXPECT_EQ(roster.addName(jni.env(), jni.Object(), jni.String("c:\\none.png"), jni.String("x")), 0);
  EXPECT_EQ(roster.addName(jni.env(), jni.Object(), jni.String("c:\\none.tif"), jni.String("y")), 0);
  EXPECT_EQ(WithinSeconds(10, [&] { return roster.showList(jni.env(), jni.Object()); }), 0);
  EXPECT_EQ(WithinSeconds(10, [&] { return roster.testFunction(); }), 0);
}
