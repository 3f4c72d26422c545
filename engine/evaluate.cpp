// The single door into the engine: normalisation, the assignment prefix, the
// overflow flag, the result text or message, and the variables A-Z.
#include <cstring>

#include "engine.h"
#include "parse_state.h"
#include "parser.h"

// The variables A-Z: the engine's only state that outlives an evaluation.
// Written here alone; a parse reads them through its state.
static double VariableTable[26] = {};

double ReadVariable(int index) {
  return index >= 0 && index < 26 ? VariableTable[index] : 0.0;
}

void ClearVariables() {
  for (double &variable : VariableTable) variable = 0.0;
}

// The messages, UTF-8.
static const char kOverflowMessage[] = "ｵ-ﾊﾞ-ﾌﾛ-です";
static const char kDivideByZeroMessage[] = "零で除算しました";
static const char kSyntaxMessage[] = "文法ｴﾗ-です";
static const char kArgumentMessage[] = "引数が許容範囲外です";

static_assert(sizeof kArgumentMessage - 1 <= kMaxMessageLength);
static_assert(sizeof kOverflowMessage - 1 <= kMaxMessageLength);
static_assert(sizeof kDivideByZeroMessage - 1 <= kMaxMessageLength);
static_assert(sizeof kSyntaxMessage - 1 <= kMaxMessageLength);
static_assert(kMaxMessageLength + 1 <= kLineBufferSize && kResultTextSize <= kLineBufferSize);

const char *EvalErrorMessage(int code) {
  switch (code) {
    case kEvalOverflow: return kOverflowMessage;
    case kEvalDivideByZero: return kDivideByZeroMessage;
    case kEvalSyntax: return kSyntaxMessage;
    case kEvalArgument: return kArgumentMessage;
    default: return "";
  }
}

// What normalisation makes of each byte: the byte itself, a parenthesis for
// a bracket or brace, kDropByte for a blank or tab, kEndOfText for a comment
// mark or the NUL; with upper-casing, a lower-case letter becomes upper case.
// One table lookup per byte keeps the pass over a long line short.
namespace {

constexpr short kDropByte = -1;
constexpr short kEndOfText = -2;

struct NormalizeTable {
  short to[256];
};

constexpr NormalizeTable MakeNormalizeTable(bool upperCase) {
  NormalizeTable table{};
  for (int c = 0; c < 256; ++c) {
    short to = static_cast<short>(c);
    if (c == '\0' || c == '\'' || c == ':' || c == ';') to = kEndOfText;  // the rest is a comment
    else if (c == '[' || c == '{') to = '(';
    else if (c == ']' || c == '}') to = ')';
    else if (c == ' ' || c == '\t') to = kDropByte;
    else if (upperCase && c >= 'a' && c <= 'z') to = static_cast<short>(c - 'a' + 'A');
    table.to[c] = to;
  }
  return table;
}

constexpr NormalizeTable kNormalize = MakeNormalizeTable(false);
constexpr NormalizeTable kNormalizeUpperCase = MakeNormalizeTable(true);

void Normalize(char *line, const NormalizeTable &table) {
  char *write = line;
  for (const char *read = line;; ++read) {
    short to = table.to[static_cast<unsigned char>(*read)];
    if (to >= 0) *write++ = static_cast<char>(to);
    else if (to == kEndOfText) break;
  }
  *write = '\0';
}

}  // namespace

void NormalizeExpression(char *line) { Normalize(line, kNormalize); }

int EvaluateLine(char *line, double *value, int *stop, bool degreeMode) {
  Normalize(line, kNormalizeUpperCase);

  int target = -1;
  char *expression = line;
  if (line[0] >= 'A' && line[0] <= 'Z' && line[1] == '=') {
    target = line[0] - 'A';
    expression = line + 2;
  }

  ParseState state(VariableTable);  // its overflow flag starts cleared
  int code = ParseExpression(state, expression, value, stop, degreeMode);
  if (state.overflow) code = kEvalOverflow;  // wins over every other outcome

  if (code == kEvalOk) {
    FormatResult(*value, line);
    if (target >= 0) VariableTable[target] = *value;
    return kEvalOk;
  }
  const char *message = EvalErrorMessage(code);
  std::memcpy(line, message, std::strlen(message) + 1);
  if (target >= 0) VariableTable[target] = 0.0;
  return code;
}
