// The engine's process-wide state, in one place: the variables and the
// overflow flag (engine.h), and the angle factor and the error trap of the
// evaluation in progress (state.h). The parse cursor is the parser's alone and
// lives with it.
#include "state.h"

#include "engine.h"

double VariableTable[26] = {};
bool OverflowFlag = false;

double AngleFactor = 1.0;
std::jmp_buf ParseTrap;
int RaisedCode = 0;

void RaiseEvalError(int code) {
  RaisedCode = code;
  std::longjmp(ParseTrap, 1);
}
