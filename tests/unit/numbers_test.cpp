// The numeric rules: 16-bit traps, halves to even, Int, and reading numbers from text.
#include <gtest/gtest.h>

#include "base/int16.hpp"
#include "base/numeric_text.hpp"
#include "base/rounding.hpp"
#include "base/runtime_error.hpp"
#include "base/twips.hpp"

using namespace quimbel::base;

namespace {

int ErrorOf(auto&& f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace

TEST(Int16Test, StoresTrapOutsideTheRange) {
  Int16 v = 32767;
  EXPECT_EQ(v, 32767);
  EXPECT_EQ(ErrorOf([&] { v = v + 1; }), kOverflow);
  EXPECT_EQ(v, 32767) << "a failed store leaves the old value";
  v = -32768;
  EXPECT_EQ(ErrorOf([&] { v = v - 1; }), kOverflow);
  EXPECT_EQ(ErrorOf([] {
              Int16 w = 40000;
              (void)w;
            }),
            kOverflow);
  EXPECT_EQ(ErrorOf([] {
              Int16 w = 65535u;
              (void)w;
            }),
            kOverflow);
  EXPECT_EQ(ErrorOf([] { return CheckedInt32(2147483648LL); }), kOverflow);
  EXPECT_EQ(CheckedInt32(-2147483648LL), -2147483648LL);
}

TEST(RoundingTest, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
  EXPECT_EQ(RoundHalfEven(38.4 * 3 - 50), 65);  // 65.2 from a fractional lane
  EXPECT_EQ(Int(6.9999), 6);
  EXPECT_EQ(Int(-0.5), -1);
  EXPECT_EQ(CInt16(32767.4), 32767);
  EXPECT_EQ(ErrorOf([] { return CInt16(32767.5); }), kOverflow);
  EXPECT_EQ(CInt16(-32768.5), -32768);
  EXPECT_EQ(ErrorOf([] { return CInt32(2147483647.5); }), kOverflow);
}

// Twips meet pixels here only: halves go away from zero (not to even, as
// CInt16 does), and the scales of 96, 120 and 144 dpi give whole factors.
TEST(TwipsTest, ScalesGiveWholeFactorsAndPixelsRoundHalvesAway) {
  EXPECT_EQ(TwipsPerPixel(1.0), 15.0);
  EXPECT_EQ(TwipsPerPixel(1.25), 12.0);
  EXPECT_EQ(TwipsPerPixel(1.5), 10.0);
  EXPECT_EQ(TwipsPerPixel(0.0), 15.0) << "an unknown scale counts as 1";
  EXPECT_EQ(TwipsToPixels(2280, 15), 152);
  EXPECT_EQ(TwipsToPixels(1824, 12), 152);
  EXPECT_EQ(TwipsToPixels(22, 15), 1);
  EXPECT_EQ(TwipsToPixels(7, 15), 0);
  EXPECT_EQ(TwipsToPixels(3862.5, 15), 258) << "257.5";
  EXPECT_EQ(TwipsToPixels(3847.5, 15), 257) << "256.5";
  EXPECT_EQ(TwipsToPixels(-22.5, 15), -2) << "-1.5";
  EXPECT_EQ(TwipsToPixels(100, 0), 0);
  EXPECT_EQ(TwipsToPixels(1e300, 15), 2147483647) << "stops at the end of int";
}

TEST(NumericPrefixTest, ReadsTheLeadingNumber) {
  EXPECT_EQ(ReadNumericPrefix("1234"), 1234);
  EXPECT_EQ(ReadNumericPrefix(" 12 34"), 1234);
  EXPECT_EQ(ReadNumericPrefix("\t1\n2 3x9"), 123);
  EXPECT_EQ(ReadNumericPrefix(""), 0);
  EXPECT_EQ(ReadNumericPrefix("abc"), 0);
  EXPECT_EQ(ReadNumericPrefix("-42abc"), -42);
  EXPECT_EQ(ReadNumericPrefix("+7"), 7);
  EXPECT_EQ(ReadNumericPrefix("1.5.3"), 1.5);
  EXPECT_EQ(ReadNumericPrefix(".25"), 0.25);
  EXPECT_EQ(ReadNumericPrefix("1e3"), 1000);
  EXPECT_EQ(ReadNumericPrefix("2.5E-1x"), 0.25);
  EXPECT_EQ(ReadNumericPrefix("3e"), 3);
  EXPECT_EQ(ReadNumericPrefix("-"), 0);
  EXPECT_EQ(ReadNumericPrefix(":1234"), 0);
}

TEST(NumericPrefixTest, ReadsHexAndOctal) {
  EXPECT_EQ(ReadNumericPrefix("&H1F"), 31);
  EXPECT_EQ(ReadNumericPrefix("&h 1f zz"), 31);
  EXPECT_EQ(ReadNumericPrefix("&HFFFF"), -1);
  EXPECT_EQ(ReadNumericPrefix("&H10000"), 65536);
  EXPECT_EQ(ReadNumericPrefix("&HFFFFFFFF"), -1);
  EXPECT_EQ(ReadNumericPrefix("&O17"), 15);
  EXPECT_EQ(ReadNumericPrefix("&O19"), 1);
  EXPECT_EQ(ReadNumericPrefix("&X12"), 0);
  EXPECT_EQ(ErrorOf([] { return ReadNumericPrefix("&H123456789"); }), kOverflow);
}

TEST(NumericPrefixTest, HugeNumbersOverflow) {
  EXPECT_EQ(ErrorOf([] { return ReadNumericPrefix("1e400"); }), kOverflow);
  EXPECT_EQ(ReadNumericPrefix("1e-400"), 0);
  EXPECT_EQ(ReadNumericPrefix("12345678901234567890123"), 12345678901234567890123.0);
}

TEST(TextToInt16Test, ConvertsStoredText) {
  EXPECT_EQ(TextToInt16("20"), 20);
  EXPECT_EQ(TextToInt16(" 7 "), 7);
  EXPECT_EQ(TextToInt16("\t-1"), -1);
  EXPECT_EQ(TextToInt16("2.5"), 2);
  EXPECT_EQ(TextToInt16("3.5"), 4);
  EXPECT_EQ(TextToInt16("&H10"), 16);
  EXPECT_EQ(TextToInt16("32767"), 32767);
  EXPECT_EQ(TextToInt16("-32768"), -32768);
}

TEST(TextToInt16Test, RejectsWhatIsNotANumber) {
  for (const char* text : {"", "   ", "abc", "7x", "1 2", "--1", ".", "&H"}) {
    EXPECT_EQ(ErrorOf([&] { return TextToInt16(text); }), kTypeMismatch) << '"' << text << '"';
  }
  EXPECT_EQ(ErrorOf([] { return TextToInt16("40000"); }), kOverflow);
  EXPECT_EQ(ErrorOf([] { return TextToInt16("-32769"); }), kOverflow);
}
