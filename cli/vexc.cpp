// vexc: evaluates expressions from the command line or standard input, one
// output line per input line, with the same engine as the calculator window.
//
// Output is plain bytes: result texts are ASCII, messages are UTF-8, every line
// ends in a single "\n" on every platform. Numbers are written by hand (no CRT
// printf), so the output is byte-identical on Linux and Windows builds.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "engine.h"
#include "ui_texts.h"

#ifndef VEX_VERSION_TEXT
#error "VEX_VERSION_TEXT (the program's version, e.g. \"3.10\") must be defined by the build"
#endif

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>
#endif

namespace {

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitEvalFailed = 1;
constexpr int kExitUsage = 2;

// Options in effect for the whole run.
struct Options {
  bool degreeMode = false;
  int radix = 10;
  bool tsv = false;
  UiLanguage language = UiLanguage::kJapanese;
};

// The line printed by --version.
const char kVersionText[] = "vexc " VEX_VERSION_TEXT "\n";

const char kHelpText[] =
    "Usage: vexc [--deg] [--radix N] [--tsv] [--lang ja|en] [EXPRESSION ...]\n"
    "       vexc --help | --version\n"
    "\n"
    "Evaluates each EXPRESSION and prints one line per expression: the result\n"
    "with ten significant digits, or the error message. Without expressions,\n"
    "reads standard input and evaluates one line at a time (LF or CRLF line\n"
    "ends; a last line without a line end counts too).\n"
    "\n"
    "Options (they may appear anywhere before \"--\" and apply to every line):\n"
    "  --deg        angles are in degrees (default: radians): the arguments of\n"
    "               SIN, COS, TAN and the results of ATAN, ASIN, ACOS\n"
    "  --radix N    N = 2, 8 or 16 prints successful results as the 32-bit\n"
    "               pattern of the truncated integer in that radix (lower-case,\n"
    "               two's complement); N = 10 is the default decimal text\n"
    "  --tsv        prints code<TAB>stop<TAB>bits<TAB>text, where code is the\n"
    "               error code (0 ok, 1 overflow, 2 division by zero, 4 syntax\n"
    "               error, 5 argument out of range), stop is how far the parser\n"
    "               read into the normalised expression, and bits is the value's\n"
    "               IEEE-754 pattern as 16 lower-case hex digits\n"
    "  --lang ja|en  the error messages in Japanese (ja, the default) or in\n"
    "               English (en), as in the calculator window\n"
    "  --help, -h   prints this text\n"
    "  --version    prints the version: vexc " VEX_VERSION_TEXT "\n"
    "  --           ends the options: every later argument is an expression\n"
    "\n"
    "An argument that starts with \"-\" followed by a digit, \".\", \"(\", \"[\" or\n"
    "\"{\" is an expression (vexc -1+2). Any other argument starting with \"-\"\n"
    "is an option; write \"--\" first for expressions like -PI or -A.\n"
    "\n"
    "Lines are evaluated in order and share the variables A-Z. A line of the\n"
    "form \"X= expression\" stores its value in X; a failed line stores 0.\n"
    "Expressions and input lines are limited to 255 bytes.\n"
    "\n"
    "Exit status: 0 when every line succeeded, 1 when any line failed, 2 for a\n"
    "usage error (unknown option, missing or invalid radix or language, an\n"
    "expression or line longer than 255 bytes, a NUL byte in a line). Reading\n"
    "standard input stops at such a line; the lines before it have been printed.\n"
    "\n"
    "The expression language, in brief:\n"
    "  numbers     12  3.5  .5  1E-5  1D3  017 (octal)  0X1F (hexadecimal)\n"
    "  operators   + - * /  ^ or ** (power)  \\ or DEV (integer division)\n"
    "              % or MOD (integer remainder)  & AND  | OR  # XOR  ~ NOT\n"
    "              ( ) [ ] { } for grouping\n"
    "  functions   NAME(argument) with NAME one of ABS, INT (floor), FIX\n"
    "              (integer part), SQR or SQRT, SIN, COS, TAN, ATAN or ATN,\n"
    "              ASIN or ASN, ACOS or ACS, LOG (natural), LGT or LOG10, EXP\n"
    "  constant    PI = 3.1415926536\n"
    "  variables   A to Z\n"
    "  comments    ' : or ; ends the expression; blanks are ignored\n"
    "  A word operator needs a number, an operator or a bracket before it\n"
    "  (2 MOD 3, not A MOD 3: write A%3); there is no implicit product.\n"
    "\n"
    "Examples:\n"
    "  vexc 1+2*3                  prints 7.\n"
    "  vexc --deg \"SIN(30)*2\"      prints 1.\n"
    "  vexc --radix 16 -1          prints ffffffff\n"
    "  vexc -- -PI                 prints -3.141592654\n"
    "  printf 'A= 3\\nB= A*A\\n' | vexc\n"
    "                              prints 3. and 9.\n";

// ---- Output --------------------------------------------------------------

void WriteText(std::FILE *stream, const char *text) {
  std::fwrite(text, 1, std::strlen(text), stream);
}

// Writes a non-negative or negative integer in decimal.
void WriteInteger(std::FILE *stream, long long number) {
  char digits[24];
  int count = 0;
  unsigned long long magnitude =
      number < 0 ? 0ULL - static_cast<unsigned long long>(number)
                 : static_cast<unsigned long long>(number);
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (number < 0) std::fputc('-', stream);
  while (count > 0) std::fputc(digits[--count], stream);
}

// Writes the 64-bit pattern of a double as 16 lower-case hex digits.
void WriteDoubleBits(std::FILE *stream, double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  static const char kHexDigits[] = "0123456789abcdef";
  char text[17];
  for (int i = 15; i >= 0; --i) {
    text[i] = kHexDigits[bits & 0xF];
    bits >>= 4;
  }
  text[16] = '\0';
  WriteText(stream, text);
}

// Writes an argument or option for an error message: at most 40 bytes, with
// control bytes shown as "?", so the message stays on one line.
void WriteQuoted(std::FILE *stream, const char *text) {
  std::fputc('\'', stream);
  std::size_t i = 0;
  for (; text[i] != '\0' && i < 40; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    std::fputc(c < 0x20 || c == 0x7F ? '?' : c, stream);
  }
  if (text[i] != '\0') WriteText(stream, "...");
  std::fputc('\'', stream);
}

void ReportUsageError(const char *message) {
  WriteText(stderr, "vexc: ");
  WriteText(stderr, message);
  WriteText(stderr, " (try vexc --help)\n");
}

void ReportLineError(unsigned long long lineNumber, const char *message) {
  WriteText(stderr, "vexc: line ");
  WriteInteger(stderr, static_cast<long long>(lineNumber));
  WriteText(stderr, ": ");
  WriteText(stderr, message);
  WriteText(stderr, "\n");
}

// ---- Evaluation ----------------------------------------------------------

// Evaluates one expression of at most kMaxExpressionLength bytes, prints its
// output line and returns the engine's code.
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

// Reads standard input line by line. Returns the exit status.
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

// ---- Command line --------------------------------------------------------

// An argument starting with "-" is an expression when a digit, ".", "(", "["
// or "{" follows the minus: -1+2, -.5, -(2+3).
bool IsNegativeExpression(const char *argument) {
  char c = argument[1];
  return (c >= '0' && c <= '9') || c == '.' || c == '(' || c == '[' || c == '{';
}

// Reads the options into *options and marks which arguments are expressions.
// Returns -1 to go on, or an exit status to end with.
int ParseArguments(int argc, char **argv, Options *options, bool *isExpression) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const char *argument = argv[i];
    isExpression[i] = false;
    if (optionsEnded || argument[0] != '-' || IsNegativeExpression(argument)) {
      isExpression[i] = true;
      continue;
    }
    if (std::strcmp(argument, "--") == 0) {
      optionsEnded = true;
    } else if (std::strcmp(argument, "--help") == 0 ||
               std::strcmp(argument, "-h") == 0) {
      WriteText(stdout, kHelpText);
      return kExitOk;
    } else if (std::strcmp(argument, "--version") == 0) {
      WriteText(stdout, kVersionText);
      return kExitOk;
    } else if (std::strcmp(argument, "--deg") == 0) {
      options->degreeMode = true;
    } else if (std::strcmp(argument, "--tsv") == 0) {
      options->tsv = true;
    } else if (std::strcmp(argument, "--lang") == 0) {
      if (i + 1 >= argc) {
        ReportUsageError("--lang needs a value: ja or en");
        return kExitUsage;
      }
      const char *value = argv[++i];
      isExpression[i] = false;
      if (std::strcmp(value, "ja") == 0) {
        options->language = UiLanguage::kJapanese;
      } else if (std::strcmp(value, "en") == 0) {
        options->language = UiLanguage::kEnglish;
      } else {
        WriteText(stderr, "vexc: invalid language ");
        WriteQuoted(stderr, value);
        WriteText(stderr, ": use ja or en (try vexc --help)\n");
        return kExitUsage;
      }
    } else if (std::strcmp(argument, "--radix") == 0) {
      if (i + 1 >= argc) {
        ReportUsageError("--radix needs a value: 2, 8, 10 or 16");
        return kExitUsage;
      }
      const char *value = argv[++i];
      isExpression[i] = false;
      if (std::strcmp(value, "2") == 0) {
        options->radix = 2;
      } else if (std::strcmp(value, "8") == 0) {
        options->radix = 8;
      } else if (std::strcmp(value, "10") == 0) {
        options->radix = 10;
      } else if (std::strcmp(value, "16") == 0) {
        options->radix = 16;
      } else {
        WriteText(stderr, "vexc: invalid radix ");
        WriteQuoted(stderr, value);
        WriteText(stderr, ": use 2, 8, 10 or 16 (try vexc --help)\n");
        return kExitUsage;
      }
    } else {
      WriteText(stderr, "vexc: unknown option ");
      WriteQuoted(stderr, argument);
      WriteText(stderr, "; write -- before an expression that starts with -"
                        " (try vexc --help)\n");
      return kExitUsage;
    }
  }
  return -1;
}

