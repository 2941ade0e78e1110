// The communications modes and the serial speed table.
#pragma once

struct CommMode {
  const char* text;
  int code;
  bool inCommsDialog;
  bool inDialingProfile;
  bool inAuxPortList;
};

extern const CommMode kCommModes[];
extern const int kCommModeCount;

struct SerialSpeed {
  const char* text;
  int code;
  int baud;
};

extern const SerialSpeed kSerialSpeeds[];
extern const int kSerialSpeedCount;

// The baud rate of a speed code; a code not in the table gives 9600.
int BaudForSpeedCode(int code);
// The text of a mode code, or null.
const char* ModeText(int code);
// Modes that connect over telnet (0 counts as 6), serial modes, modem pools.
bool IsTelnetMode(int code);
bool IsProxyMode(int code);
bool IsSerialMode(int code);
// COM port number 1-7 of a serial mode, 0 for others.
int SerialPortNumber(int code);
