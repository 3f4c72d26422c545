// The function table, the call form, the 13 operations, PI and the angle
// factor, and the power computation.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine.h"
#include "engine_test_helpers.h"
#include "functions.h"
#include "parser.h"
#include "fdlibm_port.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kDegreeFactor = kPi * kReciprocalOf180;

// ---------------------------------------------------------------------------
// Constants and the table

TEST(ConstantsTest, PiReciprocalAndDegreeFactorBits) {
  EXPECT_EQ(Bits(kPi), 0x400921FB544486E0ull);
  EXPECT_EQ(Bits(kReciprocalOf180), 0x3F76C16C16C16C17ull);
  EXPECT_EQ(Bits(kDegreeFactor), 0x3F91DF46A252DD11ull);
}

TEST(ConstantsTest, ParseExpressionSetsTheAngleFactor) {
  const double variables[26] = {};
  ParseState state(variables);
  char text[] = "1";
  double value = 0;
  int stop = 0;
  ParseExpression(state, text, &value, &stop, true);
  EXPECT_EQ(Bits(state.angleFactor), 0x3F91DF46A252DD11ull);
  ParseExpression(state, text, &value, &stop, false);
  EXPECT_EQ(state.angleFactor, 1.0);
  EXPECT_EQ(Bits(Evaluate("PI").value), 0x400921FB544486E0ull);
}

TEST(FunctionTableTest, EighteenNamesInOrder) {
  const char *names[] = {"ABS", "INT", "FIX", "SQR", "SQRT", "SIN", "COS", "TAN", "ATAN",
                         "ATN", "LOG", "EXP", "ACS", "ACOS", "ASN", "ASIN", "LGT", "LOG10"};
  for (std::size_t i = 0; i < kFunctionCount; ++i) EXPECT_STREQ(FunctionTable[i].name, names[i]);
  // Second names share the operation of the first.
  EXPECT_EQ(FunctionTable[3].operation, FunctionTable[4].operation);
  EXPECT_EQ(FunctionTable[8].operation, FunctionTable[9].operation);
  EXPECT_EQ(FunctionTable[12].operation, FunctionTable[13].operation);
  EXPECT_EQ(FunctionTable[14].operation, FunctionTable[15].operation);
  EXPECT_EQ(FunctionTable[16].operation, FunctionTable[17].operation);
}

TEST(FunctionTableTest, MatchTakesTheLongestNameAndIgnoresCase) {
  struct Case {
    const char *text;
    const char *name;  // nullptr: no match
  };
  for (Case c : {Case{"SQRT(2)", "SQRT"}, Case{"SQR(2)", "SQR"}, Case{"SQRX", "SQR"},
                 Case{"LOG10(1)", "LOG10"}, Case{"LOG1", "LOG"}, Case{"log10(", "LOG10"},
                 Case{"sin", "SIN"}, Case{"AtN", "ATN"}, Case{"SI", nullptr}, Case{"", nullptr},
                 Case{"PI", nullptr}, Case{"ASINH", "ASIN"}}) {
    const FunctionEntry *entry = MatchFunctionName(c.text);
    if (c.name == nullptr) {
      EXPECT_EQ(entry, nullptr) << c.text;
    } else {
      ASSERT_NE(entry, nullptr) << c.text;
      EXPECT_STREQ(entry->name, c.name) << c.text;
    }
  }
}

// MatchFunctionName skips the table for a primary that does not begin with
// two letters, so every name must.
TEST(FunctionTableTest, EveryNameBeginsWithTwoUpperCaseLetters) {
  for (const FunctionEntry &entry : FunctionTable) {
    EXPECT_TRUE(entry.name[0] >= 'A' && entry.name[0] <= 'Z') << entry.name;
    EXPECT_TRUE(entry.name[1] >= 'A' && entry.name[1] <= 'Z') << entry.name;
  }
}

TEST(FunctionTableTest, NoMatchForNumbersAndLoneLetters) {
  for (const char *text : {"1", "2(", "A", "A(", "S", "S(", "s", "Z*2", "(", "#", "\x82\xA0"}) {
    EXPECT_EQ(MatchFunctionName(text), nullptr) << text;
  }
}

// ---------------------------------------------------------------------------
// Whole expressions

struct FunctionCase {
  const char *input;
  bool degrees;
  int code;
  double value;  // exact bits expected when code is 0
  int stop;      // -1: not checked
};

void PrintTo(const FunctionCase &c, std::ostream *os) { *os << c.input; }

class FunctionLineTest : public CleanEngineStateParamTest<FunctionCase> {};

