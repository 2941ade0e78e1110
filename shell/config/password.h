// The configuration password scrambler. A scrambled password is a salt letter
// followed by one character per password character; only the first 8
// characters of a password count.
#pragma once

#include <string>

namespace tavix {

// Scrambles text with the given salt character (the first character of a
// stored scrambled password; '\0' when nothing is stored, which scrambles
// every text to "" so that an empty stored password accepts anything).
std::string scramble_password(const std::string& text, char salt);

// Scrambles a new password with a fresh salt.
std::string scramble_new_password(const std::string& text);

}  // namespace tavix
