#include "shell/sound/tone_player.h"

#include <new>

#include "shell/sound/tone_samples.h"

namespace tavix {

SoundMode SoundModeFromSetting(int setting) {
  switch (setting) {
    case 0:
    case -1:
    case 255:
      return kSoundWindows;
    case 1:
      return kSoundPc;
    default:
      return kSoundNone;
  }
}

void TonePlayer::QueueTone(int32_t length, int32_t frequency) {
  if (stopping_) return;
  // The host sets the bell's length freely: nothing to play for none.
  if (length <= 0) return;
  if (!playing_) {
    playing_ = true;
    // The first tone starts from the timer, never inside the host's data.
    output_.StartToneTimer(1);
  }
  queue_.PutTone(length, frequency);  // a full queue loses the tone
}

void TonePlayer::NextTone() {
  output_.StopToneTimer();
  // The one sample buffer is still being played: its return goes on.
  if (blockInFlight_) return;
  int32_t length = 0;
  int32_t frequency = 0;
  if (!queue_.TakeTone(&length, &frequency)) {
    StopSound();
    playing_ = false;
    return;
  }
  if (!PlayTone(length, frequency)) {
    output_.StartToneTimer(kRetryMs);
    output_.DefaultBeep();
  }
}

bool TonePlayer::PlayTone(int32_t length, int32_t frequency) {
  if (mode_ == kSoundNone) return false;
  int units = ClampToneLength(length);
  if (units == 0) {
    output_.StartToneTimer(1);
    return true;
  }
  int unitMs = mode_ == kSoundPc ? kPcUnitMs : kWindowsUnitMs;
  if (frequency == 0) {
    output_.StartToneTimer(unitMs * units);
    return true;
  }
  if (mode_ == kSoundPc) {
    // Beep waits until the tone is over; the clamp keeps that short.
    if (!output_.Beep(frequency, kPcUnitMs * units)) return false;
    output_.StartToneTimer(1);
    return true;
  }
  return PlayWaveBlock(units, frequency);
}

bool TonePlayer::PlayWaveBlock(int units, int32_t frequency) {
  if (!output_.OpenWaveDevice()) return false;
  if (!samples_) {
    samples_.reset(new (std::nothrow) uint8_t[kSampleBufferBytes]);
    if (!samples_) return false;
  }
  int count = WaveBlockSamples(units);
  FillSquareWave(samples_.get(), count, frequency);
  if (!output_.WriteWaveBlock(samples_.get(), count)) return false;
  blockInFlight_ = true;
  return true;
}

void TonePlayer::WaveBlockDone() {
  if (!blockInFlight_) return;  // a late notice after Shutdown
  output_.FinishWaveBlock();
  blockInFlight_ = false;
  NextTone();
}

void TonePlayer::StopSound() {
  if (blockInFlight_) {
    // The block comes back through WaveBlockDone, which then finds the
    // queue empty and ends the sound.
    stopping_ = true;
    queue_.Clear();
    output_.ResetWaveDevice();
    return;
  }
  stopping_ = false;
  ReleaseDevice();
}

void TonePlayer::Shutdown() {
  output_.StopToneTimer();
  queue_.Clear();
  if (blockInFlight_) {
    // After a reset the device has handed the block back already.
    output_.ResetWaveDevice();
    output_.FinishWaveBlock();
    blockInFlight_ = false;
  }
  stopping_ = false;
  playing_ = false;
  ReleaseDevice();
}

void TonePlayer::ReleaseDevice() {
  if (output_.WaveDeviceOpen()) output_.CloseWaveDevice();
  samples_.reset();
}

}  // namespace tavix