TEST_P(FunctionLineTest, CodeValueAndStop) {
  const FunctionCase &c = GetParam();
  Evaluation e = Evaluate(c.input, c.degrees);
  EXPECT_EQ(e.code, c.code);
  if (c.code == 0) EXPECT_EQ(Bits(e.value), Bits(c.value)) << e.value << " vs " << c.value;
  if (c.stop >= 0) EXPECT_EQ(e.stop, c.stop);
}

const double kNaN = std::bit_cast<double>(kDefaultNaNBits);

INSTANTIATE_TEST_SUITE_P(
    CallForm, FunctionLineTest,
    ::testing::Values(FunctionCase{"SQRT(16)", false, 0, 4, 8}, FunctionCase{"SQR(16)", false, 0, 4, 7},
                      FunctionCase{"LOG10(1000)", false, 0, 3, -1},
                      FunctionCase{"LGT(1000)", false, 0, 3, -1},
                      FunctionCase{"SIN (0)", false, 0, 0, 6}, FunctionCase{"SIN[0]", false, 0, 0, 6},
                      FunctionCase{"SIN{0}", false, 0, 0, 6}, FunctionCase{"SIN30", false, 4, 0, 0},
                      FunctionCase{"SIN", false, 4, 0, 0}, FunctionCase{"SIN 30", false, 4, 0, 0},
                      FunctionCase{"1+SIN30", false, 4, 0, 2}, FunctionCase{"SIN()", false, 4, 0, 4},
                      FunctionCase{"ABS(-3", false, 0, 3, 6},
                      FunctionCase{"SIN(NOT 0)", false, 4, 0, 5},
                      FunctionCase{"ABS(~5)", false, 0, 6, 7},
                      FunctionCase{"ABS(~5)+1", false, 4, 0, 7},
                      FunctionCase{"SQR(-4)", false, 5, 0, 7}, FunctionCase{"SQR(-4)+1", false, 5, 0, 7},
                      FunctionCase{"SQR(-4", false, 5, 0, 6},
                      FunctionCase{"SQR(1/0)", false, 2, 0, 7},  // the argument's error comes first
                      FunctionCase{"2^SQR(4)", false, 0, 4, -1},
                      FunctionCase{"SQR(4)^2", false, 0, 4, -1},
                      FunctionCase{"ABS(ABS(-2)-5)", false, 0, 3, -1}));

INSTANTIATE_TEST_SUITE_P(
    Operations, FunctionLineTest,
    ::testing::Values(FunctionCase{"SQR(-0)", false, 0, -0.0, -1}, FunctionCase{"LOG(0)", false, 5, 0, 6},
                      FunctionCase{"LOG(-1)", false, 5, 0, 7}, FunctionCase{"LGT(0)", false, 0, -kInf, -1},
                      FunctionCase{"LGT(-0)", false, 0, -kInf, -1},
                      FunctionCase{"LGT(-1)", false, 0, kNaN, -1}, FunctionCase{"INT(-2.5)", false, 0, -3, -1},
                      FunctionCase{"FIX(-2.5)", false, 0, -2, -1}, FunctionCase{"INT(2.5)", false, 0, 2, -1},
                      FunctionCase{"FIX(2.5)", false, 0, 2, -1}, FunctionCase{"FIX(-0.5)", false, 0, -0.0, -1},
                      FunctionCase{"ABS(-0)", false, 0, 0.0, -1},
                      FunctionCase{"INT(-1E300*1E300)", false, 0, -kInf, -1},
                      FunctionCase{"EXP(710)", false, 0, kInf, -1},
                      FunctionCase{"EXP(1E300*1E300)", false, 0, kInf, -1},
                      FunctionCase{"EXP(-1E300*1E300)", false, 0, 0.0, -1},
                      FunctionCase{"ACS(2)", false, 0, kNaN, -1}, FunctionCase{"ASN(-1.5)", false, 0, kNaN, -1},
                      FunctionCase{"ACS(-1)", false, 0, 3.141592653589793, -1},
                      FunctionCase{"ACS(1)", false, 0, 0.0, -1},
                      FunctionCase{"ASN(1)", false, 0, 1.5707963267948966, -1},
                      FunctionCase{"ATN(1)", false, 0, 0.7853981633974483, -1},
                      FunctionCase{"ATAN(1E300*1E300)", false, 0, 1.5707963267948966, -1},
                      FunctionCase{"SIN(1E300*1E300)", false, 0, kNaN, -1},
                      FunctionCase{"COS(-1E300*1E300)", false, 0, kNaN, -1},
                      FunctionCase{"TAN(1E300*1E300)", false, 0, kNaN, -1},
                      FunctionCase{"EXP(1E300*1E300-1E300*1E300)", false, 0, kNaN, -1},
                      FunctionCase{"SQR(1E300*1E300-1E300*1E300)", false, 5, 0, -1},
                      FunctionCase{"LOG(1E300*1E300)", false, 0, kInf, -1}));

