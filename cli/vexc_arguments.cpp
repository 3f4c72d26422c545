// vexc's option parsing. Options may stand anywhere before "--"; everything
// else is an expression.

#include "vexc_arguments.h"

#include <cstring>

#include "vexc_output.h"

namespace {

// An argument starting with "-" is an expression when a digit, ".", "(", "["
// or "{" follows the minus: -1+2, -.5, -(2+3).
bool IsNegativeExpression(const char *argument) {
  char c = argument[1];
  return (c >= '0' && c <= '9') || c == '.' || c == '(' || c == '[' || c == '{';
}

// Reads the value of --lang into *language; false (with the message written)
// when it is neither ja nor en.
bool ReadLanguage(const char *value, UiLanguage *language) {
  if (std::strcmp(value, "ja") == 0) {
    *language = UiLanguage::kJapanese;
  } else if (std::strcmp(value, "en") == 0) {
    *language = UiLanguage::kEnglish;
  } else {
    WriteText(stderr, "vexc: invalid language ");
    WriteQuoted(stderr, value);
    WriteText(stderr, ": use ja or en (try vexc --help)\n");
    return false;
  }
  return true;
}

// Reads the value of --radix into *radix; false (with the message written)
// when it is not 2, 8, 10 or 16.
bool ReadRadix(const char *value, int *radix) {
  if (std::strcmp(value, "2") == 0) {
    *radix = 2;
  } else if (std::strcmp(value, "8") == 0) {
    *radix = 8;
  } else if (std::strcmp(value, "10") == 0) {
    *radix = 10;
  } else if (std::strcmp(value, "16") == 0) {
    *radix = 16;
  } else {
    WriteText(stderr, "vexc: invalid radix ");
    WriteQuoted(stderr, value);
    WriteText(stderr, ": use 2, 8, 10 or 16 (try vexc --help)\n");
    return false;
  }
  return true;
}

}  // namespace

Request ParseArguments(int argc, char **argv, Options *options, bool *isExpression) {
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
      return Request::kShowHelp;
    } else if (std::strcmp(argument, "--version") == 0) {
      return Request::kShowVersion;
    } else if (std::strcmp(argument, "--deg") == 0) {
      options->degreeMode = true;
    } else if (std::strcmp(argument, "--tsv") == 0) {
      options->tsv = true;
    } else if (std::strcmp(argument, "--lang") == 0) {
      if (i + 1 >= argc) {
        ReportUsageError("--lang needs a value: ja or en");
        return Request::kUsageError;
      }
      isExpression[++i] = false;
      if (!ReadLanguage(argv[i], &options->language)) return Request::kUsageError;
    } else if (std::strcmp(argument, "--radix") == 0) {
      if (i + 1 >= argc) {
        ReportUsageError("--radix needs a value: 2, 8, 10 or 16");
        return Request::kUsageError;
      }
      isExpression[++i] = false;
      if (!ReadRadix(argv[i], &options->radix)) return Request::kUsageError;
    } else {
      WriteText(stderr, "vexc: unknown option ");
      WriteQuoted(stderr, argument);
      WriteText(stderr, "; write -- before an expression that starts with -"
                        " (try vexc --help)\n");
      return Request::kUsageError;
    }
  }
  return Request::kEvaluate;
}