int RunCommandLine(int argc, char **argv) {
  Options options;
  static bool isExpression[4096];
  if (argc < 1) return kExitOk;
  if (argc > static_cast<int>(sizeof isExpression)) {
    ReportUsageError("too many arguments");
    return kExitUsage;
  }
  int status = ParseArguments(argc, argv, &options, isExpression);
  if (status >= 0) return status;

  // Check every expression before printing anything.
  int expressionCount = 0;
  for (int i = 1; i < argc; ++i) {
    if (!isExpression[i]) continue;
    ++expressionCount;
    if (std::strlen(argv[i]) > kMaxExpressionLength) {
      WriteText(stderr, "vexc: expression ");
      WriteInteger(stderr, expressionCount);
      WriteText(stderr, " is longer than 255 bytes (");
      WriteInteger(stderr, static_cast<long long>(std::strlen(argv[i])));
      WriteText(stderr, " bytes)\n");
      return kExitUsage;
    }
  }
  if (expressionCount == 0) return EvaluateStandardInput(options);

  bool anyFailed = false;
  for (int i = 1; i < argc; ++i) {
    if (!isExpression[i]) continue;
    if (EvaluateAndPrint(argv[i], std::strlen(argv[i]), options) != kEvalOk) {
      anyFailed = true;
    }
  }
  return anyFailed ? kExitEvalFailed : kExitOk;
}

#ifdef _WIN32
// The runtime's argv is in the ANSI code page; the expressions are taken as
// UTF-8 from the wide command line instead, as on other systems.
bool ReadUtf8Arguments(std::vector<std::string> *storage, std::vector<char *> *argv) {
  int count = 0;
  wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return false;
  storage->resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string &text = (*storage)[static_cast<std::size_t>(i)];
    if (bytes > 0) {
      text.resize(static_cast<std::size_t>(bytes));
      WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), bytes, nullptr, nullptr);
      text.resize(static_cast<std::size_t>(bytes - 1));
    }
  }
  LocalFree(wide);
  for (std::string &text : *storage) argv->push_back(text.data());
  argv->push_back(nullptr);
  return true;
}
#endif

}  // namespace

int main(int argc, char **argv) {
#ifdef _WIN32
  // The bytes in and out are ours: no CRLF translation by the runtime.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> utf8Storage;
  std::vector<char *> utf8Argv;
  if (ReadUtf8Arguments(&utf8Storage, &utf8Argv)) {
    argc = static_cast<int>(utf8Storage.size());
    argv = utf8Argv.data();
  }
#endif
  int status = RunCommandLine(argc, argv);
  std::fflush(stdout);
  return status;
}
