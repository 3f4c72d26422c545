// libFuzzer target: arbitrary bytes as an entry line, as a number literal and
// as doubles to format. Any broken invariant aborts with a message.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine.h"

namespace {

// The caller's line: the window side's longest line is 259 bytes with its NUL.
constexpr std::size_t kMaxLineLength = 259;

void Fail(const char *what, const char *line) {
  std::fprintf(stderr, "invariant broken: %s\nline: \"%s\"\n", what, line);
  std::abort();
}

void Check(bool condition, const char *what, const char *line) {
  if (!condition) Fail(what, line);
}

// Length of a NUL-terminated text within size bytes, or size when there is no NUL.
std::size_t BoundedLength(const char *text, std::size_t size) {
  std::size_t n = 0;
  while (n < size && text[n] != '\0') ++n;
  return n;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool IsValidUtf8(const char *text) {
  const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
  while (*p != 0) {
    int extra = *p < 0x80 ? 0 : (*p >> 5) == 0x6 ? 1 : (*p >> 4) == 0xE ? 2 : (*p >> 3) == 0x1E ? 3 : -1;
    if (extra < 0) return false;
    ++p;
    for (int i = 0; i < extra; ++i, ++p) {
      if ((*p & 0xC0) != 0x80) return false;
    }
  }
  return true;
}

// The assignment target the engine will see, and the length of the
// normalised expression after the prefix.
void DescribeLine(const char *line, int *target, std::size_t *expressionLength) {
  char copy[kLineBufferSize];
  std::memcpy(copy, line, kLineBufferSize);
  NormalizeExpression(copy);
  std::size_t length = BoundedLength(copy, kLineBufferSize);
  char first = copy[0];
  if (first >= 'a' && first <= 'z') first = static_cast<char>(first - 'a' + 'A');
  *target = -1;
  if (first >= 'A' && first <= 'Z' && copy[1] == '=') {
    *target = first - 'A';
    length -= 2;
  }
  *expressionLength = length;
}

void FuzzEvaluateLine(const std::uint8_t *data, std::size_t size, bool degreeMode) {
  char original[kLineBufferSize];
  std::memset(original, 0, sizeof original);
  std::memcpy(original, data, size < kMaxLineLength ? size : kMaxLineLength);
  original[kMaxLineLength] = '\0';

  int target;
  std::size_t expressionLength;
  DescribeLine(original, &target, &expressionLength);

  char line[kLineBufferSize];
  std::memcpy(line, original, sizeof line);
  double value = 0.0;
  int stop = -1;
  int code = EvaluateLine(line, &value, &stop, degreeMode);

  Check(code == 0 || code == 1 || code == 2 || code == 4 || code == 5, "code", original);
  std::size_t textLength = BoundedLength(line, kLineBufferSize);
  Check(textLength < kLineBufferSize, "text not terminated", original);
  Check(textLength <= kMaxMessageLength, "text longer than 30 bytes", original);
  Check(stop >= 0 && static_cast<std::size_t>(stop) <= expressionLength, "stop", original);

  if (code == kEvalOk) {
    char expected[kResultTextSize];
    FormatResult(value, expected);
    Check(textLength <= kResultTextSize - 1, "result longer than 17 bytes", original);
    Check(std::strcmp(line, expected) == 0, "text is not FormatResult(value)", original);
    if (target >= 0) Check(SameBits(ReadVariable(target), value), "variable not stored", original);
  } else {
    Check(std::strcmp(line, EvalErrorMessage(code)) == 0, "text is not the message", original);
    Check(IsValidUtf8(line), "message not UTF-8", original);
    if (code != kEvalOverflow) Check(value == 0.0, "value after an error", original);
    if (target >= 0) Check(SameBits(ReadVariable(target), 0.0), "variable not reset", original);
  }
}

void FuzzScanNumber(const std::uint8_t *data, std::size_t size) {
  char text[kLineBufferSize];
  std::size_t length = size < kMaxLineLength ? size : kMaxLineLength;
  std::memcpy(text, data, length);
  text[length] = '\0';
  length = std::strlen(text);

  double value = -1.0;
  bool overflow = false;
  const char *end = ScanNumber(text, &value, &overflow);
  Check(end >= text && end <= text + length, "ScanNumber end outside the text", text);
  if (end == text) Check(value == 0.0 && !overflow, "ScanNumber value or flag without a literal", text);
}

void CheckFormats(double value) {
  char result[kResultTextSize + 8];
  std::memset(result, 0x7F, sizeof result);
  FormatResult(value, result);
  std::size_t n = BoundedLength(result, sizeof result);
  if (n > kResultTextSize - 1) Fail("FormatResult longer than 17 bytes", "(double)");
  for (std::size_t i = kResultTextSize; i < sizeof result; ++i) {
    if (result[i] != 0x7F) Fail("FormatResult wrote past its buffer", "(double)");
  }

  static const int kRadixes[] = {2, 8, 10, 16};
  for (int radix : kRadixes) {
    char text[kRadixTextSize + 8];
    std::memset(text, 0x7F, sizeof text);
    FormatRadix(value, radix, text);
    std::size_t m = BoundedLength(text, sizeof text);
    if (m == 0 || m > kRadixTextSize - 1) Fail("FormatRadix length", "(double)");
    for (std::size_t i = kRadixTextSize; i < sizeof text; ++i) {
      if (text[i] != 0x7F) Fail("FormatRadix wrote past its buffer", "(double)");
    }
    // The digits read back give the 32-bit pattern of ToInt32(value).
    std::int64_t number = 0;
    std::size_t i = text[0] == '-' ? 1 : 0;
    if (i == 1 && radix != 10) Fail("FormatRadix sign outside radix 10", text);
    for (; i < m; ++i) {
      char c = text[i];
      int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : 99;
      if (digit >= radix) Fail("FormatRadix digit", text);
      number = number * radix + digit;
    }
    if (text[0] == '-') number = -number;
    std::int32_t expected = ToInt32(value);
    std::int64_t want = radix == 10 ? expected : static_cast<std::int64_t>(static_cast<std::uint32_t>(expected));
    if (number != want) Fail("FormatRadix does not read back", text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  FuzzEvaluateLine(data, size, false);
  FuzzEvaluateLine(data, size, true);
  FuzzScanNumber(data, size);
  for (std::size_t offset = 0; offset + sizeof(double) <= size && offset < 64; offset += sizeof(double)) {
    double value;
    std::memcpy(&value, data + offset, sizeof value);
    CheckFormats(value);
  }
  return 0;
}
