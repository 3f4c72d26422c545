// EvaluateLine: normalisation, upper-casing, the assignment prefix, the
// overflow flag's precedence, the texts written back and the variables.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "engine.h"
#include "engine_test_helpers.h"

namespace {

// ---------------------------------------------------------------------------
// NormalizeExpression

struct NormalizeCase {
  const char *input;
  const char *expected;
};

class NormalizeTest : public ::testing::TestWithParam<NormalizeCase> {};

TEST_P(NormalizeTest, RewritesInPlace) {
  char buffer[kLineBufferSize] = {};
  std::strcpy(buffer, GetParam().input);
  NormalizeExpression(buffer);
  EXPECT_STREQ(buffer, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, NormalizeTest,
    ::testing::Values(NormalizeCase{"", ""}, NormalizeCase{"1 + 2", "1+2"},
                      NormalizeCase{"\t1\t*\t2 ", "1*2"},
                      NormalizeCase{"[1+2]*{3}", "(1+2)*(3)"},
                      NormalizeCase{"1+2 ; note", "1+2"}, NormalizeCase{"1+2'x", "1+2"},
                      NormalizeCase{"1+2:x;y'z", "1+2"}, NormalizeCase{"; only", ""},
                      NormalizeCase{"a b\tc", "abc"},
                      // Bytes are tested one by one: the second byte of a
                      // double-byte character is not protected.
                      NormalizeCase{"\x83\x5B\x81\x7B", "\x83(\x81("},
                      NormalizeCase{"\x84\xA0 x", "\x84\xA0x"},
                      NormalizeCase{"\r\n", "\r\n"}));

// Every byte value between two digits: dropped, turned into a parenthesis,
// ending the line as a comment mark, or kept as it is.
TEST(NormalizeEveryByte, KeepsDropsOrEnds) {
  for (int b = 1; b < 256; ++b) {
    const char c = static_cast<char>(b);
    char buffer[kLineBufferSize] = {'1', c, '2', '\0'};
    NormalizeExpression(buffer);
    std::string expected;
    if (c == '\'' || c == ':' || c == ';') expected = "1";
    else if (c == ' ' || c == '\t') expected = "12";
    else if (c == '[' || c == '{') expected = "1(2";
    else if (c == ']' || c == '}') expected = "1)2";
    else expected = std::string{'1', c, '2'};  // lower-case letters too: no upper-casing here
    EXPECT_EQ(std::string(buffer), expected) << "byte " << b;
  }
}

// ---------------------------------------------------------------------------
// Messages

TEST(EvalErrorMessageTest, MessagesAreTheUtf8Texts) {
  EXPECT_STREQ(EvalErrorMessage(1),
               "\xEF\xBD\xB5-\xEF\xBE\x8A\xEF\xBE\x9E-\xEF\xBE\x8C\xEF\xBE\x9B-\xE3\x81\xA7\xE3\x81\x99");
  EXPECT_STREQ(EvalErrorMessage(2),
               "\xE9\x9B\xB6\xE3\x81\xA7\xE9\x99\xA4\xE7\xAE\x97\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x97\xE3\x81\x9F");
  EXPECT_STREQ(EvalErrorMessage(4), "\xE6\x96\x87\xE6\xB3\x95\xEF\xBD\xB4\xEF\xBE\x97-\xE3\x81\xA7\xE3\x81\x99");
  EXPECT_STREQ(EvalErrorMessage(5),
               "\xE5\xBC\x95\xE6\x95\xB0\xE3\x81\x8C\xE8\xA8\xB1\xE5\xAE\xB9\xE7\xAF\x84\xE5\x9B\xB2\xE5\xA4\x96"
               "\xE3\x81\xA7\xE3\x81\x99");
  std::size_t longest = 0;
  for (int code : {1, 2, 4, 5}) longest = std::max(longest, std::strlen(EvalErrorMessage(code)));
  EXPECT_EQ(longest, kMaxMessageLength);
}

TEST(EvalErrorMessageTest, UnassignedCodesHaveNoMessage) {
  for (int code : {0, 3, 6, -1, 1000}) EXPECT_STREQ(EvalErrorMessage(code), "") << code;
}

// ---------------------------------------------------------------------------
// Whole slot lines

struct LineCase {
  const char *line;
  int code;
  const char *text;       // the result text, or nullptr for the code's message
  char variable;          // the variable to look at afterwards
  double before;          // its value before the line
  double after;           // its value after the line
};

class SlotLineTest : public CleanEngineStateParamTest<LineCase> {};

TEST_P(SlotLineTest, CodeTextAndVariable) {
  const LineCase &c = GetParam();
  StoreVariable(c.variable, c.before);
  Evaluation e = Evaluate(c.line);
  EXPECT_EQ(e.code, c.code);
  EXPECT_EQ(e.text, c.text != nullptr ? c.text : EvalErrorMessage(c.code));
  EXPECT_EQ(Bits(ReadVariable(c.variable - 'A')), Bits(c.after));
}

const double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Lines, SlotLineTest,
    ::testing::Values(
        LineCase{"A= ", 4, nullptr, 'A', 7, 0},
        LineCase{"A= ; only a comment", 4, nullptr, 'A', 7, 0},
        LineCase{"b= 2+3 ; note", 0, "5.", 'B', 7, 5},
        LineCase{"C= [1+2]*{3}", 0, "9.", 'C', 7, 9},
        LineCase{"B= A=5", 4, nullptr, 'B', 7, 0},
        LineCase{"B= A=5", 4, nullptr, 'A', 3, 3},  // only the first pair assigns
        LineCase{"D= sin(0)", 0, "0.", 'D', 7, 0},
        LineCase{"E= 1e999", 1, nullptr, 'E', 7, 0},
        LineCase{"E= 1e-400", 1, nullptr, 'E', 7, 0},
        LineCase{"E= 1e300*1e300", 0, "1.#INF", 'E', 7, kInfinity},
        LineCase{"F= 0x80000000", 1, nullptr, 'F', 7, 0},
        LineCase{"G= 1+A/0", 2, nullptr, 'G', 7, 0},
        LineCase{"a = 5", 0, "5.", 'A', 7, 5},       // blanks go before the prefix test
        LineCase{"H= -1.234567891e-100", 0, "-1.234567891e-100", 'H', 7, -1.234567891e-100},
        LineCase{"I= 0xff", 0, "255.", 'I', 7, 255},
        LineCase{"J= 0.5 ' half", 0, "0.5", 'J', 7, 0.5}));

using EvaluateLineTest = CleanEngineStateTest;

TEST_F(EvaluateLineTest, LineWithoutPrefixTouchesNoVariable) {
  for (char letter = 'A'; letter <= 'Z'; ++letter) StoreVariable(letter, 1.5);
  for (const char *line : {"2+3", "1/0", "AB=1", "=5", "1=2", "SQR(-1)"}) {
    Evaluate(line);
    for (int i = 0; i < 26; ++i) EXPECT_EQ(ReadVariable(i), 1.5) << line;
  }
}

TEST_F(EvaluateLineTest, PrefixNeedsLetterThenEquals) {
  struct Case {
    const char *line;
    int code;
    int stop;
  };
  // Without a prefix the "=" is text left over (or nothing readable).
  for (Case c : {Case{"AB=1", 4, 1}, Case{"=5", 4, 0}, Case{"1=2", 4, 1}}) {
    Evaluation e = Evaluate(c.line);
    EXPECT_EQ(e.code, c.code) << c.line;
    EXPECT_EQ(e.stop, c.stop) << c.line;
  }
}

TEST_F(EvaluateLineTest, StopCountsFromAfterThePrefixInTheNormalisedText) {
  Evaluation e = Evaluate("B=  1 + * 2");
  EXPECT_EQ(e.code, 4);
  EXPECT_EQ(e.stop, 2);
  e = Evaluate("B= 12 + 345");
  EXPECT_EQ(e.code, 0);
  EXPECT_EQ(e.stop, 6);
}

TEST_F(EvaluateLineTest, VariablesAreReadByIndexAndClearedTogether) {
  StoreVariable('A', 2);
  StoreVariable('Z', -3);
  EXPECT_EQ(ReadVariable(0), 2);
  EXPECT_EQ(ReadVariable(25), -3);
  for (int index : {-1, 26, 1000, INT_MIN, INT_MAX}) EXPECT_EQ(ReadVariable(index), 0.0) << index;
  ClearVariables();
  for (int i = 0; i < 26; ++i) EXPECT_EQ(ReadVariable(i), 0.0) << i;
}

TEST_F(EvaluateLineTest, LaterLinesSeeEarlierAssignments) {
  EXPECT_EQ(Evaluate("A= 2").code, 0);
  EXPECT_EQ(Evaluate("B= A*3").value, 6);
  EXPECT_EQ(Evaluate("A= A+B").value, 8);  // reads the old A
  EXPECT_EQ(ReadVariable(0), 8);
  EXPECT_EQ(Evaluate("a+b").value, 14);    // lower-case letters read the same variables
  EXPECT_EQ(Evaluate("B= SQR(-1)").code, 5);
  EXPECT_EQ(Evaluate("A+B").value, 8);     // a failed slot contributes 0
}

TEST_F(EvaluateLineTest, ValueIsZeroAfterParseErrors) {
  for (const char *line : {"5/0", "1+", "2PI", "SQR(-1)", "1+2)))"}) {
    Evaluation e = Evaluate(line);
    EXPECT_NE(e.code, 0) << line;
    EXPECT_EQ(Bits(e.value), Bits(0.0)) << line;
  }
}

// The overflow flag turns every outcome into code 1, and is cleared before
// each evaluation.
TEST_F(EvaluateLineTest, OverflowFlagWinsOverOtherOutcomes) {
  struct Case {
    const char *line;
    int codeWithoutFlag;  // documents what the parser alone would say
  };
  for (Case c : {Case{"1e999+1/0", 2}, Case{"1e999+", 4}, Case{"1e999+SQR(-1)", 5},
                 Case{"0x80000000)))", 4}, Case{"0*10^400", 0}, Case{"1/10^400", 0},
                 Case{"1e-400", 0}, Case{"(-10)^309", 0}}) {
    Evaluation e = Evaluate(c.line);
    EXPECT_EQ(e.code, 1) << c.line;
    EXPECT_EQ(e.text, EvalErrorMessage(1)) << c.line;
  }
  // An error raised before the literal is read leaves the flag alone.
  EXPECT_EQ(Evaluate("1/0+1e999").code, 2);
  EXPECT_EQ(Evaluate("1e999").code, 1);
  EXPECT_EQ(Evaluate("1+1").code, 0);
}

TEST_F(EvaluateLineTest, ArithmeticBeyondTheRangeIsAValue) {
  EXPECT_EQ(Evaluate("1e300*1e300").text, "1.#INF");
  EXPECT_EQ(Evaluate("-1e300*1e300").text, "-1.#INF");
  Evaluation e = Evaluate("1e300*1e300-1e300*1e300");
  EXPECT_EQ(e.code, 0);
  EXPECT_EQ(e.text, "-1.#IND");
  EXPECT_EQ(Bits(e.value), kDefaultNaNBits);
}

TEST_F(EvaluateLineTest, LongestLineFitsAndEvaluates) {
  std::string line = "Z= ";
  for (int i = 0; i < 127; ++i) line += "1+";
  line += "1";  // 255 characters of expression
  ASSERT_EQ(line.size(), 3 + kMaxExpressionLength);
  Evaluation e = Evaluate(line.c_str());
  EXPECT_EQ(e.code, 0);
  EXPECT_EQ(e.text, "128.");
  EXPECT_EQ(e.stop, 255);
  EXPECT_EQ(ReadVariable('Z' - 'A'), 128);
}

// Lines longer than any slot (as a caller that ignores the limit could pass)
// still end in an answer, not in a stack overflow.
TEST_F(EvaluateLineTest, OverlongNestingIsASyntaxError) {
  std::vector<char> line(200000, '(');
  line.push_back('1');
  line.push_back('\0');
  double value = 0;
  int stop = 0;
  EXPECT_EQ(EvaluateLine(line.data(), &value, &stop, false), 4);
  EXPECT_STREQ(line.data(), EvalErrorMessage(4));
}

}  // namespace
