// vexc's evaluation: one output line per expression, from the command line
// or from standard input, with the variables A-Z shared by all of them.
#pragma once

#include <cstddef>

#include "vexc_arguments.h"

// Evaluates one expression of at most kMaxExpressionLength bytes, prints its
// output line and returns the engine's code.
int EvaluateAndPrint(const char *expression, std::size_t length, const Options &options);

// Reads standard input line by line (LF or CRLF, a last line without a line
// end counts too) and evaluates each. Returns the exit status.
int EvaluateStandardInput(const Options &options);
