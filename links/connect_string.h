// The connect string a modem pool is sent after connecting, kept in caret
// notation in a 79-character field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kConnectStringMax = 79;
constexpr size_t kConnectStringFieldSize = kConnectStringMax + 1;

// Copy a configured text into the field: at most 79 characters, always ended
// by a zero.
void CopyConnectString(char (&field)[kConnectStringFieldSize], const char* text);

// Decode caret notation: "^^" is one caret, "^c" is the byte (upper-case of c)
// - 64, a lone caret at the end is dropped, anything else is taken as it is.
// Only the first 79 characters count.
std::vector<uint8_t> DecodeConnectString(const std::string& text);
