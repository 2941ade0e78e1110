// Timers of the main window, by number. Each belongs to one part of the program.
#pragma once

enum ShellTimer {
  kTimerTone = 1,        // next tone of the tone player
  kTimerMarquee = 2,     // host message line marquee (100 ms)
  kTimerBreak = 3,       // serial break (200 ms)
  kTimerCursor = 4,      // remembered cursor (900 ms)
  kTimerIdle = 5,        // text-block idle timer
  kTimerDdeLaunch = 6,   // DDE launch time-out
  kTimerMouseClick = 7,  // mouse click decision
  kTimerAuxRead = 8,     // auxiliary port host read
  kTimerDialLock = 9,    // dial directory lock
  kTimerSpinner = 10,    // busy spinner
  kTimerMessaging = 11,  // the next slice of an outbox file for the host
};
