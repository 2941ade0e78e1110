// The numeric field's calculator numbers: decimal fixed point, wide enough
// for the product of two field-wide values, with a sign.
#pragma once

#include <cstdint>

constexpr int kDecimalIntDigits = 170;
constexpr int kDecimalFracDigits = 90;
constexpr int kDecimalDigits = kDecimalIntDigits + kDecimalFracDigits;

struct Decimal {
  bool negative;
  // Most significant first: digit i weighs 10^(kDecimalIntDigits - 1 - i).
  uint8_t digit[kDecimalDigits];
};

Decimal ZeroDecimal();
bool IsZero(const Decimal& a);
// Significant integer digits (leading zeros not counted).
int IntegerDigits(const Decimal& a);

// What a field's text holds, read the calculator's way: a "-" anywhere
// makes it negative, the first "." separates integer from decimal digits,
// other characters are ignored.
struct DecimalText {
  Decimal value;
  int integerDigits;  // digits before the point, leading zeros included
  int decimalDigits;  // digits after it
  bool point;
  bool minus;
};
DecimalText ReadDecimal(const uint8_t* text, int length);

// The four operations on b (the stored operand) and a (the value), result
// in *out. False when the result does not fit the number (out untouched).
bool AddDecimal(const Decimal& b, const Decimal& a, Decimal* out);
bool SubtractDecimal(const Decimal& b, const Decimal& a, Decimal* out);  // b - a
bool MultiplyDecimal(const Decimal& b, const Decimal& a, Decimal* out);
// b / a carried to `places` decimal places (cut, not rounded). False also
// when a is zero.
bool DivideDecimal(const Decimal& b, const Decimal& a, int places, Decimal* out);
// Round half up to `places` decimal places; false when a carry leaves the
// number.
bool RoundDecimal(Decimal* a, int places);
// The value as the field shows it: "-", integer digits (or "0" when there are
// none and withZero), then "." and exactly `places` decimals when places > 0.
// Returns the length written into out (at most outSize).
int FormatDecimal(const Decimal& a, int places, bool withZero, char* out, int outSize);
