// Number literals in, result texts out: ScanNumber, FormatResult,
// FormatRadix, ToInt32.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine.h"
#include "number_text_rounding.h"

namespace {

std::uint64_t BitsOf(double v) {
  std::uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

double DoubleOf(std::uint64_t b) {
  double v;
  std::memcpy(&v, &b, sizeof v);
  return v;
}

std::string Format(double v) {
  char out[kResultTextSize];
  std::memset(out, 'x', sizeof out);
  FormatResult(v, out);
  EXPECT_LT(std::strlen(out), kResultTextSize);
  return out;
}

struct ScanResult {
  long bytes;
  double value;
  bool flag;
};

ScanResult Scan(const std::string &text) {
  bool overflow = false;
  double value = 12345.0;  // must be overwritten
  const char *end = ScanNumber(text.c_str(), &value, &overflow);
  ScanResult r{static_cast<long>(end - text.c_str()), value, overflow};
  return r;
}

const double kInf = std::numeric_limits<double>::infinity();

// ---------------------------------------------------------------------------
// ScanNumber

struct ScanCase {
  const char *text;
  long bytes;
  double value;
  bool flag;
};

class NumberScanTable : public ::testing::TestWithParam<ScanCase> {};

TEST_P(NumberScanTable, ReadsBytesValueAndFlag) {
  const ScanCase &c = GetParam();
  ScanResult r = Scan(c.text);
  EXPECT_EQ(r.bytes, c.bytes) << c.text;
  EXPECT_EQ(BitsOf(r.value), BitsOf(c.value)) << c.text << " gave " << r.value;
  EXPECT_EQ(r.flag, c.flag) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Literals, NumberScanTable,
    ::testing::Values(
        // integer form
        ScanCase{"0", 1, 0.0, false}, ScanCase{"017", 3, 15.0, false},
        ScanCase{"08", 1, 0.0, false}, ScanCase{"00.5", 2, 0.0, false},
        ScanCase{"0E5", 1, 0.0, false}, ScanCase{"0X1F", 4, 31.0, false},
        ScanCase{"0x1f", 4, 31.0, false}, ScanCase{"0XFF)", 4, 255.0, false},
        ScanCase{"0X7FFFFFFF", 10, 2147483647.0, false},
        ScanCase{"0X80000000", 10, 2147483647.0, true},
        ScanCase{"0XFFFFFFFF", 10, 2147483647.0, true},
        ScanCase{"0XFFFFFFFFFFFF", 14, 2147483647.0, true},
        ScanCase{"0X100000000", 11, 2147483647.0, true},
        ScanCase{"017777777777", 12, 2147483647.0, false},
        ScanCase{"020000000000", 12, 2147483647.0, true},
        ScanCase{"0777777777777777777777", 22, 2147483647.0, true},
        ScanCase{"0X", 0, 0.0, false}, ScanCase{"0XG", 0, 0.0, false},
        ScanCase{"0X+1", 0, 0.0, false}, ScanCase{"0X1AND3", 4, 26.0, false},
        ScanCase{"010+1", 3, 8.0, false}, ScanCase{"0\x80", 1, 0.0, false},
        // decimal form
        ScanCase{"0.5", 3, 0.5, false}, ScanCase{".5", 2, 0.5, false},
        ScanCase{"5.", 2, 5.0, false}, ScanCase{"1E3", 3, 1000.0, false},
        ScanCase{"1D3", 3, 1000.0, false}, ScanCase{"1e3", 3, 1000.0, false},
        ScanCase{"1d3", 3, 1000.0, false}, ScanCase{"1E-05", 5, 0.00001, false},
        ScanCase{"2E", 1, 2.0, false}, ScanCase{"1E+", 1, 1.0, false},
        ScanCase{"1E-X", 1, 1.0, false}, ScanCase{"1+2", 1, 1.0, false},
        ScanCase{"12.5.3", 4, 12.5, false}, ScanCase{"+010", 4, 10.0, false},
        ScanCase{"-010", 4, -10.0, false}, ScanCase{"12DEV5", 2, 12.0, false},
        ScanCase{"12D5", 4, 1200000.0, false}, ScanCase{"1.5E2-1", 5, 150.0, false},
        ScanCase{".", 0, 0.0, false}, ScanCase{"+", 0, 0.0, false},
        ScanCase{"-", 0, 0.0, false}, ScanCase{"+.", 0, 0.0, false},
        ScanCase{"*", 0, 0.0, false}, ScanCase{"", 0, 0.0, false},
        ScanCase{"\x82\xa0", 0, 0.0, false}, ScanCase{" ", 0, 0.0, false},
        ScanCase{" \t7", 3, 7.0, false}, ScanCase{".E5", 0, 0.0, false},
        ScanCase{"0.0E99999", 9, 0.0, false}, ScanCase{"-0.0E-99999", 11, -0.0, false},
        ScanCase{"-0", 2, -0.0, false}, ScanCase{"000", 3, 0.0, false},
        ScanCase{"9007199254740993", 16, 9007199254740992.0, false},
        ScanCase{"1.7976931348623157E308", 22, 1.7976931348623157E308, false},
        ScanCase{"1.7976931348623158E308", 22, 1.7976931348623157E308, false},
        ScanCase{"1.7976931348623159E308", 22, kInf, true},
        ScanCase{"-1.7976931348623159E308", 23, -kInf, true},
        ScanCase{"1E309", 5, kInf, true}, ScanCase{"-1E309", 6, -kInf, true},
        ScanCase{"1E99999999999999999999", 22, kInf, true},
        ScanCase{"2.2250738585072014E-308", 23, 0x1p-1022, false},
        ScanCase{"2.2250738585072011E-308", 23, 0.0, true},
        ScanCase{"1E-308", 6, 0.0, true}, ScanCase{"1E-310", 6, 0.0, true},
        ScanCase{"1E-400", 6, 0.0, true}, ScanCase{"1E-5000", 7, 0.0, true},
        ScanCase{"-1E-400", 7, 0.0, true},
        ScanCase{"1E-99999999999999999999", 23, 0.0, true},
        ScanCase{"4.9406564584124654E-324", 23, 0.0, true},
        ScanCase{"0.000000000000000000000000000000000000000001E+342", 49, 1e300,
                 false},
        ScanCase{"100000000000000000000000000000E-330", 35, 1e-301, false}));

// The decimal digits of m * 5^k, that is of m * 2^-k times 10^k.
std::string DigitsOfBinaryFraction(std::uint64_t m, int k) {
  std::vector<int> digits;  // least significant first
  for (std::uint64_t n = m; n != 0; n /= 10) digits.push_back(static_cast<int>(n % 10));
  for (int i = 0; i < k; ++i) {
    int carry = 0;
    for (int &d : digits) {
      int v = d * 5 + carry;
      d = v % 10;
      carry = v / 10;
    }
    if (carry) digits.push_back(carry);
  }
  std::string s;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) s += static_cast<char>('0' + *it);
  return s;
}

// The underflow threshold is 2^-1022 - 2^-1076: below it, rounding to 53
// bits stays under 2^-1022, while the nearest double is still 2^-1022.
TEST(NumberScanUnderflow, ThresholdBelowSmallestNormal) {
  const std::string t = DigitsOfBinaryFraction((std::uint64_t{1} << 54) - 1, 1076);
  ASSERT_EQ(t.back(), '5');

  // Exactly at the threshold: a tie, rounded up to 2^-1022.
  ScanResult at = Scan(t + "E-1076");
  EXPECT_EQ(at.bytes, static_cast<long>(t.size() + 6));
  EXPECT_EQ(at.value, 0x1p-1022);
  EXPECT_FALSE(at.flag);

  // Just above it.
  ScanResult above = Scan(t + "000001E-1082");
  EXPECT_EQ(above.value, 0x1p-1022);
  EXPECT_FALSE(above.flag);

  // Just below it: the nearest double is still 2^-1022, but 53 bits are not enough.
  std::string below = t;
  below.back() = '4';
  below += "99999";
  below += "E-1081";
  double nearest = 0;
  std::from_chars(below.data(), below.data() + below.size(), nearest);
  ASSERT_EQ(nearest, 0x1p-1022);
  ScanResult r = Scan("-" + below);
  EXPECT_EQ(BitsOf(r.value), BitsOf(0.0));
  EXPECT_TRUE(r.flag);

  // Halfway between the largest subnormal and 2^-1022: underflow too.
  const std::string half = DigitsOfBinaryFraction((std::uint64_t{1} << 53) - 1, 1075);
  ScanResult mid = Scan(half + "E-1075");
  EXPECT_EQ(mid.value, 0.0);
  EXPECT_TRUE(mid.flag);
}

// Long significands: every digit counts, however many there are.
TEST(NumberScanLong, AgreesWithExactConversion) {
  std::mt19937_64 rng(12345);
  std::uniform_int_distribution<int> digit(0, 9);
  for (int round = 0; round < 400; ++round) {
    std::string s;
    int zeros = round % 7 == 0 ? static_cast<int>(rng() % 400) : 0;
    int leading = static_cast<int>(rng() % 500) + 1;
    int fraction = static_cast<int>(rng() % 900);
    if (zeros) s = "0." + std::string(static_cast<std::size_t>(zeros), '0');
    for (int i = 0; i < leading; ++i) s += static_cast<char>('0' + (i == 0 ? 1 + digit(rng) % 9 : digit(rng)));
    if (!zeros && fraction) {
      s += '.';
      for (int i = 0; i < fraction; ++i) s += static_cast<char>('0' + digit(rng));
    }
    if (round % 3 == 0) s += std::string(static_cast<std::size_t>(rng() % 800), '0');
    if (round % 5 == 0) s += '1';
    // an exponent that keeps the value within the normal range
    std::size_t point = s.find('.');
    long order = zeros ? -zeros : static_cast<long>(point == std::string::npos ? s.size() : point);
    long e = static_cast<long>(rng() % 560) - 280 - order;
    std::string literal = s + "E" + std::to_string(e);

    double expected = 0;
    auto fr = std::from_chars(literal.data(), literal.data() + literal.size(), expected);
    ASSERT_EQ(fr.ec, std::errc()) << literal;
    ScanResult r = Scan(literal);
    EXPECT_EQ(r.bytes, static_cast<long>(literal.size()));
    EXPECT_EQ(BitsOf(r.value), BitsOf(expected)) << literal;
    EXPECT_FALSE(r.flag) << literal;
  }
}

TEST(NumberScanLong, DigitsFarBeyondTheMidpointStillCount) {
  // 1 + 2^-53, halfway between 1 and the next double: a tie that goes to 1.
  const std::string mid = DigitsOfBinaryFraction((std::uint64_t{1} << 53) + 1, 53);
  EXPECT_EQ(Scan(mid + "E-53").value, 1.0);
  // A non-zero digit a thousand places later tips it over.
  const std::string tail = std::string(1000, '0') + "1";
  ScanResult r = Scan(mid + tail + "E-1054");
  EXPECT_EQ(r.value, 1.0 + 0x1p-52);
  EXPECT_EQ(r.bytes, static_cast<long>(mid.size() + tail.size() + 6));
  EXPECT_FALSE(r.flag);
  // The same below the midpoint: 1 + 2^-53 - tiny rounds down.
  std::string below = mid;
  below.back() = '4';
  EXPECT_EQ(Scan(below + std::string(1000, '9') + "E-1053").value, 1.0);
}

TEST(NumberScanLong, ShortestTextOfEveryDoubleReadsBack) {
  std::mt19937_64 rng(777);
  for (int i = 0; i < 20000; ++i) {
    double v = DoubleOf(rng() & 0x7FFFFFFFFFFFFFFFull);
    if (!std::isfinite(v) || v < 0x1p-1022) continue;
    char text[64];
    auto tr = std::to_chars(text, text + sizeof text, v, std::chars_format::scientific);
    *tr.ptr = '\0';
    ScanResult r = Scan(text);
    ASSERT_EQ(BitsOf(r.value), BitsOf(v)) << text;
    ASSERT_FALSE(r.flag) << text;
    ASSERT_EQ(r.bytes, static_cast<long>(tr.ptr - text));
  }
}

// Short literals: up to 16 significant digits forming an integer M of at
// most 2^53, scaled by 10^k with |k| <= 22, are converted by one
// multiplication or division instead of the digit string. Both must give the
// nearest double. The check below is exact big-integer arithmetic, not a
// library conversion: the 32-bit Windows runtime's std::from_chars rounds
// some of these literals twice (x87 extended precision) and is no oracle.

// Non-negative integer, 32-bit limbs, least significant first.
struct BigInteger {
  std::vector<std::uint32_t> limbs;

