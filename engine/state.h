// What the engine's own files share during one evaluation, beside what
// engine.h shows its callers (the variables, the overflow flag): the angle
// factor and the error exit. The parser sets both up; the operations of the
// function table read the factor and leave through the exit. Defined in
// state.cpp, so neither of the two depends on the other for them.
#pragma once

#include <csetjmp>

// Multiplier of the trigonometric functions for one evaluation: PI/180 in
// degree mode, 1 in radian mode. Set by ParseExpression.
extern double AngleFactor;

// The landing point of RaiseEvalError, armed with setjmp by ParseExpression
// for the length of one evaluation, and the code raised to it.
extern std::jmp_buf ParseTrap;
extern int RaisedCode;

// Leaves every parse level at once; ParseExpression returns code. Only valid
// while ParseExpression runs.
[[noreturn]] void RaiseEvalError(int code);
