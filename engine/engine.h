// The expression engine: one line of text in, a value or an error out.
//
// Portable C++20, standard library only. Text is 8-bit and NUL-terminated;
// the messages are UTF-8. Every function here is single-threaded and works on
// process-wide state (the variables, the parse cursor, the overflow flag).
#pragma once

#include <cstddef>
#include <cstdint>

// Evaluation result codes. 3 is never produced.
enum EvalError : int {
  kEvalOk = 0,
  kEvalOverflow = 1,      // "ｵ-ﾊﾞ-ﾌﾛ-です"
  kEvalDivideByZero = 2,  // "零で除算しました"
  kEvalSyntax = 4,        // "文法ｴﾗ-です"
  kEvalArgument = 5,      // "引数が許容範囲外です"
};

// Size of the caller's line buffer: letter, "=", blank, 255 characters of
// expression and the terminator fit, and so does whatever is written back.
inline constexpr std::size_t kLineBufferSize = 320;
// Longest expression a slot or an entry holds, in bytes.
inline constexpr std::size_t kMaxExpressionLength = 255;
// FormatResult writes at most 17 characters plus the terminator.
inline constexpr std::size_t kResultTextSize = 18;
// FormatRadix writes at most 32 characters (radix 2) plus the terminator.
inline constexpr std::size_t kRadixTextSize = 33;
// The longest message in UTF-8 bytes, without the terminator.
inline constexpr std::size_t kMaxMessageLength = 30;

// The 26 variables A-Z, all 0 at start. Only EvaluateLine writes them.
extern double VariableTable[26];

// Evaluates one line in place. The line may start with an assignment prefix
// ("B=" after normalisation). On return the buffer holds the result text
// (code 0) or the code's message. *stop counts bytes of the normalised
// expression after the assignment prefix.
int EvaluateLine(char *line, double *value, int *stop, bool degreeMode);

// Drops comments (' : ;), turns [ { into ( and ] } into ), removes blanks and tabs.
void NormalizeExpression(char *line);

// The fixed message of a code, UTF-8; "" for 0 and unknown codes.
const char *EvalErrorMessage(int code);

// Reads a number literal at text. Returns the first byte after it, or text
// itself when nothing could be read (*value is then 0). Sets OverflowFlag for
// a literal out of range.
const char *ScanNumber(const char *text, double *value);

// Ten significant digits: "3.", "0.5", "1.e-002", "1.#INF", ...
void FormatResult(double value, char out[kResultTextSize]);

// The 32-bit pattern of ToInt32(value) as an unsigned number in radix 2, 8 or
// 16 (lower-case digits); radix 10 writes the signed decimal number.
void FormatRadix(double value, int radix, char out[kRadixTextSize]);

// Truncates toward zero; within the signed 64-bit range keeps the low 32 bits,
// otherwise (and for infinities and NaN) 0.
std::int32_t ToInt32(double value);

// Set by ScanNumber and ComputePower, cleared and tested by EvaluateLine.
extern bool OverflowFlag;