  void MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::uint32_t &limb : limbs) {
      std::uint64_t v = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(v);
      carry = v >> 32;
    }
    if (carry != 0) limbs.push_back(static_cast<std::uint32_t>(carry));
  }
  void ShiftLeft(int bits) {
    for (; bits >= 16; bits -= 16) MultiplyAdd(1u << 16, 0);
    if (bits > 0) MultiplyAdd(1u << bits, 0);
  }
  void Trim() {
    while (!limbs.empty() && limbs.back() == 0) limbs.pop_back();
  }
};

int Compare(BigInteger a, BigInteger b) {
  a.Trim();
  b.Trim();
  if (a.limbs.size() != b.limbs.size()) return a.limbs.size() < b.limbs.size() ? -1 : 1;
  for (std::size_t i = a.limbs.size(); i-- > 0;) {
    if (a.limbs[i] != b.limbs[i]) return a.limbs[i] < b.limbs[i] ? -1 : 1;
  }
  return 0;
}

// Compares D x 10^k with A x 2^b.
int CompareScaled(BigInteger d, int k, std::uint64_t a, int b) {
  BigInteger other;
  other.limbs = {static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(a >> 32)};
  for (int i = 0; i < k; ++i) d.MultiplyAdd(5, 0);       // D x 5^k x 2^k
  for (int i = 0; i < -k; ++i) other.MultiplyAdd(5, 0);  // A x 5^-k x 2^b against D x 2^k
  if (k - b >= 0) d.ShiftLeft(k - b);
  else other.ShiftLeft(b - k);
  return Compare(d, other);
}

