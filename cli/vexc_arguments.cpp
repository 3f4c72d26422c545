// vexc's option parsing. Options may stand anywhere before "--"; everything
// else is an expression.

#include "vexc_arguments.h"

#include <cstddef>
#include <cstring>

#include "vexc_output.h"

namespace {

// An argument starting with "-" is an expression when a digit, ".", "(", "["
// or "{" follows the minus: -1+2, -.5, -(2+3).
bool IsNegativeExpression(const char *argument) {
  char c = argument[1];
  return (c >= '0' && c <= '9') || c == '.' || c == '(' || c == '[' || c == '{';
}

// The values an option takes, each with what it stands for.
struct Choice {
  const char *text;
  int value;
};
constexpr Choice kLanguages[] = {{"ja", static_cast<int>(UiLanguage::kJapanese)},
                                 {"en", static_cast<int>(UiLanguage::kEnglish)}};
constexpr Choice kRadixes[] = {{"2", 2}, {"8", 8}, {"10", 10}, {"16", 16}};

// Reads an option's value into *chosen; false (with the message written)
// when it is none of the choices. what names the value ("radix"), allowed
// lists the choices for the message ("2, 8, 10 or 16").
template <std::size_t N>
bool ReadChoice(const char *value, const Choice (&choices)[N], const char *what,
                const char *allowed, int *chosen) {
  for (const Choice &choice : choices) {
    if (std::strcmp(value, choice.text) == 0) {
      *chosen = choice.value;
      return true;
    }
  }
  WriteText(stderr, "vexc: invalid ");
  WriteText(stderr, what);
  WriteText(stderr, " ");
  WriteQuoted(stderr, value);
  WriteText(stderr, ": use ");
  WriteText(stderr, allowed);
  WriteText(stderr, " (try vexc --help)\n");
  return false;
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
      int language = 0;
      if (!ReadChoice(argv[i], kLanguages, "language", "ja or en", &language)) {
        return Request::kUsageError;
      }
      options->language = static_cast<UiLanguage>(language);
    } else if (std::strcmp(argument, "--radix") == 0) {
      if (i + 1 >= argc) {
        ReportUsageError("--radix needs a value: 2, 8, 10 or 16");
        return Request::kUsageError;
      }
      isExpression[++i] = false;
      if (!ReadChoice(argv[i], kRadixes, "radix", "2, 8, 10 or 16", &options->radix)) {
        return Request::kUsageError;
      }
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
