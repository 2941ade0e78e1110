// The program's tone player: one record, owned by tone_player_win32.cpp, and
// the calls the main window makes into it.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "shell/sound/tone_player.h"
#include "shell/sound/wave_tone_output_win32.h"

struct SoundService {
  tavix::WaveToneOutput output;
  tavix::TonePlayer player{output};
};

extern SoundService Sound;

// Start-up, once the main window exists: timer 1 and MM_WOM_DONE go to it.
void AttachSound(HWND mainWindow);
// Start-up and the "Sounds" menu: the [Sound] "mode" setting.
void SetSoundMode(int setting);
// The engine's tones (EngineShell::QueueTone and TonePlaying).
void QueueSoundTone(int length, int frequency);
bool SoundPlaying();
// WM_TIMER with timer 1.
void OnToneTimer();
// MM_WOM_DONE: wParam is the device, lParam the returned header.
void OnWaveDone(WPARAM device, LPARAM header);
// Shut-down: stop the sound and close the wave-out device.
void ShutDownSound();