// Whether v (a normal double) is the double nearest to the literal
// "[-]digits[.digits][E[-]digits]", ties to even.
bool IsNearestDouble(const std::string &literal, double v) {
  std::size_t i = 0;
  const bool negative = literal[0] == '-';
  if (negative) ++i;
  if (negative != std::signbit(v)) return false;
  BigInteger digits;
  int k = 0;
  bool point = false;
  for (; i < literal.size() && literal[i] != 'E'; ++i) {
    if (literal[i] == '.') {
      point = true;
      continue;
    }
    digits.MultiplyAdd(10, static_cast<std::uint32_t>(literal[i] - '0'));
    if (point) --k;
  }
  if (i < literal.size()) k += std::stoi(literal.substr(i + 1));

  const std::uint64_t bits = BitsOf(std::fabs(v));
  const int field = static_cast<int>(bits >> 52);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (field == 0 || field == 0x7FF) return false;  // not a normal double
  const std::uint64_t m = fraction | (std::uint64_t{1} << 52);
  const int e = field - 1075;  // v = m x 2^e
  // The midpoints to the neighbours; below a power of two the lower
  // neighbour is half as far away.
  const int above = CompareScaled(digits, k, 2 * m + 1, e - 1);
  const int below = fraction == 0 && field > 1 ? CompareScaled(digits, k, 4 * m - 1, e - 2)
                                               : CompareScaled(digits, k, 2 * m - 1, e - 1);
  if (above > 0 || below < 0) return false;
  if (above == 0 || below == 0) return m % 2 == 0;  // a tie goes to the even neighbour
  return true;
}

