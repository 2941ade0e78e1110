// Colour codes of the editor's roles and their resolution to colours: codes
// 0-15 pick one of the 16 custom colours all edit windows share, code 16 is
// the system colour for the role (the selection in inverse video). Also the
// checks applied to colour and font values read from the preferences.
#pragma once

#include "helper/interfaces/helper_interfaces.h"

constexpr int kAutomaticColour = 16;

// Default codes of the eight foreground and seven background roles.
extern const int kDefaultForeground[8];
extern const int kDefaultBackground[7];
// The 16 standard colours, the custom colours' defaults.
extern const COLORREF kStandardColours[16];

// A stored code outside 0-16 means automatic (16).
int SanitiseColourCode(int code);
// A stored custom colour keeps only its red, green and blue bytes.
COLORREF SanitiseCustomColour(unsigned long long stored);
// A stored point size of 0 or less, or above 72, gives 10.
int SanitisePointSize(int points);

// The colour of role `role` (0-7) for a foreground (or background) code.
// `window` and `windowText` are the system's window and window-text colours.
COLORREF ResolveForeground(int role, int code, const COLORREF custom[16], COLORREF window, COLORREF windowText);
// Role 7 has no background; it resolves like the plain text's.
COLORREF ResolveBackground(int role, int code, const COLORREF custom[16], COLORREF window, COLORREF windowText);

// The colours of all roles at once, compared so a view repaints only when
// something resolved differently (after a system colour change).
struct ResolvedColours {
  COLORREF foreground[8];
  COLORREF background[8];
  bool operator==(const ResolvedColours& o) const;
  bool operator!=(const ResolvedColours& o) const { return !(*this == o); }
};
ResolvedColours ResolveAll(const int foregroundCodes[8], const int backgroundCodes[7], const COLORREF custom[16],
                           COLORREF window, COLORREF windowText);
