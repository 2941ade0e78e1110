// The replies of the terminal's edit-session poll (ESC S G, ESC S B): one
// message from a program editor's window, framed "LETTER LENGTH , PAYLOAD CR"
// for the letters r d i c f v E V, or a fixed text up to CR ("es", "ew",
// "ev", "ea", "C"), or the session form "s", one byte, CR.
#pragma once

#include <cstddef>
#include <string>

#include "screen_dump.h"

namespace hostsim {

// Decodes the message at the start of `wire`. Complete: `message` holds it
// without its final CR and `consumed` its length on the wire. Incomplete:
// more bytes are needed. Malformed: `error` says why.
DumpStatus decodeEditMessage(const std::string& wire, std::string& message, size_t& consumed,
                             std::string& error);

// The text block that goes with the `block` commands: ESC T, the head, LF,
// each line of `lines` ended by CR LF, ETX, then the trailer: "0" LF, or with
// `counted` "0,0,1,N" LF, N being the bytes of the lines.
std::string textBlockBytes(const std::string& head, const std::string& lines, bool counted);

}  // namespace hostsim
