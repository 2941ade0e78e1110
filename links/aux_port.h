// The auxiliary port: a second COM port for a local device (a scanner, a
// scale). The host writes text to it and may ask for one line back (ESC A);
// lines the device sends on its own go to the messaging outbox. Host
// downloads to ":AUX" write through AuxPortWriteSync.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>

#include "serial_system.h"

// Write bytes to the auxiliary port and wait until they are sent. When the
// port is closed it is opened first by its usual rules (messaging on, port and
// speed configured). A negative count means 1024 bytes. False when the port
// cannot be opened or not every byte was written; nothing is dropped silently.
bool AuxPortWriteSync(const uint8_t* bytes, int count);

// A transfer that wrote to the port is over: when AuxPortWriteSync had to
// open the port for it, close it again; a port that was open before stays.
void AuxPortReleaseAfterTransfer();

// Whether the auxiliary port is open.
bool AuxPortIsOpen();

constexpr unsigned kAuxReadMessage = 1032;  // WM_USER + 8, wParam the byte count
constexpr int kAuxReadTimer = 8;
constexpr int kAuxReadSize = 100;
constexpr int kAuxLineMax = 85;

// The settings the port is opened with ([Config] and [Message] keys).
struct AuxPortSettings {
  int port = -1;             // "Auxiliary port": a serial mode code
  int speed = -1;            // "Auxiliary speed"
  bool crTerminate = false;  // "Auxilary cr terminate": a 13 from the device ends a line
  bool read = true;          // "Auxiliary read": lines sent unasked go to the outbox
  bool messagingOn = false;  // messaging is enabled and has a directory
};

// What the port needs from the program around it.
struct AuxPortHooks {
  void (*writeHost)(const uint8_t* bytes, int count);  // through the host channel
  void (*startTimer)(int id, int milliseconds);
  void (*stopTimer)(int id);
  // Hold keyboard input back while the host waits for the device; true when
  // this read did hold it (the host was not holding it already).
  bool (*holdKeys)();
  // Replay what was held and clear the busy indicator.
  void (*releaseKeys)();
  void (*messageArrived)();  // message 1031: the outbox has a new file
  void (*unavailable)();     // "Auxiliary port unavailable"
  // A new outbox file's full name, or "" when there is none.
  std::string (*outboxFileName)();
};

// The control block of the auxiliary port for a speed code.
SerialSettings AuxSerialSettings(int speedCode);

// The process-wide auxiliary port. One instance, AuxiliaryPort; tests make
// their own over a fake port.
class AuxPort {
 public:
  ~AuxPort();
  void Attach(SerialSystem* system, const AuxPortHooks& hooks) {
    system_ = system;
    hooks_ = hooks;
  }
  void Configure(const AuxPortSettings& settings) { settings_ = settings; }
  const AuxPortSettings& settings() const { return settings_; }

  // Opens the port when the settings allow and it is not open (closing it
  // first when the port or speed changed). True when it is open afterwards.
  bool Open();
  void Close();
  bool IsOpen() const { return port_ != kNoPort; }

  // ESC A with a reply wanted: a host read of one line, ended by a line feed
  // or after the time-out.
  void StartHostRead(int seconds);
  bool HostReadActive() const { return readActive_; }
  // Timer 8.
  void HostReadTimedOut();
  // Message 1032.
  void DataArrived(uintptr_t wParam, intptr_t lParam);
  // Synchronous write of the bytes; false when the port is closed or not all
  // went out.
  bool Write(const uint8_t* bytes, int count);

  // The synchronous write for transfers and its release.
  bool WriteForTransfer(const uint8_t* bytes, int count);
  void ReleaseAfterTransfer();

 private:
  void Thread(int openNumber);
  void EndHostRead(bool withLine);
  void StartRead();
  void CloseEvents();
  void AppendToOutbox(const uint8_t* bytes, int count);
  void CloseOutbox();

  SerialSystem* system_ = nullptr;
  AuxPortHooks hooks_ = {};
  AuxPortSettings settings_;
  PortHandle port_ = kNoPort;
  int openedPort_ = -1, openedSpeed_ = -1;
  SerialIo readIo_, writeIo_;
  EventHandle stopEvent_ = kNoEvent;
  uint8_t receive_[kAuxReadSize] = {};
  std::thread thread_;
  int openNumber_ = 0;
  int readFailures_ = 0;
  bool readActive_ = false;
  bool keysHeld_ = false;
  char line_[kAuxLineMax] = {};
  int lineCount_ = 0;
  std::FILE* outbox_ = nullptr;
  bool openedForTransfer_ = false;
};

extern AuxPort AuxiliaryPort;
