// The engine's own transcendental functions, ported from fdlibm, the freely
// distributable math library of Sun Microsystems (fdlibm_port.cpp names the
// files and carries the notice).
//
// The platform libraries differ in the last bits of sin, log, pow and the
// rest (one computes them with x87 instructions, another correctly rounded),
// so the engine carries its own: plain double arithmetic only, giving the
// same bits on every build. Accuracy is within one unit in the last place.
// A NaN argument gives a NaN; a NaN made here may carry any sign, so callers
// that show it canonicalise it.
#pragma once

double VexSin(double x);
double VexCos(double x);
double VexTan(double x);
double VexAtan(double x);
double VexAsin(double x);
double VexAcos(double x);
double VexLog(double x);
double VexLog10(double x);
double VexExp(double x);
double VexPow(double x, double y);
