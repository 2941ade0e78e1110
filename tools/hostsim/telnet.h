// Telnet framing between the simulated host and the terminal.
#pragma once

#include <cstddef>
#include <string>

namespace hostsim {

// Splits what the terminal sends into data bytes and telnet control bytes:
// IAC IAC is one data byte 255; IAC with a negotiation verb and its option,
// a subnegotiation up to IAC SE and any other IAC command go to `control`
// as they arrived, so a script can look for "IAC WONT 24" there.
class TelnetDecoder {
public:
    void feed(const char* bytes, size_t count, std::string& data, std::string& control);
    void reset() { state_ = Data; }

private:
    enum State { Data, Iac, Option, Sub, SubIac };
    State state_ = Data;
};

// The bytes as they go on the wire: every 255 doubled.
std::string doubleIac(const std::string& data);

}  // namespace hostsim
