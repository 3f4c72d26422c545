// The grammar: precedence, word operators and where they are recognised,
// brackets, the integer operators, error codes and stop positions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "engine.h"
#include "engine_test_helpers.h"
#include "parser.h"

namespace {

struct ParseCase {
  const char *input;
  int code;
  double value;  // checked when code is 0
  int stop;      // -1: the end of the normalised text
};

void PrintTo(const ParseCase &c, std::ostream *os) { *os << c.input; }

std::size_t NormalisedLength(const char *input) {
  char buffer[kLineBufferSize] = {};
  std::strncpy(buffer, input, kLineBufferSize - 1);
  NormalizeExpression(buffer);
  return std::strlen(buffer);
}

void CheckParseCase(const ParseCase &c) {
  Evaluation e = Evaluate(c.input);
  EXPECT_EQ(e.code, c.code) << c.input;
  if (c.code == 0) EXPECT_EQ(Bits(e.value), Bits(c.value)) << c.input << " gave " << e.value;
  int stop = c.stop >= 0 ? c.stop : static_cast<int>(NormalisedLength(c.input));
  EXPECT_EQ(e.stop, stop) << c.input;
}

class GrammarTest : public CleanEngineStateParamTest<ParseCase> {
 protected:
  void SetUp() override {
    StoreVariable('A', 7);
  }
};

TEST_P(GrammarTest, CodeValueAndStop) { CheckParseCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Precedence, GrammarTest,
    ::testing::Values(ParseCase{"1+2*3", 0, 7, -1}, ParseCase{"7-2-1", 0, 4, -1},
                      ParseCase{"2^3^2", 0, 64, -1}, ParseCase{"-2^2", 0, -4, -1},
                      ParseCase{"2^-1", 0, 0.5, -1}, ParseCase{"2*-3", 0, -6, -1},
                      ParseCase{"8/4/2", 0, 1, -1}, ParseCase{"2+7 MOD 3", 0, 3, -1},
                      ParseCase{"7*2 MOD 3", 0, 2, -1}, ParseCase{"1+6 AND 3", 0, 3, -1},
                      ParseCase{"2^-010", 0, 1.0 / 1024, -1}, ParseCase{"--5", 0, 5, -1},
                      ParseCase{"2^3*2", 0, 16, -1}, ParseCase{"2^1+1", 0, 3, -1}));

INSTANTIATE_TEST_SUITE_P(
    IntegerOperators, GrammarTest,
    ::testing::Values(ParseCase{"7\\2", 0, 3, -1}, ParseCase{"-7\\2", 0, -3, -1},
                      ParseCase{"-7%3", 0, -1, -1}, ParseCase{"7%-3", 0, 1, -1},
                      ParseCase{"7.9\\2.5", 0, 3, -1}, ParseCase{"A%3", 0, 1, -1},
                      ParseCase{"5\\0", 2, 0, 3}, ParseCase{"5\\0.5", 2, 0, 5},
                      ParseCase{"5%0", 2, 0, 3}, ParseCase{"4294967295 AND 255", 0, 255, -1},
                      ParseCase{"4294967296\\1", 0, 0, -1},
                      // The one quotient that leaves the 32-bit range wraps
                      // instead of trapping.
                      ParseCase{"-2147483648\\-1", 0, -2147483648.0, -1},
                      ParseCase{"-2147483648%-1", 0, 0, -1},
                      ParseCase{"2147483648 DEV -1", 0, -2147483648.0, -1},
                      ParseCase{"6 AND 3", 0, 2, -1}, ParseCase{"6 OR 3", 0, 7, -1},
                      ParseCase{"6 XOR 3", 0, 5, -1}, ParseCase{"6#3", 0, 5, -1},
                      ParseCase{"~0", 0, -1, -1}, ParseCase{"~~5", 0, 5, -1},
                      ParseCase{"3&~5", 0, 2, -1}, ParseCase{"1 OR 2 AND 3", 0, 3, -1}));

INSTANTIATE_TEST_SUITE_P(
    WordOperatorPlaces, GrammarTest,
    ::testing::Values(ParseCase{"2**3", 0, 8, -1}, ParseCase{"7 DEV 2", 0, 3, -1},
                      ParseCase{"12DEV5", 0, 2, -1}, ParseCase{"7 mod 2", 0, 1, -1},
                      ParseCase{"(7)MOD 2", 0, 1, -1}, ParseCase{"(2)**3", 0, 8, -1},
                      ParseCase{"SIN(0)XOR 3", 0, 3, -1}, ParseCase{"(NOT 0)", 0, -1, -1},
                      ParseCase{"1+NOT 0", 0, 0, -1}, ParseCase{"2*NOT 1", 0, -4, -1},
                      ParseCase{"1 AND NOT 0", 0, 1, -1},
                      // Never rewritten at the start, after a variable, after
                      // PI, or at the start of an argument.
                      ParseCase{"NOT 0", 4, 0, 1}, ParseCase{"MOD 2", 4, 0, 1},
                      ParseCase{"A MOD 3", 4, 0, 1}, ParseCase{"A**2", 4, 0, 2},
                      ParseCase{"PI MOD 2", 4, 0, 2}, ParseCase{"SIN(NOT 0)", 4, 0, 5},
                      ParseCase{"~5&3", 4, 0, 2}));

INSTANTIATE_TEST_SUITE_P(
    Brackets, GrammarTest,
    ::testing::Values(ParseCase{"(1+2", 0, 3, -1}, ParseCase{"((1+2", 0, 3, -1},
                      ParseCase{"1+2)", 0, 3, -1}, ParseCase{"1+2))", 0, 3, -1},
                      ParseCase{"1+2)))", 4, 0, 5}, ParseCase{")", 4, 0, 0},
                      ParseCase{"(1+2)*3", 0, 9, -1}, ParseCase{"[1+2]*{3}", 0, 9, -1},
                      ParseCase{"((((1))))", 0, 1, -1}, ParseCase{"(1)+(2", 0, 3, -1},
                      ParseCase{"()", 4, 0, 1}, ParseCase{"(1)(2)", 4, 0, 3}));

INSTANTIATE_TEST_SUITE_P(
    Errors, GrammarTest,
    ::testing::Values(ParseCase{"", 4, 0, 0}, ParseCase{"1+", 4, 0, 2},
                      ParseCase{"1+*2", 4, 0, 2}, ParseCase{"*2", 4, 0, 0},
                      ParseCase{"2PI", 4, 0, 1}, ParseCase{"2(3)", 4, 0, 1},
                      ParseCase{"2A", 4, 0, 1}, ParseCase{"1/0", 2, 0, 3},
                      ParseCase{"1+A/0", 2, 0, 5}, ParseCase{"0^-1", 2, 0, 4},
                      ParseCase{"1 2", 0, 12, -1}, ParseCase{"1,5", 4, 0, 1},
                      ParseCase{"1+$", 4, 0, 2}, ParseCase{"\x82\xA0", 4, 0, 0},
                      ParseCase{"1/(0*(1E300*1E300))", 2, 0, 19},
                      ParseCase{"0^(0*(1E300*1E300))", 2, 0, 19},
                      ParseCase{"(0*(1E300*1E300))^-1", 2, 0, 20},
                      ParseCase{"08", 4, 0, 1}, ParseCase{"0X1AND3", 4, 0, 4}));

TEST(ParserTest, NanBaseWithPositiveExponentIsAValue) {
  Evaluation e = Evaluate("(0*(1E300*1E300))^2");
  EXPECT_EQ(e.code, 0);
  EXPECT_EQ(Bits(e.value), kDefaultNaNBits);
}

const double kNoVariables[26] = {};

TEST(ParserTest, AdvanceCursorRewritesTheBufferAndStopsAtTheEnd) {
  ParseState state(kNoVariables);
  char text[] = "7 MOD 2";
  state.cursor = text;
  AdvanceCursor(state);  // over "7" and the blank onto MOD
  EXPECT_EQ(state.cursor, text + 4);
  EXPECT_STREQ(text, "7 MO% 2");
  char end[] = "";
  state.cursor = end;
  AdvanceCursor(state);
  EXPECT_EQ(state.cursor, end);
}

TEST(ParserTest, AdvanceCursorAppliesTheSevenTestsInOrder) {
  struct Case {
    const char *text;  // the cursor starts on the first byte
    const char *after;
    int cursor;
  };
  for (Case c : {Case{"1MOD", "1MO%", 3}, Case{"1DEV", "1DE\\", 3}, Case{"1**", "1*^", 2},
                 Case{"1AND", "1AN&", 3}, Case{"1OR", "1O|", 2}, Case{"1NOT", "1NO~", 3},
                 Case{"1XOR", "1XO#", 3}, Case{"1xor", "1xo#", 3},
                 // A later test looks where the earlier one left the cursor.
                 Case{"1MODOR", "1MO%OR", 3}, Case{"1ORNOT", "1O|NOT", 2},
                 Case{"1MO", "1MO", 1}, Case{"1X", "1X", 1},
                 // Either case, and nothing for a byte that begins no word.
                 Case{"1mod", "1mo%", 3}, Case{"1Dev", "1De\\", 3}, Case{"1aNd", "1aN&", 3},
                 Case{"1or", "1o|", 2}, Case{"1not", "1no~", 3}, Case{"1*2", "1*2", 1},
                 Case{"1M", "1M", 1}, Case{"1+", "1+", 1}, Case{"1NO", "1NO", 1}}) {
    char text[16];
    std::strcpy(text, c.text);
    ParseState state(kNoVariables);
    state.cursor = text;
    AdvanceCursor(state);
    EXPECT_STREQ(text, c.after) << c.text;
    EXPECT_EQ(state.cursor - text, c.cursor) << c.text;
  }
}

// Everything a parse reads or sets beside its text is in the state it is
// handed: the variables, the flag, the cursor; nothing is left for the next.
TEST(ParserTest, ParseWorksOnTheStateItIsGiven) {
  double variables[26] = {};
  variables['B' - 'A'] = 5;
  ParseState state(variables);
  char text[] = "B*2+1E999";
  double value = 0;
  int stop = -1;
  EXPECT_EQ(ParseExpression(state, text, &value, &stop, false), 0);
  EXPECT_EQ(value, std::numeric_limits<double>::infinity());
  EXPECT_TRUE(state.overflow);  // EvaluateLine turns it into error 1
  EXPECT_EQ(state.cursor, text + 9);
  EXPECT_EQ(ReadVariable(1), 0.0) << "the engine's own table is not the one read";
  ParseState next(variables);
  char again[] = "B";
  EXPECT_EQ(ParseExpression(next, again, &value, &stop, false), 0);
  EXPECT_EQ(value, 5);
  EXPECT_FALSE(next.overflow);
}

TEST(ParserTest, ParseExpressionReportsLeftoverText) {
  char text[] = "1+2X";
  double value = -1;
  int stop = -1;
  ParseState state(kNoVariables);
  EXPECT_EQ(ParseExpression(state, text, &value, &stop, false), 4);
  EXPECT_EQ(value, 0);
  EXPECT_EQ(stop, 3);
}

TEST(ParserTest, DeepNestingWithinALine) {
  std::string open(200, '(');
  Evaluation e = Evaluate((open + "1").c_str());
  EXPECT_EQ(e.code, 0);
  EXPECT_EQ(e.value, 1);
  // Each level takes one ")", the top level one more, the line one more.
  std::string some(100, '(');
  e = Evaluate((some + "1" + std::string(102, ')')).c_str());
  EXPECT_EQ(e.code, 0);
  e = Evaluate((some + "1" + std::string(103, ')')).c_str());
  EXPECT_EQ(e.code, 4);
  EXPECT_EQ(e.stop, 203);
  std::string full(kMaxExpressionLength, '(');
  e = Evaluate(full.c_str());
  EXPECT_EQ(e.code, 4);
  EXPECT_EQ(e.stop, static_cast<int>(kMaxExpressionLength));
  std::string tildes(kMaxExpressionLength - 1, '~');
  e = Evaluate((tildes + "5").c_str());
  EXPECT_EQ(e.code, 0);
  EXPECT_EQ(e.value, 5);  // an even number of complements
  std::string functions;
  for (int i = 0; i < 50; ++i) functions += "ABS(";
  e = Evaluate((functions + "-2").c_str());
  EXPECT_EQ(e.value, 2);
}

}  // namespace