INSTANTIATE_TEST_SUITE_P(
    Power, FunctionLineTest,
    ::testing::Values(FunctionCase{"2^10", false, 0, 1024, -1}, FunctionCase{"(-2)^3", false, 0, -8, -1},
                      FunctionCase{"(-2)^2", false, 0, 4, -1}, FunctionCase{"(-8)^(1/3)", false, 0, kNaN, -1},
                      FunctionCase{"0^0", false, 0, 1, -1}, FunctionCase{"0^2", false, 0, 0, -1},
                      FunctionCase{"10^309", false, 1, 0, -1}, FunctionCase{"(-10)^309", false, 1, 0, -1},
                      FunctionCase{"0*10^400", false, 1, 0, -1}, FunctionCase{"1/10^400", false, 1, 0, -1},
                      FunctionCase{"10^-400", false, 0, 0, -1},
                      FunctionCase{"2^(1E300*1E300)", false, 0, kInf, -1},
                      FunctionCase{"0.5^(1E300*1E300)", false, 0, 0, -1},
                      FunctionCase{"1^(1E300*1E300)", false, 0, kNaN, -1},
                      FunctionCase{"2^-1074", false, 0, 0x1p-1074, -1},
                      FunctionCase{"2^1023", false, 0, 0x1p1023, -1}, FunctionCase{"2^1024", false, 1, 0, -1}));

TEST(FunctionValueTest, ResultTexts) {
  struct Case {
    const char *input;
    bool degrees;
    const char *text;
  };
  for (Case c : {Case{"LOG(1000)", false, "6.907755279"}, Case{"sqr(2)", false, "1.414213562"},
                 Case{"2^0.5", false, "1.414213562"}, Case{"EXP(1)", false, "2.718281828"},
                 Case{"SIN(COS(0))", false, "0.8414709848"}, Case{"PI", false, "3.141592654"},
                 Case{"10^308", false, "1.e+308"}, Case{"ATAN(1)", true, "45."},
                 Case{"ASN(1)", true, "90."}, Case{"ACS(-1)", true, "180."},
                 Case{"ACS(0.5)", true, "60."}, Case{"SIN(30)", true, "0.5"},
                 Case{"SQR(-0)", false, "0."}, Case{"LGT(-1)", false, "-1.#IND"}}) {
    EXPECT_EQ(Evaluate(c.input, c.degrees).text, c.text) << c.input;
  }
}

// The degree factor is built on PI, so degree results are a little off the
// true ones, by the amounts the user sees.
TEST(FunctionValueTest, DegreeModeUsesThePiBasedFactor) {
  struct Case {
    const char *input;
    double expected;   // the true function of x * factor
    double reference;  // the value the user sees, to about 12 digits
  };
  for (Case c : {Case{"SIN(30)", VexSin(30 * kDegreeFactor), 0.50000000000147},
                 Case{"SIN(180)", VexSin(180 * kDegreeFactor), -1.0207e-11},
                 Case{"COS(90)", VexCos(90 * kDegreeFactor), -5.1034e-12},
                 Case{"TAN(90)", VexTan(90 * kDegreeFactor), -1.9595e11},
                 Case{"ATAN(1)", VexAtan(1) / kDegreeFactor, 44.9999999998538},
                 Case{"ASN(1)", VexAsin(1) / kDegreeFactor, 89.9999999997},
                 Case{"ACS(-1)", VexAcos(-1) / kDegreeFactor, 179.9999999994},
                 Case{"ACS(0.5)", VexAcos(0.5) / kDegreeFactor, 59.99999999981}}) {
    Evaluation e = Evaluate(c.input, true);
    EXPECT_EQ(e.code, 0) << c.input;
    EXPECT_EQ(Bits(e.value), Bits(c.expected)) << c.input;
    EXPECT_NEAR(e.value, c.reference, std::fabs(c.reference) * 1e-4 + 1e-13) << c.input;
  }
  EXPECT_NEAR(Evaluate("SIN(30)", true).value, 0.50000000000147, 5e-15);
  Evaluation e = Evaluate("SIN(PI)");
  EXPECT_EQ(Bits(e.value), Bits(VexSin(kPi)));
  EXPECT_NEAR(e.value, -1.0207e-11, 1e-15);
}

