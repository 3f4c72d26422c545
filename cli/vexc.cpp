// vexc: evaluates expressions from the command line or standard input, one
// output line per input line, with the same engine as the calculator window.
// This file holds the usage text and the run; the options are read in
// vexc_arguments.cpp, the lines evaluated in vexc_evaluate.cpp and the bytes
// written by vexc_output.cpp.

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "engine.h"
#include "vex_version.h"
#include "vexc_arguments.h"
#include "vexc_evaluate.h"
#include "vexc_output.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>
#endif

namespace {

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

// Reads the command line, then evaluates its expressions, or standard input
// when it has none. Returns the exit status.
int RunCommandLine(int argc, char **argv) {
  Options options;
  static bool isExpression[4096];
  if (argc < 1) return kExitOk;
  if (argc > static_cast<int>(sizeof isExpression)) {
    ReportUsageError("too many arguments");
    return kExitUsage;
  }
  switch (ParseArguments(argc, argv, &options, isExpression)) {
    case Request::kShowHelp:
      WriteText(stdout, kHelpText);
      return kExitOk;
    case Request::kShowVersion:
      WriteText(stdout, kVersionText);
      return kExitOk;
    case Request::kUsageError:
      return kExitUsage;
    case Request::kEvaluate:
      break;
  }

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
