// The program's tone player on the real Windows services: timer 1 and the
// wave-out device's completions arrive at a hidden message-only window.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include "shell/main/shell_timers.h"
#include "shell/sound/tone_player_win32.h"

namespace {

// Every wait is bounded. The first wave-out open under Wine can take about
// 10 s where its audio service is slow to come up.
constexpr DWORD kLimitMs = 30000;

LRESULT CALLBACK SoundTestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerTone) {
    OnToneTimer();
    return 0;
  }
  if (message == MM_WOM_DONE) {
    OnWaveDone(wParam, lParam);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class SoundOnWine : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = SoundTestWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TavixSoundTest";
    RegisterClassA(&windowClass);  // already registered by an earlier test: fine
    window_ = CreateWindowExA(0, "TavixSoundTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr) << "CreateWindowEx error " << GetLastError();
    AttachSound(window_);
  }
  void TearDown() override {
    ShutDownSound();
    if (window_) DestroyWindow(window_);
  }

  // Dispatches the window's messages until the player is idle; false when it
  // still plays after limitMs. The elapsed time is left in elapsedMs.
  bool PumpUntilIdle(DWORD limitMs) {
    DWORD start = GetTickCount();
    while (SoundPlaying()) {
      elapsedMs = GetTickCount() - start;
      if (elapsedMs > limitMs) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    }
    elapsedMs = GetTickCount() - start;
    return true;
  }

  HWND window_ = nullptr;
  DWORD elapsedMs = 0;
};

TEST_F(SoundOnWine, ShortToneReturnsThroughTheWindowOrFallsBackToTheDefaultBeep) {
  SetSoundMode(0);
  const auto before = Sound.output.Stats();
  QueueSoundTone(1, 440);
  ASSERT_TRUE(SoundPlaying());
  ASSERT_TRUE(PumpUntilIdle(kLimitMs)) << "the tone was still playing after " << kLimitMs << " ms";
  const auto& after = Sound.output.Stats();
  if (after.deviceOpens > before.deviceOpens) {
    // A wave-out device: one block of 150 ms went out and came back.
    std::printf("wave-out device opened; block returned after %lu ms\n",
                static_cast<unsigned long>(elapsedMs));
    EXPECT_EQ(after.blocksWritten, before.blocksWritten + 1);
    EXPECT_EQ(after.blocksFinished, before.blocksFinished + 1);
    EXPECT_EQ(after.defaultBeeps, before.defaultBeeps);
  } else {
    // No device here: the tone became the default beep, the player waited
    // 300 ms, found the queue empty and ended.
    std::printf("no wave-out device (%u devices): default beep after %lu ms\n",
                waveOutGetNumDevs(), static_cast<unsigned long>(elapsedMs));
    EXPECT_EQ(after.openFailures, before.openFailures + 1);
    EXPECT_EQ(after.defaultBeeps, before.defaultBeeps + 1);
    EXPECT_EQ(after.blocksWritten, before.blocksWritten);
    EXPECT_GE(elapsedMs, 250u);
  }
  EXPECT_EQ(Sound.output.Device(), nullptr) << "the device stays open after the queue ran empty";
  EXPECT_FALSE(Sound.player.HasSampleBuffer());
}

TEST_F(SoundOnWine, ModeNoneBeepsOncePerToneThreeHundredMsApart) {
  SetSoundMode(2);
  const auto before = Sound.output.Stats();
  QueueSoundTone(1, 440);
  QueueSoundTone(1, 0);
  QueueSoundTone(1, 880);
  ASSERT_TRUE(PumpUntilIdle(kLimitMs));
  EXPECT_EQ(Sound.output.Stats().defaultBeeps, before.defaultBeeps + 3);
  EXPECT_EQ(Sound.output.Stats().deviceOpens, before.deviceOpens);
  // Three 300 ms waits after the three beeps (timers may run a little early).
  EXPECT_GE(elapsedMs, 800u);
}

TEST_F(SoundOnWine, ShutdownWithToneInFlightClosesTheDeviceAtOnce) {
  SetSoundMode(0);
  const int beepsBefore = Sound.output.Stats().defaultBeeps;
  QueueSoundTone(9, 440);
  QueueSoundTone(9, 440);
  // Let timer 1 start the first tone.
  DWORD start = GetTickCount();
  while (!Sound.player.BlockInFlight() && Sound.output.Stats().defaultBeeps == beepsBefore &&
         GetTickCount() - start < kLimitMs) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  if (!Sound.player.BlockInFlight()) {
    ASSERT_GT(Sound.output.Stats().defaultBeeps, beepsBefore) << "the first tone never started";
    GTEST_SKIP() << "no wave-out device under this Wine: the tone became the default beep";
  }
  ShutDownSound();
  EXPECT_EQ(Sound.output.Device(), nullptr);
  EXPECT_FALSE(SoundPlaying());
  // The device's late notice must find nothing to do.
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  EXPECT_FALSE(SoundPlaying());
}

}  // namespace
