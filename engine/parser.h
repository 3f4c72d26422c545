// The recursive-descent evaluator behind EvaluateLine: it computes while it
// reads, with one shared read position and one error trap (state.h).
#pragma once

struct FunctionEntry;

// The current byte of the expression. Set by ParseExpression, moved by every
// level. AdvanceCursor writes word operators back into the buffer.
extern char *ParseCursor;

// Parses the normalised, upper-cased text. Sets AngleFactor for the
// evaluation and arms the trap. Returns 0 or an EvalError code; *stop counts
// the bytes read when it stopped; *value is 0 after an error.
int ParseExpression(char *text, double *value, int *stop, bool degreeMode);

// The levels, loosest first. Each reads at ParseCursor and leaves it on the
// first byte it did not use; its grammar rule stands above its definition.
double ParseBitwise();
double ParseSum();
double ParseIntDiv();
double ParseProduct();
double ParseUnary();
double ParsePower();
double ParsePrimary();

// With ParseCursor on the first letter of entry's name: requires "(" right
// after the name (else error 4 at the name), reads the argument with
// ParseBitwise and returns the operation's value (which may raise error 5).
double ReadFunctionCall(const FunctionEntry *entry);

// Steps past the current byte and the blanks after it, and rewrites a word
// operator (MOD, DEV, **, AND, OR, NOT, XOR) found there into its character.
void AdvanceCursor();
