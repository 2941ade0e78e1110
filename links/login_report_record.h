// The login report's wire records and the choice of its server. The report
// thread sends one record per connection: the message length in two bytes
// (low byte first), the message, two zero bytes. A message is the code ("LI"
// or "LO"), its argument, byte 254, the PC identity, byte 254 and the window
// title.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kLoginTextMax = 200;  // the host's log-in announcement
constexpr uint8_t kReportSeparator = 254;

// "LI" with the announcement text (at most 200 characters).
std::vector<uint8_t> LoginMessage(const std::string& announcement, const std::string& identity,
                                  const std::string& title);
// "LO" with an empty argument.
std::vector<uint8_t> LogoutMessage(const std::string& identity, const std::string& title);
// The record on the wire. A message longer than a two-byte length can say is
// cut to 65,535 bytes.
std::vector<uint8_t> FrameReportRecord(const std::vector<uint8_t>& message);

// The PC identity: dotted address, "~", process id.
std::string ReportIdentity(const std::string& dottedAddress, unsigned long processId);

// Four decimal octets 0-255 separated by dots, nothing else.
bool ParseDottedAddress(const std::string& text, uint8_t out[4]);

// The [Report] section of corvane.gdl.
struct ReportServerSettings {
  std::string intIp;
  int intPort = 0;
  std::string extIp;
  int extPort = 0;
};

// Read [Report] "Int ip", "Int port", "Ext ip", "Ext port" from the file's
// text (section and key names in any case; missing keys stay empty or 0;
// ports are decimal).
ReportServerSettings ParseReportSettings(const std::string& gdlText);

struct ReportServer {
  uint8_t address[4];
  int port;
};

// The internal server when "Int ip" is valid and shares its first two octets
// with the PC's address; else the external one. False when the chosen
// external address is not valid: then nothing is reported.
bool ChooseReportServer(const ReportServerSettings& settings, const uint8_t pcAddress[4],
                        ReportServer* server);

// The pending-message slot the GUI thread and the report thread share. Every
// function here is called with the report mutex held; none blocks.
struct LoginReportSlot {
  std::vector<uint8_t> message;  // the pending message, empty = none
  int pendingState = 0;          // 1 = logged in
  int lastSentState = 0;
  uint32_t generation = 0;       // counts queued messages
};

constexpr long kReportRepeatMs = 300000;  // while logged in
constexpr long kReportRetryMs = 120000;   // after a failure
constexpr long kReportWaitForever = -1;

// GUI thread: a new message replaces the pending one.
void QueueReport(LoginReportSlot& slot, std::vector<uint8_t> message, int state);
// GUI thread: a logout report is due on a log-out announcement or a
// disconnect when the server was told of a login, or a login still waits to
// be told (then the pending login is withdrawn instead of reaching the server
// after the user has gone).
bool LogoutReportDue(const LoginReportSlot& slot);

// Report thread, before connecting: how long to wait after this delivery.
long ReportTimeout(const LoginReportSlot& slot);

struct TakenReport {
  bool taken = false;
  std::vector<uint8_t> message;
  uint32_t generation = 0;
  int previousLastSent = 0;
};
// Report thread, connected: take the message out when the state is logged
// in or differs from the last one sent.
TakenReport TakeReport(LoginReportSlot& slot);
// Report thread, after sending: the taken message goes back into the slot
// unless a newer one arrived meanwhile. When the send failed, the state counts
// as not sent (so a logout is tried again rather than lost).
void ReturnReport(LoginReportSlot& slot, TakenReport taken, bool sendFailed);
