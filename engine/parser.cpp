// The recursive-descent evaluator. Each level computes while it reads and
// carries its grammar rule above it, in this form:
//   "x"  the byte x at the cursor        {x}  x any number of times
//   [x]  x or nothing                    |    one or the other
// An operator byte is stepped over with AdvanceCursor unless the rule's notes
// say otherwise; that step alone turns word operators into their bytes.
// Precedence, loosest first: bitwise (~ & | # and the closing parenthesis),
// sum, intdiv, product, unary, power, primary. All binary operators are
// left-associative.
//
// Every level takes the one evaluation's state by reference (parse_state.h):
// the cursor, the depth, the angle factor, the variables, the overflow flag
// and the trap. Errors leave through longjmp to the trap armed in
// ParseExpression. No level owns anything that would need cleaning up, and
// nothing is allocated, so the jump is safe and cheap.
#include "parser.h"

#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstring>

#include "ascii.h"
#include "engine.h"
#include "functions.h"

// A line that fits the caller's buffer cannot nest deeper than its length;
// the bound only keeps an overlong line from exhausting the stack.
static const int kMaxNestingDepth = static_cast<int>(kLineBufferSize) + 8;

// The levels, loosest first, and the call. Each reads at state.cursor and
// leaves it on the first byte it did not use; its grammar rule stands above
// its definition. They are this file's own, so the compiler may fold them
// into one another.
static double ParseBitwise(ParseState &state);
static double ParseSum(ParseState &state);
static double ParseIntDiv(ParseState &state);
static double ParseProduct(ParseState &state);
static double ParseUnary(ParseState &state);
static double ParsePower(ParseState &state);
static double ParsePrimary(ParseState &state);
static double ReadFunctionCall(ParseState &state, const FunctionEntry *entry);

// expression = bitwise [")"] end
// One stray ")" at the top level is accepted here, beside the one bitwise
// consumed; anything else left over is error 4, stopped on it.
int ParseExpression(ParseState &state, char *text, double *value, int *stop, bool degreeMode) {
  *value = 0.0;
  state.angleFactor = degreeMode ? kPi * kReciprocalOf180 : 1.0;
  state.cursor = text;
  state.depth = 0;
  if (setjmp(state.trap) != 0) {
    *stop = static_cast<int>(state.cursor - text);
    *value = 0.0;
    return state.raisedCode;
  }
  double v = ParseBitwise(state);
  *value = v;
  if (*state.cursor == ')') AdvanceCursor(state);
  *stop = static_cast<int>(state.cursor - text);
  if (*state.cursor == '\0') return kEvalOk;
  *value = 0.0;
  return kEvalSyntax;  // text left over
}

// ---------------------------------------------------------------------------
// The advance step and the word operators.

// On a match, moves the cursor to the word's last character and overwrites it.
static void RewriteWordOperator(ParseState &state, const char *word, int lastOffset,
                                char operatorChar) {
  if (MatchWord(state.cursor, word) == 0) return;
  state.cursor += lastOffset;
  *state.cursor = operatorChar;
}

// Word operators, in either letter case, each rewritten in the buffer as the
// byte that its rule reads:
//   "MOD" -> "%"   "DEV" -> "\"   "**" -> "^"   "AND" -> "&"
//   "OR" -> "|"    "NOT" -> "~"   "XOR" -> "#"
// Only where this step lands: after a number, an operator byte, "(" or a ")"
// that bitwise consumed; never at the start of the line or of a function's
// argument, nor right after PI or a variable.
void AdvanceCursor(ParseState &state) {
  if (*state.cursor == '\0') return;
  ++state.cursor;
  while (*state.cursor == ' ') ++state.cursor;
  // The words begin with seven different characters, and a rewritten word
  // leaves an operator character that begins none of them, so the first
  // byte picks the only word that can match.
  switch (ToUpperAscii(*state.cursor)) {
    case 'M': RewriteWordOperator(state, "MOD", 2, '%'); break;
    case 'D': RewriteWordOperator(state, "DEV", 2, '\\'); break;
    case '*': RewriteWordOperator(state, "**", 1, '^'); break;
    case 'A': RewriteWordOperator(state, "AND", 2, '&'); break;
    case 'O': RewriteWordOperator(state, "OR", 1, '|'); break;
    case 'N': RewriteWordOperator(state, "NOT", 2, '~'); break;
    case 'X': RewriteWordOperator(state, "XOR", 2, '#'); break;
    default: break;
  }
}

// ---------------------------------------------------------------------------
// The levels.

static double FromInt32(std::int32_t n) { return static_cast<double>(n); }

// bitwise = "~" sum | sum {("&" | "|" | "#") sum} [")"]
// The ")" that closes a parenthesis or a function's argument is consumed
// here, and ends the level. The "~" form returns at once: a following & | #
// or ")" is left to the level above, so ~5&3 at the top is error 4 and in
// ABS(~5) the ")" is consumed one level further out. The operands of ~ & | #
// are taken as 32-bit integers. Blanks before it are skipped; nesting deeper
// than any line that fits the buffer is error 4.
static double ParseBitwise(ParseState &state) {
  if (++state.depth > kMaxNestingDepth) RaiseEvalError(state, kEvalSyntax);
  while (*state.cursor == ' ') ++state.cursor;
  if (*state.cursor == '~') {
    AdvanceCursor(state);
    double w = ParseSum(state);
    --state.depth;
    return FromInt32(~ToInt32(w));
  }
  double v = ParseSum(state);
  for (;;) {
    char c = *state.cursor;
    if (c != '&' && c != '|' && c != '#' && c != ')') break;
    AdvanceCursor(state);
    if (c == ')') break;
    double w = ParseSum(state);
    std::int32_t a = ToInt32(v);
    std::int32_t b = ToInt32(w);
    if (c == '&') v = FromInt32(a & b);
    else if (c == '|') v = FromInt32(a | b);
    else v = FromInt32(a ^ b);
  }
  --state.depth;
  return v;
}

