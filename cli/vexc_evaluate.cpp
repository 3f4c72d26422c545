// vexc's evaluation of each line and the output line it prints.

#include "vexc_evaluate.h"

#include <cstdio>
#include <cstring>

#include "engine.h"
#include "vexc_output.h"

int EvaluateAndPrint(const char *expression, std::size_t length,
                     const Options &options) {
  char line[kLineBufferSize];
  std::memset(line, 0, sizeof line);
  std::memcpy(line, expression, length);

  double value = 0.0;
  int stop = 0;
  int code = EvaluateLine(line, &value, &stop, options.degreeMode);
  line[kLineBufferSize - 1] = '\0';

  // The engine writes its own (Japanese) message; the chosen language's
  // message of the code is printed.
  const char *text = code == kEvalOk ? line : GetEvalMessage(code, options.language);
  char radixText[kRadixTextSize];
  if (code == kEvalOk && options.radix != 10) {
    std::memset(radixText, 0, sizeof radixText);
    FormatRadix(value, options.radix, radixText);
    radixText[kRadixTextSize - 1] = '\0';
    text = radixText;
  }

  if (options.tsv) {
    WriteInteger(stdout, code);
    std::fputc('\t', stdout);
    WriteInteger(stdout, stop);
    std::fputc('\t', stdout);
    WriteDoubleBits(stdout, value);
    std::fputc('\t', stdout);
  }
  WriteText(stdout, text);
  std::fputc('\n', stdout);
  return code;
}

int EvaluateStandardInput(const Options &options) {
  char line[kMaxExpressionLength + 1];
  std::size_t length = 0;
  bool overlong = false;
  bool hasNul = false;
  bool anyFailed = false;
  bool pendingLine = false;  // bytes read since the last line end
  unsigned long long lineNumber = 1;

  for (;;) {
    int c = std::fgetc(stdin);
    if (c != EOF && c != '\n') {
      pendingLine = true;
      if (c == '\0') hasNul = true;
      if (length < sizeof line) {
        line[length++] = static_cast<char>(c);
      } else {
        overlong = true;
      }
      continue;
    }
    if (c == EOF && !pendingLine) break;

    // A line is complete: drop the CR of a CRLF (or of a last line "...\r").
    if (!overlong && length > 0 && line[length - 1] == '\r') {
      --length;
    }
    if (hasNul) {
      std::fflush(stdout);
      ReportLineError(lineNumber, "contains a NUL byte");
      return kExitUsage;
    }
    if (overlong || length > kMaxExpressionLength) {
      std::fflush(stdout);
      ReportLineError(lineNumber, "longer than 255 bytes");
      return kExitUsage;
    }
    if (EvaluateAndPrint(line, length, options) != kEvalOk) anyFailed = true;

    if (c == EOF) break;
    length = 0;
    overlong = false;
    pendingLine = false;
    ++lineNumber;
  }
  if (std::ferror(stdin)) {
    std::fflush(stdout);
    WriteText(stderr, "vexc: cannot read standard input\n");
    return kExitUsage;
  }
  return anyFailed ? kExitEvalFailed : kExitOk;
}