void ExpectNearest(const std::string &literal) {
  ScanResult r = Scan(literal);
  EXPECT_EQ(r.bytes, static_cast<long>(literal.size())) << literal;
  EXPECT_TRUE(IsNearestDouble(literal, r.value)) << literal << " gave " << r.value;
  EXPECT_FALSE(r.flag) << literal;
}

TEST(NumberScanShort, TheExactCheckItself) {
  EXPECT_TRUE(IsNearestDouble("0.1", 0.1));
  EXPECT_FALSE(IsNearestDouble("0.1", std::nextafter(0.1, 1.0)));
  EXPECT_FALSE(IsNearestDouble("0.1", std::nextafter(0.1, 0.0)));
  EXPECT_TRUE(IsNearestDouble("-1E23", -1e23));
  EXPECT_FALSE(IsNearestDouble("1E23", std::nextafter(1e23, 1e24)));
  // 2^53 + 1 lies halfway: the even neighbour 2^53 wins, 2^53 + 2 loses.
  EXPECT_TRUE(IsNearestDouble("9007199254740993", 9007199254740992.0));
  EXPECT_FALSE(IsNearestDouble("9007199254740993", 9007199254740994.0));
  // 2^53 - 0.5 against 2^53 - 1 and 2^53: the tie goes to 2^53.
  EXPECT_TRUE(IsNearestDouble("9007199254740991.5", 9007199254740992.0));
  EXPECT_FALSE(IsNearestDouble("9007199254740991.5", 9007199254740991.0));
  // Just below a power of two the spacing halves.
  EXPECT_TRUE(IsNearestDouble("0.99999999999999999", 1.0));
  EXPECT_FALSE(IsNearestDouble("0.9999999999999999", 1.0));
  // The value the 32-bit runtime's std::from_chars gets wrong.
  EXPECT_TRUE(IsNearestDouble("698761305471237E16", DoubleOf(5068252228284847901ull)));
  EXPECT_FALSE(IsNearestDouble("698761305471237E16", DoubleOf(5068252228284847902ull)));
}

TEST(NumberScanShort, BoundariesOfTheSingleOperation) {
  const char *const kLiterals[] = {
      // 10^22 is the last exact power of ten, 10^23 is not
      "1E22", "1E23", "1E-22", "1E-23", "9E22", "9E23", "9E-22", "9E-23",
      "123456789012345E22", "123456789012345E23", "123456789012345E-22",
      "123456789012345E-23", "1234567890123456E22", "1234567890123456E-22",
      "1234567890123456E23", "1234567890123456E-23",
      // 15, 16 and 17 digits
      "999999999999999", "9999999999999999", "99999999999999999",
      "0.999999999999999", "0.9999999999999999", "0.99999999999999999",
      "1.23456789012345", "1.234567890123456", "1.2345678901234567",
      "8.98846567431158E307", "4.4501477170144E-308",
      // 2^53 and its neighbours as the integer M
      "9007199254740991", "9007199254740992", "9007199254740993",
      "9007199254740994", "9007199254740995", "9007199254740992E22",
      "9007199254740993E22", "9007199254740992E-22", "9007199254740993E-22",
      "9007199254740991E-22", "900719925474.0993", "90071992547409.92E-20",
      "-9007199254740993", "-9007199254740992E-22",
      // the exponent shifted by the point and by fraction zeros
      "0.000001E-16", "0.000001E-17", "1000000E16", "1000000E17",
      "0.1E23", "0.1E24", "100E20", "100E21", "12345.678901234", "3.5", "1E-5",
      "0.3", "0.1", "0.7", "2.675", "1.005", "-0.1", "1.7976931348623157E22",
      // many digits, but trailing zeros: no longer a short literal
      "10000000000000000", "10000000000000000000000E-22", "1.00000000000000000001",
      // beyond 64 bits: an integer M that wrapped around would look small
      "18446744073709551616", "18446744073709551617E-5", "36893488147419103233E-22",
  };
  for (const char *literal : kLiterals) ExpectNearest(literal);
}