// sum = intdiv {("+" | "-") intdiv}
// Beyond the double range the result is an infinity or a NaN, not an error.
static double ParseSum(ParseState &state) {
  double v = ParseIntDiv(state);
  for (;;) {
    char c = *state.cursor;
    if (c != '+' && c != '-') return v;
    AdvanceCursor(state);
    double w = ParseIntDiv(state);
    v = c == '+' ? v + w : v - w;
  }
}

// intdiv = product {("\" | "%") product}
// Both operands are taken as 32-bit integers first, so a divisor of 0.5 is
// a division by zero (error 2) too. "\" truncates toward zero; "%" keeps the
// sign of the dividend.
static double ParseIntDiv(ParseState &state) {
  double v = ParseProduct(state);
  for (;;) {
    char c = *state.cursor;
    if (c != '\\' && c != '%') return v;
    AdvanceCursor(state);
    double w = ParseProduct(state);
    // 64-bit arithmetic: -2147483648 by -1 gives 2147483648, which wraps back
    // to -2147483648 (remainder 0) instead of trapping.
    std::int64_t a = ToInt32(v);
    std::int64_t b = ToInt32(w);
    if (b == 0) RaiseEvalError(state, kEvalDivideByZero);
    std::int64_t result = c == '\\' ? a / b : a % b;
    v = FromInt32(static_cast<std::int32_t>(static_cast<std::uint32_t>(result)));
  }
}

// product = unary {("*" | "/") unary}
// A divisor equal to 0 or not a number is error 2; beyond the double range
// the result is an infinity, not an error.
static double ParseProduct(ParseState &state) {
  double v = ParseUnary(state);
  for (;;) {
    char c = *state.cursor;
    if (c != '*' && c != '/') return v;
    AdvanceCursor(state);
    double w = ParseUnary(state);
    if (c == '*') {
      v = v * w;
    } else {
      if (w == 0.0 || std::isnan(w)) RaiseEvalError(state, kEvalDivideByZero);
      v = v / w;
    }
  }
}

// unary = ["-"] power
// The minus takes the whole power: -2^2 is -4. A second sign can only be the
// sign of a number literal: --2 is 2, --A is error 4.
static double ParseUnary(ParseState &state) {
  if (*state.cursor == '-') {
    AdvanceCursor(state);
    return -ParsePower(state);
  }
  return ParsePower(state);
}

// power = primary {"^" primary}
// Left-associative (2^3^2 is 64), and the exponent is a primary: 2^-1 reads
// the signed literal -1, while an exponent that is a sum needs parentheses.
// A base of 0 or not a number with an exponent below 0 or not a number is
// error 2; ComputePower may set the overflow flag.
static double ParsePower(ParseState &state) {
  double v = ParsePrimary(state);
  while (*state.cursor == '^') {
    AdvanceCursor(state);
    double w = ParsePrimary(state);
    if ((v == 0.0 || std::isnan(v)) && (w < 0.0 || std::isnan(w))) {
      RaiseEvalError(state, kEvalDivideByZero);
    }
    v = ComputePower(v, w, &state.overflow);
  }
  return v;
}

// primary = "PI" | "~" sum | "(" bitwise | call | letter | number
// Tried in this order, so PI is never the variable P, and a name of the
// function table never a variable. The "~" is left to bitwise, which reads
// it. After PI and after a letter the cursor moves without the advance step:
// PI MOD 2 and A MOD 3 are error 4. The ")" after "(" bitwise is consumed by
// bitwise; one missing at the end of the line is accepted. A number may
// carry a sign, which the literal reads; the advance step moves past it.
// Nothing readable, the end of the line included, is error 4.
static double ParsePrimary(ParseState &state) {
  char c = *state.cursor;
  if (c == 'P' && state.cursor[1] == 'I') {
    state.cursor += 2;
    return kPi;
  }
  if (c == '~') return ParseBitwise(state);
  if (c == '(') {
    AdvanceCursor(state);
    return ParseBitwise(state);
  }
  // Every function name begins with two letters; numbers and variables, the
  // common primaries, go on without a look at the table.
  if (IsAsciiLetter(c) && IsAsciiLetter(state.cursor[1])) {
    const FunctionEntry *entry = MatchFunctionName(state.cursor);
    if (entry != nullptr) return ReadFunctionCall(state, entry);
  }
  if (c >= 'A' && c <= 'Z') {
    ++state.cursor;
    return state.variables[c - 'A'];
  }
  if (c == '\0') RaiseEvalError(state, kEvalSyntax);
  double value = 0.0;
  const char *end = ScanNumber(state.cursor, &value, &state.overflow);
  if (end == state.cursor) RaiseEvalError(state, kEvalSyntax);
  state.cursor += (end - state.cursor) - 1;  // the literal's last byte
  AdvanceCursor(state);
  return value;
}

// call = name "(" bitwise
// The name must be followed directly by "(", else error 4 stopped at its
// first letter. The "(" is stepped over without the advance step, so no word
// operator is read at the argument's start: SIN(NOT 0) is error 4. The ")"
// is bitwise's (see there); the operation's own check (error 5) comes after
// it, so it stops past the ")".
static double ReadFunctionCall(ParseState &state, const FunctionEntry *entry) {
  std::size_t length = std::strlen(entry->name);
  if (state.cursor[length] != '(') RaiseEvalError(state, kEvalSyntax);
  state.cursor += length + 1;
  double x = ParseBitwise(state);
  return entry->operation(state, x);
}
