// Small helpers shared by the engine tests.
#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "engine.h"

struct Evaluation {
  int code;
  double value;
  int stop;
  std::string text;  // the buffer afterwards
};

// Evaluates expression as a line without assignment prefix (or with one, if
// the text carries it), in a buffer of the caller's real size.
inline Evaluation Evaluate(const char *line, bool degreeMode = false) {
  char buffer[kLineBufferSize] = {};
  std::strncpy(buffer, line, kLineBufferSize - 1);
  Evaluation e{};
  e.value = -12345.0;
  e.stop = -1;
  e.code = EvaluateLine(buffer, &e.value, &e.stop, degreeMode);
  e.text = buffer;
  return e;
}

inline std::uint64_t Bits(double x) { return std::bit_cast<std::uint64_t>(x); }

// Gives the variable of letter a finite value the way a slot does, through
// EvaluateLine, its only writer (17 digits read back to the same double).
inline void StoreVariable(char letter, double value) {
  char line[kLineBufferSize];
  std::snprintf(line, sizeof line, "%c= %.17g", letter, value);
  double stored = 0.0;
  int stop = 0;
  ASSERT_EQ(EvaluateLine(line, &stored, &stop, false), 0) << line;
  ASSERT_EQ(Bits(ReadVariable(letter - 'A')), Bits(value)) << line;
}

inline constexpr std::uint64_t kDefaultNaNBits = 0xFFF8000000000000ull;

// Tests that write variables leave them at 0 again, as a fresh process has
// them, for whatever test runs next in the same process.
inline void ResetEngineState() { ClearVariables(); }

class CleanEngineStateTest : public ::testing::Test {
 protected:
  void TearDown() override { ResetEngineState(); }
};

template <class Param>
class CleanEngineStateParamTest : public ::testing::TestWithParam<Param> {
 protected:
  void TearDown() override { ResetEngineState(); }
};
