#include "pc.h"

#include "comm_modes.h"

_windows_pc WindowsPc;

bool _windows_pc::channel_configured(int mode, const char* host, int speed) {
  if (mode == 0 || mode == 6 || mode == 9) return host && host[0];
  if (IsSerialMode(mode)) return speed >= 0;
  return false;
}
