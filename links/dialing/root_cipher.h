// The stored log-in password of a directory entry ([Root] k): each character
// XOR the key byte at its position (the key repeats), written as two
// upper-case hexadecimal digits. The key comes from the user's own password,
// read without regard to case.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The key of a user password: one byte per character, the first one computed
// for the last position. Empty for an empty password.
std::vector<uint8_t> RootKey(const std::string& userPassword);

// Enciphers password; false (nothing made) when the user password is empty
// and the password is not. An empty password gives an empty text.
bool EncipherRoot(const std::string& password, const std::string& userPassword, std::string* out);

// Deciphers a stored text; false when the user password is empty, the text
// holds anything but hexadecimal digit pairs, or a character falls outside
// 32-127. A trailing single digit is ignored.
bool DecipherRoot(const std::string& stored, const std::string& userPassword, std::string* out);
