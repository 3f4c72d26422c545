// The recursive-descent evaluator. Precedence, loosest first: the bitwise
// level (~ & | # and the closing parenthesis), + and -, the integer operators
// \ and %, * and /, unary minus, ^, primaries. All binary operators are
// left-associative.
//
// Errors leave through longjmp to the trap armed in ParseExpression. No level
// owns anything that would need cleaning up, and nothing is allocated, so the
// jump is safe and cheap.
#include "parser.h"

#include <cmath>
#include <csetjmp>
#include <cstdint>

#include "engine.h"
#include "functions.h"

char *ParseCursor = nullptr;
double AngleFactor = 1.0;

static std::jmp_buf ParseTrap;
static int RaisedCode = 0;

// A line that fits the caller's buffer cannot nest deeper than its length;
// the bound only keeps an overlong line from exhausting the stack.
static const int kMaxNestingDepth = static_cast<int>(kLineBufferSize) + 8;
static int NestingDepth = 0;

void RaiseEvalError(int code) {
  RaisedCode = code;
  std::longjmp(ParseTrap, 1);
}

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
  if (*ParseCursor == ')') AdvanceCursor();  // one stray ")" at the top is accepted
  *stop = static_cast<int>(ParseCursor - text);
  if (*ParseCursor == '\0') return kEvalOk;
  *value = 0.0;
  return kEvalSyntax;  // text left over
}

// ---------------------------------------------------------------------------
// The advance step and the word operators.

static char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Whether text begins with word (upper case), ignoring ASCII letter case.
static bool StartsWithWord(const char *text, const char *word) {
  for (; *word != '\0'; ++text, ++word) {
    if (ToUpperAscii(*text) != *word) return false;  // stops at the NUL too
  }
  return true;
}

// On a match, moves the cursor to the word's last character and overwrites it.
static void RewriteWordOperator(const char *word, int lastOffset, char operatorChar) {
  if (!StartsWithWord(ParseCursor, word)) return;
  ParseCursor += lastOffset;
  *ParseCursor = operatorChar;
}

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

double ParseBitwise() {
  if (++NestingDepth > kMaxNestingDepth) RaiseEvalError(kEvalSyntax);
  while (*ParseCursor == ' ') ++ParseCursor;
  if (*ParseCursor == '~') {
    // Returns at once: a following & | # or ) is left to the caller.
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
    if (c == ')') break;  // the end of a parenthesised sub-expression
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
    std::int64_t result = c == '\\' ? a / b : a % b;  // truncated; % keeps the sign of a
    v = FromInt32(static_cast<std::int32_t>(static_cast<std::uint32_t>(result)));
  }
}

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

double ParseUnary() {
  if (*ParseCursor == '-') {
    AdvanceCursor();
    return -ParsePower();
  }
  return ParsePower();
}

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

double ParsePrimary() {
  char c = *ParseCursor;
  if (c == 'P' && ParseCursor[1] == 'I') {
    ParseCursor += 2;  // no advance step: no word operator right after PI
    return kPi;
  }
  if (c == '~') return ParseBitwise();
  if (c == '(') {
    AdvanceCursor();
    return ParseBitwise();  // consumes the matching ")", or meets the end
  }
  const FunctionEntry *entry = MatchFunctionName(ParseCursor);
  if (entry != nullptr) return ReadFunctionCall(entry);
  if (c >= 'A' && c <= 'Z') {
    ++ParseCursor;  // no advance step: no word operator right after a variable
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
