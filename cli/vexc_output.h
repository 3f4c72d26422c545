// vexc's output: plain bytes, numbers written by hand (no CRT printf), so
// Linux and Windows builds print the same bytes.
#pragma once

#include <cstdio>

void WriteText(std::FILE *stream, const char *text);
// Writes a non-negative or negative integer in decimal.
void WriteInteger(std::FILE *stream, long long number);
// Writes the 64-bit pattern of a double as 16 lower-case hex digits.
void WriteDoubleBits(std::FILE *stream, double value);
// Writes an argument or option for an error message: at most 40 bytes, with
// control bytes shown as "?", so the message stays on one line.
void WriteQuoted(std::FILE *stream, const char *text);

// "vexc: <message> (try vexc --help)" on standard error.
void ReportUsageError(const char *message);
// "vexc: line <n>: <message>" on standard error.
void ReportLineError(unsigned long long lineNumber, const char *message);
