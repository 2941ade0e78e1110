// Dialling a directory entry: the active connection settings it gives (a
// telnet host and port for a network entry, a dial command on the profile's
// port for a phone entry) and the record of the dialled entry the title and
// the stored log-in password use.
#pragma once

#include <string>

#include "dial_file.h"
#include "dial_profile.h"
#include "shell/config/config_block.h"

namespace tavix {
class VariantIni;
}

// The entry the current connection was dialled to. Owned by dial_entry.cpp.
struct DialledRecord {
  std::string name;      // shown in the title; empty when none
  std::string password;  // the entry's stored log-in password text (at most 39)
  bool viaProfile = false;
};
extern DialledRecord Dialled;

enum class DialOutcome {
  kConnect,         // the active settings are ready
  kNoDestination,   // no entry chosen
  kNumberTooLong,   // the dial command with its carriage return does not fit
  kHostTooLong,     // a host name longer than the 32 characters it may have
  kBadPort,         // "&port" that is not a port number 1-65535
};

struct ActiveSettings {
  tavix::ConfigBlock block;  // mode, host, speed, connect string...
  int port = 0;              // the TCP port of a proxy or modem-pool connection
};

constexpr size_t kStoredPasswordMax = 39;
constexpr size_t kHostMax = 32;

// Fills active (starting from the configured settings) and dialled for an
// entry; nothing is changed unless the answer is kConnect.
DialOutcome PrepareDial(const DirectoryEntry* entry, const DialProfile& profile, LocalCallRules& rules,
                        tavix::VariantIni& ini, const ActiveSettings& configured, ActiveSettings* active,
                        DialledRecord* dialled);

// The host, port and whether a port was given, of a network entry's text
// "host[:anything][&port]"; false for a port outside 1-65535.
bool ParseNetworkTarget(const std::string& text, std::string* host, int* port, bool* proxy);

// Entries whose name holds the text, without regard to case (the Dial
// dialog's "Search for:").
bool NameMatches(const std::string& name, const std::string& search);
