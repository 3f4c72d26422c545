// Number text, reading: the number literals of the expression language.
//
// The literal syntax and the range rules are the engine's own. The standard
// library's std::from_chars serves only as the arithmetic core: the nearest
// double to a canonical decimal string built here. It is locale-free and gives
// the same bits on every platform. Nothing here allocates; every buffer is a
// bounded array on the stack.
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>

#include "engine.h"

namespace {

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// Value of c as a digit of radix 8 or 16, or -1.
int DigitValue(char c, int radix) {
  int d = -1;
  if (c >= '0' && c <= '9') d = c - '0';
  else if (radix == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
  else if (radix == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
  return d < radix ? d : -1;
}

// Octal literal "0..." or hexadecimal literal "0X...". text[0] is '0'.
const char *ScanIntegerLiteral(const char *text, double *value, bool *overflowFlag) {
  int radix = 8;
  const char *p = text;  // octal digits begin at the leading zero itself
  if (text[1] == 'X' || text[1] == 'x') {
    radix = 16;
    p = text + 2;
    if (DigitValue(*p, 16) < 0) {  // "0X" without a digit reads nothing
      *value = 0;
      return text;
    }
  }
  std::uint32_t accumulator = 0;
  bool overflow = false;
  for (int d; (d = DigitValue(*p, radix)) >= 0; ++p) {
    std::uint64_t next = std::uint64_t{accumulator} * radix + d;
    if (next > 0xFFFFFFFFu) overflow = true;  // keep the old value, go on consuming
    else accumulator = static_cast<std::uint32_t>(next);
  }
  if (overflow || accumulator > 2147483647u) {
    *overflowFlag = true;
    accumulator = 2147483647u;
  }
  *value = static_cast<double>(accumulator);
  return p;
}

// Significant digits kept for the conversion. Every double and every midpoint
// between two doubles (and the underflow threshold) has at most 769
// significant digits, so cutting longer literals here and appending a single
// 1 for the dropped non-zero digits never changes which double is nearest.
constexpr int kMaxSignificantDigits = 780;
// A plain decimal exponent beyond these bounds is out of range for certain.
constexpr long long kOverflowExponent = 311;    // value >= 10^310
constexpr long long kUnderflowExponent = -330;  // value < 10^-330
// Explicit exponents are clamped here while they are read.
constexpr long long kExponentClamp = 1000000000;

// The significant digits of a literal (no leading zeros) and its exponent Q,
// the value being 0.D1D2D3... x 10^Q.
struct DecimalDigits {
  char digits[kMaxSignificantDigits + 2];
  int count;
  long long exponent;
};

// Nearest double to 0.digits x 10^exponent through std::from_chars, from a
// canonical "0.ddd...e+N" copy. Returns false when the result is out of the
// double range (then *result is untouched).
bool ConvertDigits(const DecimalDigits &d, double *result) {
  char buffer[kMaxSignificantDigits + 32];
  char *p = buffer;
  *p++ = '0';
  *p++ = '.';
  std::memcpy(p, d.digits, static_cast<std::size_t>(d.count));
  p += d.count;
  *p++ = 'e';
  std::to_chars_result r = std::to_chars(p, buffer + sizeof buffer, d.exponent);
  std::from_chars_result f = std::from_chars(buffer, r.ptr, *result);
  return f.ec == std::errc();
}

// The powers of ten that a double holds exactly: 10^22 = 2^22 x 5^22 and
// 5^22 < 2^53; 10^23 is already rounded.
constexpr double kExactPowersOfTen[] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22,
};
constexpr int kMaxExactPowerOfTen = 22;

// The common short literal without the detour through text: when the digits
// form an integer M of at most 2^53 and the value is M x 10^k with |k| <= 22,
// both M and 10^|k| are exact doubles, so a single IEEE multiplication or
// division rounds the exact value to nearest, the same double that
// ConvertDigits finds. Such a value lies between 10^-22 and 10^38, far from
// both range limits. Returns false, leaving *result alone, when the literal
// does not qualify.
bool ConvertShortDigits(const DecimalDigits &d, double *result) {
  if (d.count > 16) return false;  // 10^16 - 1 still fits the accumulator
  const long long k = d.exponent - d.count;
  if (k < -kMaxExactPowerOfTen || k > kMaxExactPowerOfTen) return false;
  std::uint64_t m = 0;
  for (int i = 0; i < d.count; ++i) m = m * 10 + static_cast<unsigned>(d.digits[i] - '0');
  if (m > (std::uint64_t{1} << 53)) return false;
  const double exact = static_cast<double>(static_cast<std::int64_t>(m));
  *result = k >= 0 ? exact * kExactPowersOfTen[k] : exact / kExactPowersOfTen[-k];
  return true;
}

// True when the decimal value lies below 2^-1022 after rounding to 53
// significant bits. Needed only when the nearest double is exactly 2^-1022:
// that double also takes values a little below the threshold
// 2^-1022 - 2^-1076, since the subnormal spacing there is coarser than 53
// bits would give. Twice the value has normal doubles on both sides, and twice
// the threshold is the midpoint between 2^-1021 - 2^-1074 and 2^-1021, so the
// doubled digits decide it by ordinary rounding (a tie rounds up to even).
bool RoundsBelowSmallestNormal(const DecimalDigits &d) {
  DecimalDigits twice;
  int carry = 0;
  for (int i = d.count - 1; i >= 0; --i) {
    int v = (d.digits[i] - '0') * 2 + carry;
    twice.digits[i + 1] = static_cast<char>('0' + v % 10);
    carry = v / 10;
  }
  twice.digits[0] = static_cast<char>('0' + carry);
  twice.count = d.count + 1;
  twice.exponent = d.exponent + 1;
  double v = 0;
  if (!ConvertDigits(twice, &v)) return true;
  return v < 0x1p-1021;
}

// Decimal literal: optional sign, significand, optional exponent.
const char *ScanDecimalLiteral(const char *text, double *value, bool *overflowFlag) {
  const char *p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }

  DecimalDigits d;
  d.count = 0;
  bool dropped = false;    // a non-zero digit beyond the kept ones
  long long shift = 0;     // integer digits counted after the first non-zero digit,
                           // minus fraction zeros before it
  bool seenDigit = false;
  bool seenPoint = false;
  for (;; ++p) {
    if (*p == '.' && !seenPoint) {
      // "." must be followed by a digit unless digits came before it
      if (!seenDigit && !IsDecimalDigit(p[1])) break;
      seenPoint = true;
      continue;
    }
    if (!IsDecimalDigit(*p)) break;
    seenDigit = true;
    if (d.count == 0 && *p == '0') {
      if (seenPoint) --shift;  // a zero between the point and the first significant digit
      continue;
    }
    if (!seenPoint) ++shift;
    if (d.count < kMaxSignificantDigits) d.digits[d.count++] = *p;
    else if (*p != '0') dropped = true;
  }
  if (!seenDigit) {
    *value = 0;
    return text;
  }

  // Exponent: the letter belongs to the literal only when digits follow.
  long long exponent = 0;
  if (*p == 'E' || *p == 'e' || *p == 'D' || *p == 'd') {
    const char *q = p + 1;
    bool negativeExponent = false;
    if (*q == '+' || *q == '-') {
      negativeExponent = *q == '-';
      ++q;
    }
    if (IsDecimalDigit(*q)) {
      for (; IsDecimalDigit(*q); ++q) {
        if (exponent < kExponentClamp) exponent = exponent * 10 + (*q - '0');
      }
      if (negativeExponent) exponent = -exponent;
      p = q;
    }
  }

  if (d.count == 0) {  // all digits zero: zero whatever the exponent says
    *value = negative ? -0.0 : 0.0;
    return p;
  }
  if (dropped) d.digits[d.count++] = '1';
  d.exponent = shift + exponent;

  bool overflow = d.exponent >= kOverflowExponent;
  bool underflow = d.exponent <= kUnderflowExponent;
  double magnitude = 0;
  if (!overflow && !underflow && !ConvertShortDigits(d, &magnitude)) {
    if (!ConvertDigits(d, &magnitude)) {
      // from_chars leaves the value alone out of range; the exponent tells which end
      if (d.exponent > 0) overflow = true;
      else underflow = true;
    } else if (magnitude == std::numeric_limits<double>::infinity()) {
      overflow = true;
    } else if (magnitude < 0x1p-1022) {
      underflow = true;
    } else if (magnitude == 0x1p-1022) {
      underflow = RoundsBelowSmallestNormal(d);
    }
  }
  if (overflow) {
    *overflowFlag = true;
    magnitude = std::numeric_limits<double>::infinity();
  } else if (underflow) {
    *overflowFlag = true;
    *value = 0.0;  // +0 whatever the sign
    return p;
  }
  *value = negative ? -magnitude : magnitude;
  return p;
}

}  // namespace

const char *ScanNumber(const char *text, double *value, bool *overflow) {
  if (text[0] == '0' && text[1] != '.') return ScanIntegerLiteral(text, value, overflow);
  return ScanDecimalLiteral(text, value, overflow);
}
