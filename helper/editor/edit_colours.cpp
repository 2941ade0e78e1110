#include "edit_colours.h"

#include "edit_syntax.h"

namespace {
constexpr COLORREF Rgb(unsigned r, unsigned g, unsigned b) {
  return static_cast<COLORREF>(r | (g << 8) | (b << 16));
}
}  // namespace

const int kDefaultForeground[8] = {16, 16, 16, 14, 16, 16, 3, 10};
const int kDefaultBackground[7] = {16, 16, 12, 16, 15, 3, 16};
const COLORREF kStandardColours[16] = {
    Rgb(0, 0, 0),     Rgb(255, 255, 255), Rgb(128, 0, 0),   Rgb(0, 128, 0),   Rgb(128, 128, 0),   Rgb(0, 0, 128),
    Rgb(128, 0, 128), Rgb(0, 128, 128),   Rgb(192, 192, 192), Rgb(128, 128, 128), Rgb(255, 0, 0), Rgb(0, 255, 0),
    Rgb(255, 255, 0), Rgb(0, 0, 255),     Rgb(255, 0, 255), Rgb(0, 255, 255)};

int SanitiseColourCode(int code) { return code >= 0 && code <= kAutomaticColour ? code : kAutomaticColour; }

COLORREF SanitiseCustomColour(unsigned long long stored) { return static_cast<COLORREF>(stored & 0xFFFFFFu); }

int SanitisePointSize(int points) { return points > 0 && points <= 72 ? points : 10; }

COLORREF ResolveForeground(int role, int code, const COLORREF custom[16], COLORREF window, COLORREF windowText) {
  code = SanitiseColourCode(code);
  if (code < kAutomaticColour) return custom[code];
  return role == kRoleSelection ? window : windowText;
}

COLORREF ResolveBackground(int role, int code, const COLORREF custom[16], COLORREF window, COLORREF windowText) {
  code = SanitiseColourCode(code);
  if (code < kAutomaticColour) return custom[code];
  return role == kRoleSelection ? windowText : window;
}

bool ResolvedColours::operator==(const ResolvedColours& o) const {
  for (int i = 0; i < 8; ++i) {
    if (foreground[i] != o.foreground[i] || background[i] != o.background[i]) return false;
  }
  return true;
}

ResolvedColours ResolveAll(const int foregroundCodes[8], const int backgroundCodes[7], const COLORREF custom[16],
                           COLORREF window, COLORREF windowText) {
  ResolvedColours r{};
  for (int role = 0; role < 8; ++role) {
    r.foreground[role] = ResolveForeground(role, foregroundCodes[role], custom, window, windowText);
    const int bg = role < 7 ? backgroundCodes[role] : backgroundCodes[kRoleText];
    r.background[role] = ResolveBackground(role < 7 ? role : kRoleText, bg, custom, window, windowText);
  }
  return r;
}
