// The single door into the engine: normalisation, the assignment prefix, the
// overflow flag, the result text or message, and the variables A-Z.
#include <cstring>

#include "engine.h"
#include "parser.h"

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

void NormalizeExpression(char *line) {
  char *write = line;
  for (const char *read = line; *read != '\0'; ++read) {
    char c = *read;
    if (c == '\'' || c == ':' || c == ';') break;  // the rest is a comment
    if (c == '[' || c == '{') c = '(';
    if (c == ']' || c == '}') c = ')';
    if (c == ' ' || c == '\t') continue;
    *write++ = c;
  }
  *write = '\0';
}

static void UpperCaseLine(char *line) {
  for (; *line != '\0'; ++line) {
    if (*line >= 'a' && *line <= 'z') *line = static_cast<char>(*line - 'a' + 'A');
  }
}

int EvaluateLine(char *line, double *value, int *stop, bool degreeMode) {
  NormalizeExpression(line);
  UpperCaseLine(line);

  int target = -1;
  char *expression = line;
  if (line[0] >= 'A' && line[0] <= 'Z' && line[1] == '=') {
    target = line[0] - 'A';
    expression = line + 2;
  }

  OverflowFlag = false;
  int code = ParseExpression(expression, value, stop, degreeMode);
  if (OverflowFlag) code = kEvalOverflow;  // wins over every other outcome

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
