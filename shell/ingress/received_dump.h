// The received-data dump: a text file holding every byte received from the
// host that the trace still has, oldest first, after a one-line header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "receive_trace.h"

// "Moxel 4.23" CR LF, then the received bytes (flag 0) of the ring from the
// oldest entry (at next) to the newest; sent and negotiation bytes left out.
std::vector<uint8_t> ReceivedDataDump(const TraceEntry* ring, int next);

// The directory, a backslash unless it ends in one, "debug." and the
// extension ("txt" when none is configured).
std::string ReceivedDumpFileName(const std::string& directory, const std::string& extension);

// Create the file and write the dump of the live ring; false when the file
// could not be created or written (then nothing more happens).
bool WriteReceivedDumpFile(const char* path);
