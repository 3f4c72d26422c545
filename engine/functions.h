// The named functions of the expression language, the constant PI and the
// power behind the ^ operator. Reading a call (NAME and its argument) is the
// parser's; the operations, reached through the table, only compute.
#pragma once

#include <cstddef>

#include "parse_state.h"

// PI as the calculator knows it: 3.1415926536, about 1.02e-11 above pi.
inline constexpr double kPi = 3.1415926536;
// The double nearest to 1/180. The degree factor is kPi * kReciprocalOf180.
inline constexpr double kReciprocalOf180 = 1.0 / 180.0;

// One name and its operation. The operation reads the argument x and, of
// the state, only the angle factor (the trigonometric ones); the square root
// and the logarithm raise error 5 through RaiseEvalError.
struct FunctionEntry {
  const char *name;                                   // upper-case ASCII
  double (*operation)(ParseState &state, double x);
};

inline constexpr std::size_t kFunctionCount = 18;
extern const FunctionEntry FunctionTable[kFunctionCount];

// The longest name of FunctionTable that text begins with (ignoring ASCII
// case), or nullptr. The byte after the name is not looked at.
const FunctionEntry *MatchFunctionName(const char *text);

// base ^ exponent with the calculator's special values. Sets *overflow when
// the result overflows; never clears it and never raises an error.
double ComputePower(double base, double exponent, bool *overflow);
