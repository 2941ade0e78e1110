// The host's side of the terminal's file transfers: checksum blocks both ways,
// the text and hexadecimal streams.
#pragma once

#include <cstdint>
#include <string>

namespace hostsim {

// The block checksum: data byte i (from 1) times i, summed to 16 bits.
uint16_t blockChecksum(const std::string& data);

// A download block: the data, the checksum (low byte first) and the sequence
// byte, with bytes below 32, 240 and 255 escaped (240 and the byte + 32, 240
// 240, 240 "C"), then 13. `damaged` sends a wrong checksum.
std::string encodeDownloadBlock(const std::string& data, uint8_t sequence, bool damaged = false);

// An upload block as the terminal sends it (its final LF removed): escapes
// undone (240 and b: "A" 127, "B" 240, "C" 255, else b - 32), the checksum
// checked. False with a reason when the block is damaged.
bool decodeUploadBlock(const std::string& line, std::string& data, uint8_t& sequence, std::string& error);
// How 255 travelled in an upload block: raw, escaped, or not at all.
enum class Form255 { None, Raw, Escaped, Both };
Form255 form255(const std::string& line);

// A text download: CR travels as 127 and LF as 255; CR ends it.
std::string encodeTextStream(const std::string& content);
// A hexadecimal download: two digits a byte (upper and lower case mixed), CR ends it.
std::string encodeHexStream(const std::string& content);
// One line of a hexadecimal upload (without its CR).
bool decodeHexLine(const std::string& line, std::string& out);

}  // namespace hostsim
