// The recursive-descent evaluator behind EvaluateLine: it computes while it
// reads, with one shared read position and one error trap.
#pragma once

// The current byte of the expression. Set by ParseExpression, moved by every
// level. AdvanceCursor writes word operators back into the buffer.
extern char *ParseCursor;

// Multiplier of the trigonometric functions for one evaluation: PI/180 in
// degree mode, 1 in radian mode.
extern double AngleFactor;

// Parses the normalised, upper-cased text. Returns 0 or an EvalError code;
// *stop counts the bytes read when it stopped; *value is 0 after an error.
int ParseExpression(char *text, double *value, int *stop, bool degreeMode);

// The levels, loosest first. Each reads at ParseCursor and leaves it on the
// first byte it did not use.
double ParseBitwise();
double ParseSum();
double ParseIntDiv();
double ParseProduct();
double ParseUnary();
double ParsePower();
double ParsePrimary();

// Steps past the current byte and the blanks after it, and rewrites a word
// operator (MOD, DEV, **, AND, OR, NOT, XOR) found there into its character.
void AdvanceCursor();

// Leaves every level at once; ParseExpression returns code.
[[noreturn]] void RaiseEvalError(int code);
