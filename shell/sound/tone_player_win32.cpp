#include "shell/sound/tone_player_win32.h"

SoundService Sound;

void AttachSound(HWND mainWindow) { Sound.output.Attach(mainWindow); }

void SetSoundMode(int setting) { Sound.player.SetMode(setting); }

void QueueSoundTone(int length, int frequency) {
  // Without the main window there is no timer 1 to play it from: the player
  // would stay "playing" and every later bell would be ignored.
  if (!Sound.output.Window()) return;
  Sound.player.QueueTone(length, frequency);
}

bool SoundPlaying() { return Sound.player.Playing(); }

void OnToneTimer() { Sound.player.NextTone(); }

void OnWaveDone(WPARAM device, LPARAM header) {
  // Only our own block: a late notice from a device already closed is dropped.
  if (reinterpret_cast<HWAVEOUT>(device) != Sound.output.Device()) return;
  if (reinterpret_cast<const WAVEHDR*>(header) != Sound.output.Header()) return;
  Sound.player.WaveBlockDone();
}

void ShutDownSound() { Sound.player.Shutdown(); }
