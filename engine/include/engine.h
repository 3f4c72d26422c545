// The expression engine: one line of text in, a value or an error out.
//
// Portable C++20, standard library only. Text is 8-bit and NUL-terminated;
// the messages are UTF-8. The one piece of process-wide state is the table of
// the variables A-Z; everything else a parse needs lives for that one
// evaluation. Single-threaded: EvaluateLine is not re-entrant.
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

// Evaluates one line in place. The line may start with an assignment prefix
// ("B=" after normalisation). On return the buffer holds the result text
// (code 0) or the code's message. *stop counts bytes of the normalised
// expression after the assignment prefix.
int EvaluateLine(char *line, double *value, int *stop, bool degreeMode);

// The variable of index 0 (A) to 25 (Z); 0 for any other index. The 26
// variables are all 0 at start, and only EvaluateLine writes them.
double ReadVariable(int index);

// Sets all 26 variables back to 0, as at start.
void ClearVariables();

// Drops comments (' : ;), turns [ { into ( and ] } into ), removes blanks and tabs.
void NormalizeExpression(char *line);

// The fixed message of a code, UTF-8; "" for 0 and unknown codes.
const char *EvalErrorMessage(int code);

// Reads a number literal at text. Returns the first byte after it, or text
// itself when nothing could be read (*value is then 0). Sets *overflow for a
// literal out of range and never clears it.
const char *ScanNumber(const char *text, double *value, bool *overflow);

// Ten significant digits: "3.", "0.5", "1.e-002", "1.#INF", ...
void FormatResult(double value, char out[kResultTextSize]);

// The 32-bit pattern of ToInt32(value) as an unsigned number in radix 2, 8 or
// 16 (lower-case digits); radix 10 writes the signed decimal number.
void FormatRadix(double value, int radix, char out[kRadixTextSize]);

// Truncates toward zero; within the signed 64-bit range keeps the low 32 bits,
// otherwise (and for infinities and NaN) 0.
std::int32_t ToInt32(double value);
