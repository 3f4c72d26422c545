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
// Errors leave through longjmp to the trap armed in ParseExpression. No level
// owns anything that would need cleaning up, and nothing is allocated, so the
// jump is safe and cheap.
#include "parser.h"

#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstring>

#include "ascii.h"
#include "engine.h"
#include "functions.h"
#include "state.h"

char *ParseCursor = nullptr;

// A line that fits the caller's buffer cannot nest deeper than its length;
// the bound only keeps an overlong line from exhausting the stack.
static const int kMaxNestingDepth = static_cast<int>(kLineBufferSize) + 8;
static int NestingDepth = 0;

// expression = bitwise [")"] end
// One stray ")" at the top level is accepted here, beside the one bitwise
// consumed; anything else left over is error 4, stopped on it.
int ParseExpression(char *text, double *value, int *stop, bool degreeMode) {
  *value = 0.0;
  AngleFactor = degreeMode ? kPi * kReciprocalOf180 : 1.0;
  ParseCursor = text;
  NestingDepth = 0;
  if (setjmp(ParseTrap) != 0) {
    *stop = static_cast<int>(ParseCursor - text);
    *value = 0.0;
    return RaisedCode;
  }
  double v = ParseBitwise();
  *value = v;
  if (*ParseCursor == ')') AdvanceCursor();
  *stop = static_cast<int>(ParseCursor - text);
  if (*ParseCursor == '\0') return kEvalOk;
  *value = 0.0;
  return kEvalSyntax;  // text left over
}

// ---------------------------------------------------------------------------
// The advance step and the word operators.

// On a match, moves the cursor to the word's last character and overwrites it.
static void RewriteWordOperator(const char *word, int lastOffset, char operatorChar) {
  if (MatchWord(ParseCursor, word) == 0) return;
  ParseCursor += lastOffset;
  *ParseCursor = operatorChar;
}

