// The function table, its 13 operations and the power computation. Nothing
// here reads the expression text beyond a name: the parser reads the calls.
#include "functions.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "ascii.h"
#include "engine.h"
#include "fdlibm_port.h"

// ---------------------------------------------------------------------------
// The operations.

// Every NaN made here is the default quiet NaN with the sign bit set, the
// same bits on every build.
static double MakeNaN() { return std::bit_cast<double>(0xFFF8000000000000ull); }

static double CanonicaliseNaN(double x) { return std::isnan(x) ? MakeNaN() : x; }

static double ComputeAbsolute(ParseState &, double x) { return std::fabs(x); }

static double ComputeFloor(ParseState &, double x) { return std::floor(x); }

static double ComputeIntegerPart(ParseState &, double x) { return std::trunc(x); }

static double ComputeSquareRoot(ParseState &state, double x) {
  if (!(x >= 0.0)) RaiseEvalError(state, kEvalArgument);  // below 0 or NaN; -0 passes
  return std::sqrt(x);
}

static double ComputeSine(ParseState &state, double x) {
  return CanonicaliseNaN(VexSin(x * state.angleFactor));
}

static double ComputeCosine(ParseState &state, double x) {
  return CanonicaliseNaN(VexCos(x * state.angleFactor));
}

static double ComputeTangent(ParseState &state, double x) {
  return CanonicaliseNaN(VexTan(x * state.angleFactor));
}

static double ComputeArcTangent(ParseState &state, double x) {
  return CanonicaliseNaN(VexAtan(x) / state.angleFactor);
}

static double ComputeNaturalLog(ParseState &state, double x) {
  if (!(x > 0.0)) RaiseEvalError(state, kEvalArgument);  // 0, below 0 or NaN
  return VexLog(x);
}

static double ComputeExponential(ParseState &, double x) { return CanonicaliseNaN(VexExp(x)); }

static double ComputeArcCosine(ParseState &state, double x) {
  return CanonicaliseNaN(VexAcos(x) / state.angleFactor);
}

static double ComputeArcSine(ParseState &state, double x) {
  return CanonicaliseNaN(VexAsin(x) / state.angleFactor);
}

static double ComputeCommonLog(ParseState &, double x) { return CanonicaliseNaN(VexLog10(x)); }

// ---------------------------------------------------------------------------
// The table and its names.

const FunctionEntry FunctionTable[kFunctionCount] = {
    {"ABS", ComputeAbsolute},     {"INT", ComputeFloor},
    {"FIX", ComputeIntegerPart},  {"SQR", ComputeSquareRoot},
    {"SQRT", ComputeSquareRoot},  {"SIN", ComputeSine},
    {"COS", ComputeCosine},       {"TAN", ComputeTangent},
    {"ATAN", ComputeArcTangent},  {"ATN", ComputeArcTangent},
    {"LOG", ComputeNaturalLog},   {"EXP", ComputeExponential},
    {"ACS", ComputeArcCosine},    {"ACOS", ComputeArcCosine},
    {"ASN", ComputeArcSine},      {"ASIN", ComputeArcSine},
    {"LGT", ComputeCommonLog},    {"LOG10", ComputeCommonLog},
};

const FunctionEntry *MatchFunctionName(const char *text) {
  const FunctionEntry *best = nullptr;
  std::size_t bestLength = 0;
  // Every name begins with two letters: anything else is no name at once.
  const char first = ToUpperAscii(text[0]);
  if (first < 'A' || first > 'Z') return nullptr;
  const char second = ToUpperAscii(text[1]);
  if (second < 'A' || second > 'Z') return nullptr;
  for (const FunctionEntry &entry : FunctionTable) {
    if (entry.name[0] != first) continue;
    std::size_t length = MatchWord(text, entry.name);
    if (length > bestLength) {
      best = &entry;
      bestLength = length;
    }
  }
  return best;
}

// ---------------------------------------------------------------------------
// Power.

static bool IsInteger(double x) { return std::isfinite(x) && std::trunc(x) == x; }

static bool IsOddInteger(double x) {
  // From 2^53 up every double is even.
  return IsInteger(x) && std::fabs(x) < 9007199254740992.0 &&
         (static_cast<std::int64_t>(x) & 1) != 0;
}

double ComputePower(double v, double w, bool *overflow) {
  const double infinity = std::numeric_limits<double>::infinity();
  if (std::isnan(w)) return MakeNaN();
  if (std::isinf(w)) {
    if (std::isnan(v)) return MakeNaN();
    double magnitude = std::fabs(v);
    if (magnitude == 1.0) return MakeNaN();
    bool growing = (magnitude > 1.0) == (w > 0.0);
    return growing ? infinity : 0.0;
  }
  if (std::isnan(v)) return MakeNaN();  // also for w = 0
  if (std::isinf(v)) {
    if (w == 0.0) return 1.0;
    double magnitude = w > 0.0 ? infinity : 0.0;
    return (v < 0.0 && IsOddInteger(w)) ? -magnitude : magnitude;
  }
  if (v == 0.0) {
    if (w == 0.0) return 1.0;
    // The parser turns 0 to a negative power into a division by zero before
    // coming here; the limit is given for completeness.
    double magnitude = w > 0.0 ? 0.0 : infinity;
    return (std::signbit(v) && IsOddInteger(w)) ? -magnitude : magnitude;
  }
  double r;
  if (v < 0.0) {
    if (!IsInteger(w)) return MakeNaN();  // (-8)^(1/3) has no real value here
    r = VexPow(-v, w);
    if (IsOddInteger(w)) r = -r;
  } else {
    r = VexPow(v, w);
  }
  // Overflow sets the flag; underflow gives the denormal or zero silently.
  if (std::isinf(r)) *overflow = true;
  return r;
}
