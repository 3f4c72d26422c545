// vexc's command line: the options in effect for the whole run, and which
// arguments are expressions.
#pragma once

#include "ui_texts.h"

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitEvalFailed = 1;
inline constexpr int kExitUsage = 2;

// Options in effect for the whole run.
struct Options {
  bool degreeMode = false;
  int radix = 10;
  bool tsv = false;
  UiLanguage language = UiLanguage::kJapanese;
};

// What the command line asks for. The first --help or --version ends the
// reading, as does the first bad option, whose message is already written.
enum class Request { kEvaluate, kShowHelp, kShowVersion, kUsageError };

// Reads the options of argv[1..argc-1] into *options and sets
// isExpression[i] for each argument that is an expression (isExpression has
// argc entries).
Request ParseArguments(int argc, char **argv, Options *options, bool *isExpression);
