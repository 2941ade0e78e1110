// The auxiliary port: a second COM port for a local device (a scanner, a
// scale). The host writes text to it and may ask for one line back (ESC A);
// lines the device sends on its own go to the messaging outbox. Host
// downloads to ":AUX" write through AuxPortWriteSync.
#pragma once

#include <cstdint>

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
