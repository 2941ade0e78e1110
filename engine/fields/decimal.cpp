#include "decimal.h"

#include <cstring>

namespace {

constexpr int kUnits = kDecimalIntDigits - 1;  // index of the units digit

int CompareMagnitude(const Decimal& a, const Decimal& b) {
  return std::memcmp(a.digit, b.digit, kDecimalDigits);
}

// a + b; false on a carry out of the top.
bool AddMagnitude(const Decimal& a, const Decimal& b, Decimal* out) {
  int carry = 0;
  for (int i = kDecimalDigits - 1; i >= 0; --i) {
    int s = a.digit[i] + b.digit[i] + carry;
    out->digit[i] = static_cast<uint8_t>(s % 10);
    carry = s / 10;
  }
  return carry == 0;
}

// a - b with |a| >= |b|.
void SubtractMagnitude(const Decimal& a, const Decimal& b, Decimal* out) {
  int borrow = 0;
  for (int i = kDecimalDigits - 1; i >= 0; --i) {
    int d = a.digit[i] - b.digit[i] - borrow;
    borrow = d < 0;
    out->digit[i] = static_cast<uint8_t>(d < 0 ? d + 10 : d);
  }
}

// Digit runs used by the long division: most significant first, fixed length.
constexpr int kRemainderDigits = kDecimalDigits + 1;

int CompareRun(const uint8_t* a, const uint8_t* b, int n) { return std::memcmp(a, b, n); }

void SubtractRun(uint8_t* a, const uint8_t* b, int n) {
  int borrow = 0;
  for (int i = n - 1; i >= 0; --i) {
    int d = a[i] - b[i] - borrow;
    borrow = d < 0;
    a[i] = static_cast<uint8_t>(d < 0 ? d + 10 : d);
  }
}

}  // namespace

Decimal ZeroDecimal() {
  Decimal z;
  std::memset(&z, 0, sizeof z);
  return z;
}

bool IsZero(const Decimal& a) {
  for (uint8_t d : a.digit)
    if (d) return false;
  return true;
}

int IntegerDigits(const Decimal& a) {
  for (int i = 0; i < kDecimalIntDigits; ++i)
    if (a.digit[i]) return kDecimalIntDigits - i;
  return 0;
}

DecimalText ReadDecimal(const uint8_t* text, int length) {
  DecimalText r{};
  r.value = ZeroDecimal();
  uint8_t integer[kDecimalIntDigits];
  int integerCount = 0;
  for (int i = 0; i < length; ++i) {
    uint8_t c = text[i];
    if (c == '-') {
      r.minus = true;
    } else if (c == '.' && !r.point) {
      r.point = true;
    } else if (c >= '0' && c <= '9') {
      if (r.point) {
        if (r.decimalDigits < kDecimalFracDigits) r.value.digit[kDecimalIntDigits + r.decimalDigits] = c - '0';
        ++r.decimalDigits;
      } else {
        if (integerCount < kDecimalIntDigits) integer[integerCount++] = c - '0';
        ++r.integerDigits;
      }
    }
  }
  std::memcpy(r.value.digit + kDecimalIntDigits - integerCount, integer, integerCount);
  r.value.negative = r.minus;
  return r;
}

bool AddDecimal(const Decimal& b, const Decimal& a, Decimal* out) {
  Decimal r = ZeroDecimal();
  if (a.negative == b.negative) {
    if (!AddMagnitude(b, a, &r)) return false;
    r.negative = a.negative;
  } else if (CompareMagnitude(b, a) >= 0) {
    SubtractMagnitude(b, a, &r);
    r.negative = b.negative;
  } else {
    SubtractMagnitude(a, b, &r);
    r.negative = a.negative;
  }
  *out = r;
  return true;
}

bool SubtractDecimal(const Decimal& b, const Decimal& a, Decimal* out) {
  Decimal inverted = a;
  inverted.negative = !a.negative;
  return AddDecimal(b, inverted, out);
}