TEST(NumberScanShort, RandomShortLiteralsAgreeWithExactConversion) {
  std::mt19937_64 rng(20240611);
  for (int round = 0; round < 100000; ++round) {
    std::string literal;
    if (rng() % 4 == 0) literal += '-';
    const int count = 1 + static_cast<int>(rng() % 19);
    std::string digits(1, static_cast<char>('1' + rng() % 9));  // a leading 0 would be octal
    for (int i = 1; i < count; ++i) digits += static_cast<char>('0' + rng() % 10);
    if (rng() % 4 == 0) {
      digits = "0." + std::string(rng() % 4, '0') + digits;  // zeros before the first digit
    } else if (rng() % 3 == 0) {
      digits.insert(rng() % (digits.size() + 1), ".");  // also ".123" and "123."
    }
    literal += digits;
    if (rng() % 3 != 0) literal += "E" + std::to_string(static_cast<int>(rng() % 61) - 30);
    ExpectNearest(literal);
    if (HasFailure()) break;  // one report is enough
  }
}

TEST(NumberScanShort, RandomNearTwoToTheFiftyThree) {
  // Integers just below and above 2^53 with every exponent from -25 to 25.
  std::mt19937_64 rng(53);
  for (int round = 0; round < 20000; ++round) {
    const std::uint64_t m = (std::uint64_t{1} << 53) - 2000 + rng() % 4000;
    const int k = static_cast<int>(rng() % 51) - 25;
    ExpectNearest(std::to_string(m) + "E" + std::to_string(k));
    if (HasFailure()) break;
  }
}

// Literals in the form the evaluator reads them: the result must not depend on
// how the value was spelt.
TEST(NumberScanShort, SameValueWhateverTheSpelling) {
  const char *const kSpellings[][4] = {
      {"1.5", "15E-1", "0.15E1", "150D-2"},
      {"0.001", "1E-3", ".001", "0.0001E1"},
      {"123456789012345", "1.23456789012345E14", "0.123456789012345E15", "123456789012345000E-3"},
  };
  for (const auto &spellings : kSpellings) {
    const double first = Scan(spellings[0]).value;
    for (const char *text : spellings) EXPECT_EQ(BitsOf(Scan(text).value), BitsOf(first)) << text;
  }
}

// ---------------------------------------------------------------------------
// FormatResult

struct FormatCase {
  double value;
  const char *text;
};

class NumberFormatTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(NumberFormatTable, WritesTenDigits) {
  EXPECT_EQ(Format(GetParam().value), GetParam().text) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberFormatTable,
    ::testing::Values(
        FormatCase{0.0, "0."}, FormatCase{-0.0, "0."}, FormatCase{3.0, "3."},
        FormatCase{-1.0, "-1."}, FormatCase{100.0, "100."}, FormatCase{0.5, "0.5"},
        FormatCase{-0.5, "-0.5"}, FormatCase{0.1, "0.1"}, FormatCase{0.1 + 0.2, "0.3"},
        FormatCase{1.0 / 3.0, "0.3333333333"}, FormatCase{2.0 / 3.0, "0.6666666667"},
        FormatCase{10.0 / 3.0, "3.333333333"}, FormatCase{3.1415926536, "3.141592654"},
        FormatCase{12345.678901234, "12345.6789"}, FormatCase{123456789.0, "123456789."},
        FormatCase{1234567890.0, "1234567890"}, FormatCase{1e10, "1.e+010"},
        FormatCase{0x1p40, "1.099511628e+012"}, FormatCase{123456789012.0, "1.23456789e+011"},
        FormatCase{0.01, "1.e-002"}, FormatCase{1e-5, "1.e-005"},
        FormatCase{0x1p-10, "9.765625e-004"}, FormatCase{-1e-300, "-1.e-300"},
        FormatCase{1.7976931348623157E308, "1.797693135e+308"},
        FormatCase{-1.7976931348623157E308, "-1.797693135e+308"},
        FormatCase{4.9406564584124654E-324, "4.940656458e-324"},
        FormatCase{-4.9406564584124654E-324, "-4.940656458e-324"},
        FormatCase{0x1p-1022, "2.225073859e-308"},
        FormatCase{0x1.fffffffffffffp-1023, "2.225073859e-308"},
        FormatCase{1.0000000425, "1.000000043"}, FormatCase{0.99999999996, "1."},
        FormatCase{999999999.95, "1000000000."}, FormatCase{9999999999.5, "10000000000"},
        FormatCase{-9999999999.5, "-10000000000"}, FormatCase{0.099999999996, "1.e-001"},
        FormatCase{0.1234567891, "0.1234567891"}, FormatCase{-0.1234567891, "-0.1234567891"},
        FormatCase{-1.234567891e-100, "-1.234567891e-100"},
        FormatCase{9999999999.0, "9999999999"}, FormatCase{1e100, "1.e+100"},
        FormatCase{kInf, "1.#INF"}, FormatCase{-kInf, "-1.#INF"}));