TEST(FunctionValueTest, LargeArgumentsGetTrueValues) {
  // sin(1e22) and cos(1e22) from a high-precision reference.
  EXPECT_NEAR(Evaluate("SIN(1E22)").value, -0.8522008497671888, 1e-15);
  EXPECT_NEAR(Evaluate("COS(1E22)").value, 0.5232147853951389, 1e-15);
  EXPECT_EQ(Evaluate("SIN(1E300)").code, 0);
  EXPECT_LE(std::fabs(Evaluate("COS(2^1000)").value), 1.0);
}

TEST(FunctionValueTest, EveryCreatedNaNIsTheDefaultNaN) {
  for (const char *input : {"ACS(2)", "ASN(-1.5)", "LGT(-1)", "(-8)^(1/3)", "1^(1E300*1E300)",
                            "SIN(1E300*1E300)", "ATAN(1E300*1E300-1E300*1E300)",
                            "EXP(1E300*1E300-1E300*1E300)", "LGT(1E300*1E300-1E300*1E300)",
                            "(1E300*1E300-1E300*1E300)^2"}) {
    Evaluation e = Evaluate(input);
    EXPECT_EQ(e.code, 0) << input;
    EXPECT_EQ(Bits(e.value), kDefaultNaNBits) << input;
  }
}

// ---------------------------------------------------------------------------
// ComputePower by its rules

struct PowerCase {
  double base;
  double exponent;
  double expected;
  bool overflow;
};

class ComputePowerTest : public ::testing::TestWithParam<PowerCase> {};

TEST_P(ComputePowerTest, ResultAndFlag) {
  const PowerCase &c = GetParam();
  bool overflow = false;
  double r = ComputePower(c.base, c.exponent, &overflow);
  EXPECT_EQ(Bits(r), Bits(c.expected)) << c.base << " ^ " << c.exponent << " gave " << r;
  EXPECT_EQ(overflow, c.overflow);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ComputePowerTest,
    ::testing::Values(
        // 1: NaN exponent
        PowerCase{2, kNaN, kNaN, false}, PowerCase{1, kNaN, kNaN, false},
        // 2: infinite exponent
        PowerCase{2, kInf, kInf, false}, PowerCase{-2, kInf, kInf, false}, PowerCase{2, -kInf, 0, false},
        PowerCase{0.5, kInf, 0, false}, PowerCase{-0.5, -kInf, kInf, false}, PowerCase{1, kInf, kNaN, false},
        PowerCase{-1, -kInf, kNaN, false}, PowerCase{kNaN, kInf, kNaN, false},
        PowerCase{kInf, kInf, kInf, false}, PowerCase{0, kInf, 0, false},
        // 3: NaN base, also with exponent 0
        PowerCase{kNaN, 0, kNaN, false}, PowerCase{kNaN, 2, kNaN, false},
        // 4: infinite base
        PowerCase{kInf, 2, kInf, false}, PowerCase{kInf, 0, 1, false}, PowerCase{kInf, -2, 0, false},
        PowerCase{-kInf, 3, -kInf, false}, PowerCase{-kInf, 2, kInf, false},
        PowerCase{-kInf, 0.5, kInf, false}, PowerCase{-kInf, -3, -0.0, false},
        PowerCase{-kInf, -2, 0.0, false}, PowerCase{-kInf, 0, 1, false},
        // 5: zero base
        PowerCase{0, 0, 1, false}, PowerCase{-0.0, 0, 1, false}, PowerCase{0, 3, 0, false},
        PowerCase{-0.0, 3, -0.0, false}, PowerCase{-0.0, 2, 0.0, false}, PowerCase{-0.0, 0.5, 0.0, false},
        // 6: negative base
        PowerCase{-2, 3, -8, false}, PowerCase{-2, 2, 4, false}, PowerCase{-2, 0.5, kNaN, false},
        PowerCase{-8, 1.0 / 3, kNaN, false}, PowerCase{-2, -1, -0.5, false},
        PowerCase{-1, 1e300, 1, false}, PowerCase{-10, 309, -kInf, true},
        PowerCase{-10, 308, 1e308, false},
        // 7 and 8: positive base, overflow and underflow
        PowerCase{2, 10, 1024, false}, PowerCase{2, 0.5, 1.4142135623730951, false},
        PowerCase{10, 309, kInf, true}, PowerCase{10, -400, 0, false},
        PowerCase{2, -1074, 0x1p-1074, false}, PowerCase{1, 1e300, 1, false}, PowerCase{1e-300, 1e-300, 1, false}));

}  // namespace
