// The reserved words of the host's BASIC, in the table order the editor has
// always used (spellings kept exactly as the host's editor has them), and the
// case-insensitive lookup the colouring uses on every identifier.
#pragma once

#include <cstddef>

constexpr int kKeywordCount = 412;

// Entry `index` of the table (0-based), or null outside it.
const char* KeywordAt(int index);
// Length of entry `index`, 0 outside the table.
int KeywordLength(int index);

// The table entry a token names: the first entry (in table order) of the
// same length equal to the token without regard to ASCII case, or -1. The
// result is that of a linear search of the table; the lookup itself goes
// through an index built once, so a token costs a hash and one compare.
int FindKeyword(const char* token, size_t length);