bool MultiplyDecimal(const Decimal& b, const Decimal& a, Decimal* out) {
  // Column sums of the schoolbook product; column k weighs
  // 10^(2 * kUnits - k) in the number's terms.
  uint32_t column[2 * kDecimalDigits];
  std::memset(column, 0, sizeof column);
  for (int i = 0; i < kDecimalDigits; ++i) {
    if (!b.digit[i]) continue;
    for (int j = 0; j < kDecimalDigits; ++j) column[i + j] += b.digit[i] * a.digit[j];
  }
  uint32_t carry = 0;
  for (int k = 2 * kDecimalDigits - 1; k >= 0; --k) {
    uint32_t s = column[k] + carry;
    column[k] = s % 10;
    carry = s / 10;
  }
  if (carry) return false;
  for (int k = 0; k < kUnits; ++k)
    if (column[k]) return false;
  Decimal r = ZeroDecimal();
  // Digits past the last decimal place are cut; the field keeps far fewer.
  for (int i = 0; i < kDecimalDigits; ++i) r.digit[i] = static_cast<uint8_t>(column[i + kUnits]);
  r.negative = a.negative != b.negative;
  *out = r;
  return true;
}

bool DivideDecimal(const Decimal& b, const Decimal& a, int places, Decimal* out) {
  if (IsZero(a) || places < 0 || places > kDecimalFracDigits) return false;
  // Both numbers as integers of the same scale: b * 10^places / a, digit by
  // digit, gives the quotient with `places` decimals.
  uint8_t divisor[kRemainderDigits];
  divisor[0] = 0;
  std::memcpy(divisor + 1, a.digit, kDecimalDigits);
  uint8_t remainder[kRemainderDigits];
  std::memset(remainder, 0, sizeof remainder);
  const int length = kDecimalDigits + places;
  Decimal r = ZeroDecimal();
  for (int t = 0; t < length; ++t) {
    std::memmove(remainder, remainder + 1, kRemainderDigits - 1);
    remainder[kRemainderDigits - 1] = t < kDecimalDigits ? b.digit[t] : 0;
    int q = 0;
    while (CompareRun(remainder, divisor, kRemainderDigits) >= 0) {
      SubtractRun(remainder, divisor, kRemainderDigits);
      ++q;
    }
    // Quotient digit t weighs 10^(kDecimalDigits - 1 - t).
    int index = t - kDecimalFracDigits;
    if (index < 0) {
      if (q) return false;
    } else {
      r.digit[index] = static_cast<uint8_t>(q);
    }
  }
  r.negative = a.negative != b.negative;
  *out = r;
  return true;
}

bool RoundDecimal(Decimal* a, int places) {
  if (places < 0) places = 0;
  const int first = kDecimalIntDigits + places;  // first dropped digit
  if (first >= kDecimalDigits) return true;
  bool up = a->digit[first] >= 5;
  std::memset(a->digit + first, 0, kDecimalDigits - first);
  if (!up) return true;
  for (int i = first - 1; i >= 0; --i) {
    if (a->digit[i] < 9) {
      ++a->digit[i];
      return true;
    }
    a->digit[i] = 0;
  }
  return false;
}

int FormatDecimal(const Decimal& a, int places, bool withZero, char* out, int outSize) {
  int n = 0;
  auto put = [&](char c) {
    if (n < outSize) out[n++] = c;
  };
  if (a.negative && !IsZero(a)) put('-');
  int integer = IntegerDigits(a);
  if (integer == 0) {
    if (withZero) put('0');
  } else {
    for (int i = kDecimalIntDigits - integer; i < kDecimalIntDigits; ++i) put(static_cast<char>('0' + a.digit[i]));
  }
  if (places > 0) {
    put('.');
    for (int i = 0; i < places; ++i)
      put(static_cast<char>('0' + (i < kDecimalFracDigits ? a.digit[kDecimalIntDigits + i] : 0)));
  }
  return n;
}
