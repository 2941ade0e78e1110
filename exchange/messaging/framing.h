// The bytes that frame what PC messaging sends the host: a name or text and
// its contents end with 254, and a line of the contents ends with 253. An
// item that holds either byte itself cannot be framed: the rest of it would
// reach the host as typed input, so it is never sent.
#pragma once

#include <cstdint>
#include <string>

constexpr uint8_t kMessageFieldEnd = 254;
constexpr uint8_t kMessageLineEnd = 253;

// True when the bytes hold neither 253 nor 254.
bool FramingSafe(const std::string& bytes);
// The contents as the host receives them: carriage returns dropped, line
// feeds as 253, then the closing 254.
std::string MessageContentBytes(const std::string& contents);
