// The engine's process-wide state, in one place. The parser's cursor and
// angle factor live with the parser; they are valid only during one call.
#include "engine.h"

double VariableTable[26] = {};
bool OverflowFlag = false;
