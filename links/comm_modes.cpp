#include "comm_modes.h"

const CommMode kCommModes[] = {
    {"Not Set", -1, true, true, true},         {"Network-Telnet", 6, true, false, false},
    {"Proxy", 9, true, false, false},          {"Com1", 1, true, true, true},
    {"Com2", 2, true, true, true},             {"Com3", 3, true, true, true},
    {"Com4", 4, true, true, true},             {"Com5", 5, true, true, true},
    {"Com6", 10, true, true, true},            {"Com7", 11, true, true, true},
    {"Modem Pool 1", 7, false, true, false},   {"Modem Pool 2", 8, false, true, false},
};
const int kCommModeCount = sizeof kCommModes / sizeof kCommModes[0];

const SerialSpeed kSerialSpeeds[] = {
    {"Not Set", -1, 0},    {"  2400", 0, 2400},   {"  4800", 1, 4800},
    {"  9600", 2, 9600},   {" 14400", 4, 14400},  {" 19200", 3, 19200},
    {" 28800", 5, 28800},  {" 38400", 6, 38400},  {" 57600", 7, 57600},
};
const int kSerialSpeedCount = sizeof kSerialSpeeds / sizeof kSerialSpeeds[0];

int BaudForSpeedCode(int code) {
  for (const SerialSpeed& s : kSerialSpeeds)
    if (s.code == code && s.baud) return s.baud;
  return 9600;
}

const char* ModeText(int code) {
  for (const CommMode& m : kCommModes)
    if (m.code == code) return m.text;
  return nullptr;
}

bool IsTelnetMode(int code) { return code == 0 || code == 6; }
bool IsProxyMode(int code) { return code == 9 || code == 7 || code == 8; }
bool IsSerialMode(int code) { return SerialPortNumber(code) != 0; }

int SerialPortNumber(int code) {
  if (code >= 1 && code <= 5) return code;
  if (code == 10) return 6;
  if (code == 11) return 7;
  return 0;
}
