// The modem dial command for a phone number under a dialing profile: access
// digits, the area-code and exchange rules of the method, the long-distance
// prefix or the calling-card sequence.
#pragma once

#include <cstddef>
#include <string>

#include "dial_profile.h"

// Builds the dial string of number into *out. With full it starts with the
// profile's "Dialstring" and ends with "^M" (the caret pair of a carriage
// return). The text with its terminating zero must fit in size bytes: when it
// does not, nothing is built and the answer is false, since a cut number
// would dial somebody else.
bool BuildDialString(const DialProfile& profile, LocalCallRules& rules, const std::string& number, bool full,
                     size_t size, std::string* out);
