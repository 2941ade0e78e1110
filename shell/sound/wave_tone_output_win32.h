// The tone player's output on Windows: timer 1 of the main window, the
// default wave-out device (8-bit mono PCM at 22,050 Hz, its completions
// posted to the main window as MM_WOM_DONE), Beep and MessageBeep.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "shell/sound/tone_player.h"

namespace tavix {

class WaveToneOutput : public ToneOutput {
 public:
  // What happened so far; read by the tests and the diagnostics.
  struct Counts {
    int deviceOpens = 0;
    int openFailures = 0;
    int blocksWritten = 0;
    int blocksFinished = 0;
    int beeps = 0;
    int defaultBeeps = 0;
  };

  // Timers and wave completions go to this window.
  void Attach(HWND window) { window_ = window; }
  HWND Window() const { return window_; }
  // The open device, or null; MM_WOM_DONE for any other device is not ours.
  HWAVEOUT Device() const { return device_; }
  const WAVEHDR* Header() const { return header_; }
  const Counts& Stats() const { return counts_; }

  void StartToneTimer(int milliseconds) override;
  void StopToneTimer() override;
  bool OpenWaveDevice() override;
  bool WaveDeviceOpen() const override { return device_ != nullptr; }
  bool WriteWaveBlock(const uint8_t* samples, int count) override;
  void FinishWaveBlock() override;
  void ResetWaveDevice() override;
  void CloseWaveDevice() override;
  bool Beep(int frequency, int milliseconds) override;
  void DefaultBeep() override;

 private:
  HWND window_ = nullptr;
  HWAVEOUT device_ = nullptr;
  WAVEHDR* header_ = nullptr;  // allocated on first use, freed with the device
  Counts counts_;
};

}  // namespace tavix
