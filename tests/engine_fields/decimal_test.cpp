// The calculator's decimal numbers on their own.
#include <gtest/gtest.h>

#include <string>

#include "decimal.h"

namespace {

Decimal Num(const std::string& s) {
  return ReadDecimal(reinterpret_cast<const uint8_t*>(s.data()), static_cast<int>(s.size())).value;
}

std::string Show(Decimal d, int places) {
  EXPECT_TRUE(RoundDecimal(&d, places));
  char out[kDecimalDigits + 4];
  int n = FormatDecimal(d, places, true, out, sizeof out);
  return std::string(out, n);
}

TEST(DecimalTest, Operations) {
  struct Case {
    const char* b;
    char op;
    const char* a;
    int places;
    const char* expected;
  } cases[] = {
      {"999", '+', "1", 0, "1000"},
      {"0.95", '+', "0.05", 2, "1.00"},
      {"-5", '+', "3", 0, "-2"},
      {"5", '+', "-8", 0, "-3"},
      {"3", '-', "5", 0, "-2"},
      {"-3", '-', "-3", 0, "0"},
      {"12.5", '*', "-4", 1, "-50.0"},
      {"-0.5", '*', "-0.5", 2, "0.25"},
      {"99999", '*', "99999", 0, "9999800001"},
      {"2", '/', "3", 2, "0.67"},
      {"1", '/', "3", 2, "0.33"},
      {"-7", '/', "2", 0, "-4"},  // -3.5 rounds half up in magnitude
      {"10", '/', "4", 1, "2.5"},
      {"0.001", '/', "1000", 3, "0.000"},
  };
  for (const Case& c : cases) {
    Decimal r = ZeroDecimal();
    bool ok = false;
    switch (c.op) {
      case '+': ok = AddDecimal(Num(c.b), Num(c.a), &r); break;
      case '-': ok = SubtractDecimal(Num(c.b), Num(c.a), &r); break;
      case '*': ok = MultiplyDecimal(Num(c.b), Num(c.a), &r); break;
      case '/': ok = DivideDecimal(Num(c.b), Num(c.a), c.places + 1, &r); break;
    }
    ASSERT_TRUE(ok) << c.b << c.op << c.a;
    EXPECT_EQ(Show(r, c.places), c.expected) << c.b << c.op << c.a;
  }
}

TEST(DecimalTest, DivisionByZeroIsRefused) {
  Decimal r = Num("7");
  EXPECT_FALSE(DivideDecimal(Num("5"), Num("0.000"), 3, &r));
  EXPECT_EQ(Show(r, 0), "7") << "the result is left alone";
}

TEST(DecimalTest, ReadingAFieldText) {
  DecimalText t = ReadDecimal(reinterpret_cast<const uint8_t*>(" 1,2x3.40-"), 10);
  EXPECT_TRUE(t.minus);
  EXPECT_TRUE(t.point);
  EXPECT_EQ(t.integerDigits, 3);
  EXPECT_EQ(t.decimalDigits, 2);
  EXPECT_EQ(Show(t.value, 2), "-123.40");
  EXPECT_EQ(IntegerDigits(t.value), 3);
}

TEST(DecimalTest, RoundingCarriesThroughEveryDigit) {
  Decimal d = Num("99.995");
  ASSERT_TRUE(RoundDecimal(&d, 2));
  EXPECT_EQ(Show(d, 2), "100.00");
  d = Num("0.449");
  EXPECT_EQ(Show(d, 1), "0.4") << "only the first dropped digit counts";
}

TEST(DecimalTest, HugeProductsReportOverflowInsteadOfWrapping) {
  std::string big(kDecimalIntDigits - 10, '9');
  Decimal r = ZeroDecimal();
  EXPECT_FALSE(MultiplyDecimal(Num(big), Num(big), &r));
  std::string wide(kDecimalIntDigits - 5, '9');
  EXPECT_FALSE(DivideDecimal(Num(wide), Num("0.0000000001"), 2, &r));
  std::string top(kDecimalIntDigits, '9');
  EXPECT_FALSE(AddDecimal(Num(top), Num("1"), &r));
}

}  // namespace
