// The recursive-descent evaluator behind EvaluateLine: it computes while it
// reads, and every level works on the one evaluation's state (parse_state.h).
#pragma once

#include "parse_state.h"

// Parses the normalised, upper-cased text. Sets the cursor, the depth and the
// angle factor of state and arms its trap; leaves its variables and its
// overflow flag to the caller. Returns 0 or an EvalError code; *stop counts
// the bytes read when it stopped; *value is 0 after an error.
int ParseExpression(ParseState &state, char *text, double *value, int *stop, bool degreeMode);

// Steps past the current byte and the blanks after it, and rewrites a word
// operator (MOD, DEV, **, AND, OR, NOT, XOR) found there into its character.
void AdvanceCursor(ParseState &state);