TEST(NumberFormatNanFromArithmetic, InfinityMinusItselfIsTheDefaultNan) {
  volatile double inf = kInf;
  EXPECT_EQ(Format(inf - inf), "-1.#IND");
  EXPECT_EQ(Format(1e300 * 1e300), "1.#INF");
}

struct NanCase {
  std::uint64_t bits;
  const char *text;
};

class NumberFormatNan : public ::testing::TestWithParam<NanCase> {};

TEST_P(NumberFormatNan, NamesEveryKind) {
  EXPECT_EQ(Format(DoubleOf(GetParam().bits)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Bits, NumberFormatNan,
    ::testing::Values(NanCase{0x7FF0000000000000ull, "1.#INF"},
                      NanCase{0xFFF0000000000000ull, "-1.#INF"},
                      NanCase{0xFFF8000000000000ull, "-1.#IND"},
                      NanCase{0x7FF8000000000000ull, "1.#QNAN"},
                      NanCase{0xFFF8000000000001ull, "-1.#QNAN"},
                      NanCase{0x7FFFFFFFFFFFFFFFull, "1.#QNAN"},
                      NanCase{0x7FF0000000000001ull, "1.#SNAN"},
                      NanCase{0xFFF4000000000000ull, "-1.#SNAN"},
                      NanCase{0x7FF7FFFFFFFFFFFFull, "1.#SNAN"}));

// The slow reference: every digit of the exact expansion, both roundings
// and both layouts done on strings, straight from the rules.
struct ExactDigits {
  std::string digits;  // d1 d2 ... (all of them)
  int p;               // value = 0.d1d2... x 10^P
};

ExactDigits ExactExpansion(double v) {
  char buffer[1100];
  auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 1000);
  std::string s(buffer, r.ptr);
  std::size_t e = s.find('e');
  ExactDigits x;
  x.digits = s.substr(0, 1) + s.substr(2, e - 2);
  x.p = std::stoi(s.substr(e + 1)) + 1;
  return x;
}

// Adds one to the last digit of s; returns true when it carried out of the first.
bool Increment(std::string &s) {
  for (std::size_t i = s.size(); i-- > 0;) {
    if (s[i] != '9') {
      ++s[i];
      return false;
    }
    s[i] = '0';
  }
  s.insert(s.begin(), '1');
  return true;
}

std::string ReferenceFormat(double v) {
  if (v == 0) return "0.";
  ExactDigits x = ExactExpansion(std::fabs(v));
  std::string s = x.digits.substr(0, 17);
  int p = x.p;
  if (x.digits[17] >= '5' && Increment(s)) {
    s = "1";
    ++p;
  }
  while (s.size() > 1 && s.back() == '0') s.pop_back();
  bool exponentLayout = p < 0 || p > 10;
  int n = 10 - p;
  std::string ten = (s + std::string(10, '0')).substr(0, 10);
  if (s.size() > 10 && s[10] >= '5' && Increment(ten)) ++p;
  std::string out = v < 0 ? "-" : "";
  if (exponentLayout) {
    std::string decimals = ten.substr(1, 9);
    while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
    int e = p - 1;
    std::string digits3 = std::to_string(std::abs(e));
    digits3 = std::string(3 - digits3.size(), '0') + digits3;
    return out + ten[0] + "." + decimals + "e" + (e < 0 ? "-" : "+") + digits3;
  }
  out += p <= 0 ? std::string("0") : ten.substr(0, static_cast<std::size_t>(p));
  if (n > 0) {
    std::string rest = ten.substr(p <= 0 ? 0 : static_cast<std::size_t>(p), static_cast<std::size_t>(n));
    while (!rest.empty() && rest.back() == '0') rest.pop_back();
    out += "." + rest;
  }
  return out;
}

TEST(NumberFormatReference, RandomDoublesAgreeWithExactDigits) {
  std::mt19937_64 rng(2024);
  for (int i = 0; i < 20000; ++i) {
    double v = DoubleOf(rng());
    if (!std::isfinite(v)) continue;
    ASSERT_EQ(Format(v), ReferenceFormat(v)) << std::hexfloat << v;
  }
  // values of everyday size, where the fixed layout is used
  std::uniform_real_distribution<double> everyday(-1e11, 1e11);
  for (int i = 0; i < 20000; ++i) {
    double v = everyday(rng) / std::pow(10.0, static_cast<double>(rng() % 12));
    ASSERT_EQ(Format(v), ReferenceFormat(v)) << std::hexfloat << v;
  }
}

// Doubles next to a decimal whose digits run d1..d10 4999999 5: the exact
// side of that decimal decides the tenth digit, so a wrong first rounding
// shows in the text.
TEST(NumberFormatReference, NearDoubleRoundingBoundaries) {
  std::mt19937_64 rng(99);
  for (int i = 0; i < 3000; ++i) {
    std::string literal = std::to_string(1 + rng() % 9) + ".";
    for (int k = 0; k < 9; ++k) literal += static_cast<char>('0' + rng() % 10);
    literal += "49999995e" + std::to_string(static_cast<int>(rng() % 600) - 300);
    double v = 0;
    std::from_chars(literal.data(), literal.data() + literal.size(), v);
    double below = std::nextafter(v, 0.0), above = std::nextafter(v, kInf);
    for (double w : {below, v, above, -v}) {
      ASSERT_EQ(Format(w), ReferenceFormat(w)) << literal << " " << std::hexfloat << w;
    }
  }
}

// Powers of ten and their neighbours: carries into a new decade must not
// move the layout.
TEST(NumberFormatReference, NextToPowersOfTen) {
  for (int e = -323; e <= 308; ++e) {
    std::string literal = "1e" + std::to_string(e);
    double v = 0;
    std::from_chars(literal.data(), literal.data() + literal.size(), v);
    double w = v;
    for (int k = 0; k < 4; ++k) w = std::nextafter(w, 0.0);
    for (int k = 0; k < 8; ++k, w = std::nextafter(w, kInf)) {
      ASSERT_EQ(Format(w), ReferenceFormat(w)) << std::hexfloat << w;
    }
    // just below a power of ten by less than the 11th digit
    for (const char *tail : {"9.9999999995e", "9.99999999949999995e", "9.9999999994999999e",
                             "9.99999999950000001e"}) {
      std::string near = tail + std::to_string(e - 1);
      std::from_chars(near.data(), near.data() + near.size(), w);
      ASSERT_EQ(Format(w), ReferenceFormat(w)) << near;
    }
  }
}

// The first rounding alone, digit by digit.
void ExpectSeventeenDigits(double v) {
  ExactDigits x = ExactExpansion(v);
  std::string expected = x.digits.substr(0, 17);
  int p = x.p;
  if (x.digits[17] >= '5' && Increment(expected)) {
    expected.pop_back();
    ++p;
  }
  char digits[17];
  int gotP = 0;
  RoundToSeventeenDigits(v, digits, &gotP);
  ASSERT_EQ(std::string(digits, 17), expected) << std::hexfloat << v;
  ASSERT_EQ(gotP, p) << std::hexfloat << v;
}

TEST(NumberFormatSeventeenDigits, ExactTiesRoundUp) {
  // m/4 with m odd and 4e15 <= m < 9e15: exactly 18 digits ending in 25 or 75.
  std::mt19937_64 rng(5);
  for (int i = 0; i < 2000; ++i) {
    std::uint64_t m = 4000000000000000ull + rng() % 5000000000000000ull;
    m |= 1;
    double v = static_cast<double>(m) / 4.0;
    ExactDigits x = ExactExpansion(v);
    ASSERT_EQ(x.digits.find_last_not_of('0'), 17u);  // exactly 18 digits
    ExpectSeventeenDigits(v);
  }
  // the same patterns scaled by powers of two and written in every decade
  for (int e = -1000; e <= 900; e += 7) {
    double v = std::ldexp(static_cast<double>(4000000000000001ull), e);
    ExpectSeventeenDigits(v);
  }
}

TEST(NumberFormatSeventeenDigits, RandomAndNearTies) {
  std::mt19937_64 rng(31);
  for (int i = 0; i < 20000; ++i) {
    double v = DoubleOf(rng() & 0x7FFFFFFFFFFFFFFFull);
    if (!std::isfinite(v) || v == 0) continue;
    ExpectSeventeenDigits(v);
  }
  // neighbours of 18-digit decimals ending in 5: R's 18th digit is 5 often
  for (int i = 0; i < 5000; ++i) {
    std::string literal = std::to_string(1 + rng() % 9) + ".";
    for (int k = 0; k < 16; ++k) literal += static_cast<char>('0' + rng() % 10);
    literal += "5e" + std::to_string(static_cast<int>(rng() % 600) - 300);
    double v = 0;
    std::from_chars(literal.data(), literal.data() + literal.size(), v);
    ExpectSeventeenDigits(v);
    ExpectSeventeenDigits(std::nextafter(v, 0.0));
    ExpectSeventeenDigits(std::nextafter(v, kInf));
  }
  ExpectSeventeenDigits(std::numeric_limits<double>::max());
  ExpectSeventeenDigits(std::numeric_limits<double>::denorm_min());
  ExpectSeventeenDigits(0.9999999999999999);
}

// ---------------------------------------------------------------------------
// FormatRadix and ToInt32

std::string Radix(double v, int radix) {
  char out[kRadixTextSize];
  std::memset(out, 'x', sizeof out);
  FormatRadix(v, radix, out);
  EXPECT_LT(std::strlen(out), kRadixTextSize);
  return out;
}

struct RadixCase {
  double value;
  const char *hex, *oct, *bin;
};

class NumberRadixTable : public ::testing::TestWithParam<RadixCase> {};

TEST_P(NumberRadixTable, WritesThePattern) {
  const RadixCase &c = GetParam();
  EXPECT_EQ(Radix(c.value, 16), c.hex) << c.value;
  EXPECT_EQ(Radix(c.value, 8), c.oct) << c.value;
  EXPECT_EQ(Radix(c.value, 2), c.bin) << c.value;
}

const std::string kOnes32(32, '1');
const std::string kOnes31Zero = std::string(31, '1') + "0";
const std::string kOneZeros31 = "1" + std::string(31, '0');

INSTANTIATE_TEST_SUITE_P(
    Values, NumberRadixTable,
    ::testing::Values(RadixCase{255.9, "ff", "377", "11111111"},
                      RadixCase{-1.0, "ffffffff", "37777777777", kOnes32.c_str()},
                      RadixCase{-2.5, "fffffffe", "37777777776", kOnes31Zero.c_str()},
                      RadixCase{2147483648.0, "80000000", "20000000000", kOneZeros31.c_str()},
                      RadixCase{4294967297.0, "1", "1", "1"},
                      RadixCase{-0.9, "0", "0", "0"}, RadixCase{4294967296.0, "0", "0", "0"},
                      RadixCase{1e20, "0", "0", "0"}, RadixCase{kInf, "0", "0", "0"},
                      RadixCase{-kInf, "0", "0", "0"},
                      RadixCase{std::numeric_limits<double>::quiet_NaN(), "0", "0", "0"},
                      RadixCase{3054.0, "bee", "5756", "101111101110"}));

TEST(NumberRadixOther, DecimalIsSignedAndBadRadixFallsBackToDecimal) {
  EXPECT_EQ(Radix(-2147483648.0, 10), "-2147483648");
  EXPECT_EQ(Radix(2147483647.0, 10), "2147483647");
  EXPECT_EQ(Radix(4294967295.0, 10), "-1");
  EXPECT_EQ(Radix(0.0, 10), "0");
  for (int radix : {-5, 0, 1, 17, 1000}) {
    EXPECT_EQ(Radix(-12.0, radix), "-12") << radix;
  }
  EXPECT_EQ(Radix(-1.0, 3), "102002022201221111210");  // 4294967295 in radix 3
}

struct IntCase {
  double value;
  std::int32_t result;
};

class NumberToInt32Table : public ::testing::TestWithParam<IntCase> {};

TEST_P(NumberToInt32Table, KeepsLowBitsWithinSixtyFourBits) {
  EXPECT_EQ(ToInt32(GetParam().value), GetParam().result) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, NumberToInt32Table,
    ::testing::Values(
        IntCase{3.9, 3}, IntCase{-3.9, -3}, IntCase{-0.0, 0}, IntCase{0.9999, 0},
        IntCase{2147483647.0, 2147483647}, IntCase{2147483648.0, INT32_MIN},
        IntCase{-2147483648.0, INT32_MIN}, IntCase{-2147483649.0, 2147483647},
        IntCase{4294967295.0, -1}, IntCase{4294967296.0, 0}, IntCase{4294967297.5, 1},
        IntCase{1e19, 0}, IntCase{0x1p63, 0}, IntCase{-0x1p63, 0},
        IntCase{0x1p63 - 1024.0, -1024}, IntCase{-0x1p63 + 1024.0, 1024},
        IntCase{-0x1p63 - 2048.0, 0}, IntCase{0x1p62 + 5.0 * 0x1p10, 5120},
        IntCase{1e300, 0}, IntCase{-1e300, 0}, IntCase{kInf, 0}, IntCase{-kInf, 0},
        IntCase{std::numeric_limits<double>::quiet_NaN(), 0},
        IntCase{-std::numeric_limits<double>::quiet_NaN(), 0}));

}  // namespace
