#include "shell/sound/wave_tone_output_win32.h"

#include <new>

#include "shell/main/shell_timers.h"
#include "shell/sound/tone_samples.h"

namespace tavix {

void WaveToneOutput::StartToneTimer(int milliseconds) {
  SetTimer(window_, kTimerTone, static_cast<UINT>(milliseconds), nullptr);
}

void WaveToneOutput::StopToneTimer() { KillTimer(window_, kTimerTone); }

bool WaveToneOutput::OpenWaveDevice() {
  if (device_) return true;
  if (!header_) {
    header_ = new (std::nothrow) WAVEHDR{};
    if (!header_) return false;
  }
  WAVEFORMATEX format = {};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = kWaveSampleRate;
  format.nAvgBytesPerSec = kWaveSampleRate;
  format.nBlockAlign = 1;
  format.wBitsPerSample = 8;
  HWAVEOUT device = nullptr;
  MMRESULT result = waveOutOpen(&device, WAVE_MAPPER, &format,
                                reinterpret_cast<DWORD_PTR>(window_), 0, CALLBACK_WINDOW);
  if (result != MMSYSERR_NOERROR) {
    ++counts_.openFailures;
    return false;
  }
  device_ = device;
  ++counts_.deviceOpens;
  return true;
}

bool WaveToneOutput::WriteWaveBlock(const uint8_t* samples, int count) {
  if (!device_ || !header_) return false;
  *header_ = WAVEHDR{};
  header_->lpData = reinterpret_cast<LPSTR>(const_cast<uint8_t*>(samples));
  header_->dwBufferLength = static_cast<DWORD>(count);
  if (waveOutPrepareHeader(device_, header_, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) return false;
  if (waveOutWrite(device_, header_, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
    waveOutUnprepareHeader(device_, header_, sizeof(WAVEHDR));
    return false;
  }
  ++counts_.blocksWritten;
  return true;
}

void WaveToneOutput::FinishWaveBlock() {
  if (!device_ || !header_) return;
  waveOutUnprepareHeader(device_, header_, sizeof(WAVEHDR));
  ++counts_.blocksFinished;
}

void WaveToneOutput::ResetWaveDevice() {
  if (device_) waveOutReset(device_);
}

void WaveToneOutput::CloseWaveDevice() {
  if (device_) waveOutClose(device_);
  device_ = nullptr;
  delete header_;
  header_ = nullptr;
}

bool WaveToneOutput::Beep(int frequency, int milliseconds) {
  ++counts_.beeps;
  // Beep takes 37 Hz .. 32,767 Hz; it fails (and the caller beeps the default
  // way) for anything else the host may send.
  if (frequency < 37 || frequency > 32767) return false;
  return ::Beep(static_cast<DWORD>(frequency), static_cast<DWORD>(milliseconds)) != 0;
}

void WaveToneOutput::DefaultBeep() {
  ++counts_.defaultBeeps;
  MessageBeep(MB_OK);
}

}  // namespace tavix