// Word operators, in either letter case, each rewritten in the buffer as the
// byte that its rule reads:
//   "MOD" -> "%"   "DEV" -> "\"   "**" -> "^"   "AND" -> "&"
//   "OR" -> "|"    "NOT" -> "~"   "XOR" -> "#"
// Only where this step lands: after a number, an operator byte, "(" or a ")"
// that bitwise consumed; never at the start of the line or of a function's
// argument, nor right after PI or a variable.
void AdvanceCursor() {
  if (*ParseCursor == '\0') return;
  ++ParseCursor;
  while (*ParseCursor == ' ') ++ParseCursor;
  // The words begin with seven different characters, and a rewritten word
  // leaves an operator character that begins none of them, so the first
  // byte picks the only word that can match.
  switch (ToUpperAscii(*ParseCursor)) {
    case 'M': RewriteWordOperator("MOD", 2, '%'); break;
    case 'D': RewriteWordOperator("DEV", 2, '\\'); break;
    case '*': RewriteWordOperator("**", 1, '^'); break;
    case 'A': RewriteWordOperator("AND", 2, '&'); break;
    case 'O': RewriteWordOperator("OR", 1, '|'); break;
    case 'N': RewriteWordOperator("NOT", 2, '~'); break;
    case 'X': RewriteWordOperator("XOR", 2, '#'); break;
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
double ParseBitwise() {
  if (++NestingDepth > kMaxNestingDepth) RaiseEvalError(kEvalSyntax);
  while (*ParseCursor == ' ') ++ParseCursor;
  if (*ParseCursor == '~') {
    AdvanceCursor();
    double w = ParseSum();
    --NestingDepth;
    return FromInt32(~ToInt32(w));
  }
  double v = ParseSum();
  for (;;) {
    char c = *ParseCursor;
    if (c != '&' && c != '|' && c != '#' && c != ')') break;
    AdvanceCursor();
    if (c == ')') break;
    double w = ParseSum();
    std::int32_t a = ToInt32(v);
    std::int32_t b = ToInt32(w);
    if (c == '&') v = FromInt32(a & b);
    else if (c == '|') v = FromInt32(a | b);
    else v = FromInt32(a ^ b);
  }
  --NestingDepth;
  return v;
}

// sum = intdiv {("+" | "-") intdiv}
// Beyond the double range the result is an infinity or a NaN, not an error.
double ParseSum() {
  double v = ParseIntDiv();
  for (;;) {
    char c = *ParseCursor;
    if (c != '+' && c != '-') return v;
    AdvanceCursor();
    double w = ParseIntDiv();
    v = c == '+' ? v + w : v - w;
  }
}

// intdiv = product {("\" | "%") product}
// Both operands are taken as 32-bit integers first, so a divisor of 0.5 is
// a division by zero (error 2) too. "\" truncates toward zero; "%" keeps the
// sign of the dividend.
double ParseIntDiv() {
  double v = ParseProduct();
  for (;;) {
    char c = *ParseCursor;
    if (c != '\\' && c != '%') return v;
    AdvanceCursor();
    double w = ParseProduct();
    // 64-bit arithmetic: -2147483648 by -1 gives 2147483648, which wraps back
    // to -2147483648 (remainder 0) instead of trapping.
    std::int64_t a = ToInt32(v);
    std::int64_t b = ToInt32(w);
    if (b == 0) RaiseEvalError(kEvalDivideByZero);
    std::int64_t result = c == '\\' ? a / b : a % b;
    v = FromInt32(static_cast<std::int32_t>(static_cast<std::uint32_t>(result)));
  }
}

// product = unary {("*" | "/") unary}
// A divisor equal to 0 or not a number is error 2; beyond the double range
// the result is an infinity, not an error.
double ParseProduct() {
  double v = ParseUnary();
  for (;;) {
    char c = *ParseCursor;
    if (c != '*' && c != '/') return v;
    AdvanceCursor();
    double w = ParseUnary();
    if (c == '*') {
      v = v * w;
    } else {
      if (w == 0.0 || std::isnan(w)) RaiseEvalError(kEvalDivideByZero);
      v = v / w;
    }
  }
}

// unary = ["-"] power
// The minus takes the whole power: -2^2 is -4. A second sign can only be the
// sign of a number literal: --2 is 2, --A is error 4.
double ParseUnary() {
  if (*ParseCursor == '-') {
    AdvanceCursor();
    return -ParsePower();
  }
  return ParsePower();
}

// power = primary {"^" primary}
// Left-associative (2^3^2 is 64), and the exponent is a primary: 2^-1 reads
// the signed literal -1, while an exponent that is a sum needs parentheses.
// A base of 0 or not a number with an exponent below 0 or not a number is
// error 2; ComputePower may set the overflow flag.
double ParsePower() {
  double v = ParsePrimary();
  while (*ParseCursor == '^') {
    AdvanceCursor();
    double w = ParsePrimary();
    if ((v == 0.0 || std::isnan(v)) && (w < 0.0 || std::isnan(w))) RaiseEvalError(kEvalDivideByZero);
    v = ComputePower(v, w);
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
double ParsePrimary() {
  char c = *ParseCursor;
  if (c == 'P' && ParseCursor[1] == 'I') {
    ParseCursor += 2;
    return kPi;
  }
  if (c == '~') return ParseBitwise();
  if (c == '(') {
    AdvanceCursor();
    return ParseBitwise();
  }
  const FunctionEntry *entry = MatchFunctionName(ParseCursor);
  if (entry != nullptr) return ReadFunctionCall(entry);
  if (c >= 'A' && c <= 'Z') {
    ++ParseCursor;
    return VariableTable[c - 'A'];
  }
  if (c == '\0') RaiseEvalError(kEvalSyntax);
  double value = 0.0;
  const char *end = ScanNumber(ParseCursor, &value);
  if (end == ParseCursor) RaiseEvalError(kEvalSyntax);
  ParseCursor += (end - ParseCursor) - 1;  // the literal's last byte
  AdvanceCursor();
  return value;
}

// call = name "(" bitwise
// The name must be followed directly by "(", else error 4 stopped at its
// first letter. The "(" is stepped over without the advance step, so no word
// operator is read at the argument's start: SIN(NOT 0) is error 4. The ")"
// is bitwise's (see there); the operation's own check (error 5) comes after
// it, so it stops past the ")".
double ReadFunctionCall(const FunctionEntry *entry) {
  std::size_t length = std::strlen(entry->name);
  if (ParseCursor[length] != '(') RaiseEvalError(kEvalSyntax);
  ParseCursor += length + 1;
  double x = ParseBitwise();
  return entry->operation(x);
}
