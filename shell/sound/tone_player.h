// The tone player: plays the host's bell and tunes one tone at a time from
// the tone queue, by the configured sound mode. It decides; a ToneOutput does
// (the wave-out device and timer 1 of the main window on Windows, a recorder
// in the tests). Everything runs on the main thread: the next tone starts when
// timer 1 fires or when a written wave block comes back.
#pragma once

#include <cstdint>
#include <memory>

#include "shell/sound/tone_queue.h"

namespace tavix {

// [Sound] "mode".
enum SoundMode : int {
  kSoundWindows = 0,  // square-wave blocks through the wave-out device
  kSoundPc = 1,       // the system's Beep with the frequency
  kSoundNone = 2,     // no tones: each becomes a default beep
};

// The sound mode a stored [Sound] "mode" value means: 0 and the unset -1
// (255 in the file) are Windows sounds, 1 the PC speaker, anything else none.
SoundMode SoundModeFromSetting(int setting);

class ToneOutput {
 public:
  virtual ~ToneOutput() = default;

  // Timer 1 of the main window: when it fires, call TonePlayer::NextTone.
  virtual void StartToneTimer(int milliseconds) = 0;
  virtual void StopToneTimer() = 0;

  // Opens the wave-out device unless it is open; false when it cannot be.
  virtual bool OpenWaveDevice() = 0;
  virtual bool WaveDeviceOpen() const = 0;
  // Prepares and writes one block (the samples stay valid until it returns);
  // when it returns, call TonePlayer::WaveBlockDone. False when not written.
  virtual bool WriteWaveBlock(const uint8_t* samples, int count) = 0;
  // The written block came back: release what writing it took.
  virtual void FinishWaveBlock() = 0;
  // Stops playback; the written block returns at once.
  virtual void ResetWaveDevice() = 0;
  virtual void CloseWaveDevice() = 0;

  // The system's Beep: waits until the tone has sounded. False on failure.
  virtual bool Beep(int frequency, int milliseconds) = 0;
  // The system's default beep (does not wait).
  virtual void DefaultBeep() = 0;
};

class TonePlayer {
 public:
  // After a tone could not be played (default beep instead).
  static constexpr int kRetryMs = 300;
  // Length units in milliseconds.
  static constexpr int kWindowsUnitMs = 150;
  static constexpr int kPcUnitMs = 75;

  explicit TonePlayer(ToneOutput& output) : output_(output) {}

  void SetMode(int setting) { mode_ = SoundModeFromSetting(setting); }
  SoundMode Mode() const { return mode_; }

  // Queues a tone (frequency 0: a rest) and starts the player when idle.
  // Ignored while stopping and for a length of 0 or less.
  void QueueTone(int32_t length, int32_t frequency);
  // Timer 1 fired (or a block returned): play the next tone or finish.
  void NextTone();
  // The wave block came back from the device.
  void WaveBlockDone();
  // Ends the sound once the current block is back (the queue is emptied).
  void StopSound();
  // Program end: stops at once, the device closed and the buffers freed.
  void Shutdown();

  bool Playing() const { return playing_; }
  bool BlockInFlight() const { return blockInFlight_; }
  bool Stopping() const { return stopping_; }
  bool HasSampleBuffer() const { return samples_ != nullptr; }
  int QueuedTones() const { return queue_.Count() / 2; }

 private:
  bool PlayTone(int32_t length, int32_t frequency);
  bool PlayWaveBlock(int units, int32_t frequency);
  void ReleaseDevice();

  ToneOutput& output_;
  SoundMode mode_ = kSoundWindows;
  ToneQueue queue_;
  std::unique_ptr<uint8_t[]> samples_;  // kSampleBufferBytes, while the device is open
  bool playing_ = false;
  bool blockInFlight_ = false;
  bool stopping_ = false;
};

}  // namespace tavix
