// The named functions of the expression language, the constant PI and the
// power behind the ^ operator: the table and the operations. Reading a call
// (NAME and its argument) is the parser's; the operations only compute.
#pragma once

#include <cstddef>

#include "state.h"

// PI as the calculator knows it: 3.1415926536, about 1.02e-11 above pi.
inline constexpr double kPi = 3.1415926536;
// The double nearest to 1/180. The degree factor is kPi * kReciprocalOf180.
inline constexpr double kReciprocalOf180 = 1.0 / 180.0;

struct FunctionEntry {
  const char *name;                 // upper-case ASCII
  double (*operation)(double x);   // may raise error 5
};

inline constexpr std::size_t kFunctionCount = 18;
extern const FunctionEntry FunctionTable[kFunctionCount];

// The longest name of FunctionTable that text begins with (ignoring ASCII
// case), or nullptr. The byte after the name is not looked at.
const FunctionEntry *MatchFunctionName(const char *text);

// base ^ exponent with the calculator's special values. Sets OverflowFlag
// when the result overflows; never raises an error.
double ComputePower(double base, double exponent);

// The 13 operations. The trigonometric ones use AngleFactor; ComputeSquareRoot
// and ComputeNaturalLog raise error 5 through RaiseEvalError.
double ComputeAbsolute(double x);
double ComputeFloor(double x);
double ComputeIntegerPart(double x);
double ComputeSquareRoot(double x);
double ComputeSine(double x);
double ComputeCosine(double x);
double ComputeTangent(double x);
double ComputeArcTangent(double x);
double ComputeNaturalLog(double x);
double ComputeExponential(double x);
double ComputeArcCosine(double x);
double ComputeArcSine(double x);
double ComputeCommonLog(double x);
