// Internal to the engine's number text: the first rounding of a result,
// shared with the tests so the fast path can be checked digit by digit.
#pragma once

// The first 17 digits of the exact decimal expansion of v (finite, > 0),
// incremented when the 18th digit is 5 or more, with P such that
// v = 0.d1d2d3... x 10^P. All nines carry into "1000..." and P + 1.
void RoundToSeventeenDigits(double v, char digits[17], int *p);
