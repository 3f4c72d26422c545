// What one evaluation carries while it reads a line: the read position, the
// nesting depth, the angle factor, the variables it reads, the overflow flag
// and the error trap. EvaluateLine makes one on its stack for each line and
// hands it by reference to every parse level, the literals' flag and the
// function table's operations, so nothing of a parse outlives it and the only
// state kept between lines is the table of the variables.
#pragma once

#include <csetjmp>

struct ParseState {
  explicit ParseState(const double *variableTable) : variables(variableTable) {}

  // The current byte of the expression. Set by ParseExpression, moved by
  // every level; AdvanceCursor writes word operators back into the buffer.
  char *cursor = nullptr;
  // Bitwise levels open, bounded so that an overlong line cannot exhaust
  // the stack.
  int depth = 0;
  // Multiplier of the trigonometric functions: PI/180 in degree mode, 1 in
  // radian mode. Set by ParseExpression.
  double angleFactor = 1.0;
  // The 26 variables A-Z that the primaries read; the parse never writes them.
  const double *variables;
  // Set by a literal out of range and by a power that overflows, never
  // cleared during the parse; EvaluateLine turns it into error 1.
  bool overflow = false;
  // The code raised to the trap, and the trap itself: armed with setjmp by
  // ParseExpression for the length of the parse. The state belongs to
  // ParseExpression's caller, not to ParseExpression: after a longjmp the
  // locals of the function that called setjmp are indeterminate when they
  // changed in between, and the cursor always has.
  int raisedCode = 0;
  std::jmp_buf trap;
};

// Leaves every parse level at once; ParseExpression returns code. Only valid
// while ParseExpression runs on state.
[[noreturn]] inline void RaiseEvalError(ParseState &state, int code) {
  state.raisedCode = code;
  std::longjmp(state.trap, 1);
}
