// Number text: reading number literals and writing results.
//
// The literal syntax, the range rules and the result layout are the engine's
// own. The standard library's std::from_chars and std::to_chars serve only as
// the arithmetic core: the nearest double to a canonical decimal string we
// build, and correctly rounded (or exact) decimal digits of a double. Both are
// locale-free and give the same bits on every platform. Nothing here
// allocates; every buffer is a bounded array on the stack.
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>

#include "decimal.h"
#include "engine.h"

namespace {

// ---------------------------------------------------------------------------
// Reading literals

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
const char *ScanIntegerLiteral(const char *text, double *value) {
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
    OverflowFlag = true;
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
const char *ScanDecimalLiteral(const char *text, double *value) {
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
    OverflowFlag = true;
    magnitude = std::numeric_limits<double>::infinity();
  } else if (underflow) {
    OverflowFlag = true;
    *value = 0.0;  // +0 whatever the sign
    return p;
  }
  *value = negative ? -magnitude : magnitude;
  return p;
}

// ---------------------------------------------------------------------------
// Writing results

// Reads the signed exponent that std::to_chars wrote after its "e".
int ReadExponent(const char *p) {
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  int n = 0;
  for (; IsDecimalDigit(*p); ++p) n = n * 10 + (*p - '0');
  return negative ? -n : n;
}

// Writes the special text of an infinity or NaN ("1.#INF", "-1.#IND", ...).
void FormatSpecial(double value, char *out) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const bool negative = (bits >> 63) != 0;
  const std::uint64_t fraction = bits & 0x000FFFFFFFFFFFFFull;
  const std::uint64_t quietBit = 0x0008000000000000ull;
  const char *name;
  if (fraction == 0) name = "INF";
  else if (negative && fraction == quietBit) name = "IND";  // the default NaN
  else if ((fraction & quietBit) == 0) name = "SNAN";
  else name = "QNAN";
  char *p = out;
  if (negative) *p++ = '-';
  *p++ = '1';
  *p++ = '.';
  *p++ = '#';
  std::size_t n = std::strlen(name);
  std::memcpy(p, name, n);
  p[n] = '\0';
}

// Writes n (0..999) as exactly three digits.
char *WriteThreeDigits(char *p, int n) {
  *p++ = static_cast<char>('0' + n / 100);
  *p++ = static_cast<char>('0' + n / 10 % 10);
  *p++ = static_cast<char>('0' + n % 10);
  return p;
}

// Adds one in the last of count decimal digits. When they were all 9 they
// become 1 followed by zeros and the result is true: the value has reached
// the next power of ten.
bool IncrementDigits(char *digits, int count) {
  int i = count - 1;
  while (i >= 0 && digits[i] == '9') digits[i--] = '0';
  if (i < 0) {
    digits[0] = '1';
    return true;
  }
  ++digits[i];
  return false;
}

}  // namespace

// Exact 17-digit rounding (see decimal.h) from correctly rounded digits:
// to_chars gives R, the value rounded to 18 digits, and R alone decides
// unless its 18th digit is 5.
void RoundToSeventeenDigits(double v, char digits[17], int *p) {
  // R: the exact value correctly rounded to 18 digits, "d.ddddddddddddddddde-XXX".
  char r[40];
  std::to_chars_result tr = std::to_chars(r, r + sizeof r, v, std::chars_format::scientific, 17);
  *tr.ptr = '\0';
  int exponent = ReadExponent(r + 20);  // after "d.", 17 decimals and "e"
  // The 18 digits of R.
  char d18[18];
  d18[0] = r[0];
  std::memcpy(d18 + 1, r + 2, 17);

  // R's 18th digit decides, except when it is 5: then the exact 18th digit
  // is 5 when v >= R, and 4 when R was rounded up from below.
  bool roundUp = d18[17] >= '5';
  if (d18[17] == '5') {
    // More digits first: beyond R they show on which side of R v lies,
    // unless they all read 0 (v within half a unit of the 30th digit of R).
    char w[48];
    tr = std::to_chars(w, w + sizeof w, v, std::chars_format::scientific, 29);
    *tr.ptr = '\0';
    char d30[30];
    d30[0] = w[0];
    std::memcpy(d30 + 1, w + 2, 29);
    const bool sameExponent = ReadExponent(w + 32) == exponent;
    const bool samePrefix = sameExponent && std::memcmp(d30, d18, 18) == 0;
    bool restZero = true;
    for (int i = 18; i < 30; ++i) restZero = restZero && d30[i] == '0';
    if (samePrefix && !restZero) {
      roundUp = true;   // R30 > R, so v > R
    } else if (sameExponent && !samePrefix && d30[17] == '4') {
      roundUp = false;  // R30 < R, so v < R
    } else {
      // Still undecided: read the exact expansion (at most 767 digits).
      char exact[800];
      tr = std::to_chars(exact, exact + sizeof exact, v, std::chars_format::scientific, 770);
      roundUp = exact[18] >= '5';  // the 18th digit sits after "d." and 16 decimals
    }
  }

  std::memcpy(digits, d18, 17);
  *p = exponent + 1;
  if (roundUp && IncrementDigits(digits, 17)) ++*p;
}


// Digits 1 to 11 of the 17-digit rounding of v (> 0), and P, as
// FormatResult needs them. Twelve correctly rounded digits R12 lie within
// half a unit of their 12th digit of v, so they settle the ten-digit result
// by themselves unless their 11th and 12th digits read 50 (v is then near
// d1..d10 4999999 5, where the 17-digit rounding decides) or R12 is 1
// followed by zeros (it may have carried into a new power of ten, and the
// layout must follow the 17-digit value). Those few cases take the full first
// rounding. Otherwise digits[10] only has to fall on the right side of 5.
static void ReadLeadingDigits(double v, char digits[17], int *p) {
  char r[32];  // "d.ddddddddddde-XXX"
  std::to_chars_result tr = std::to_chars(r, r + sizeof r, v, std::chars_format::scientific, 11);
  *tr.ptr = '\0';
  const int last2 = (r[11] - '0') * 10 + (r[12] - '0');
  const bool powerOfTen = r[0] == '1' && std::memcmp(r + 2, "00000000000", 11) == 0;
  if (last2 == 50 || powerOfTen) {
    RoundToSeventeenDigits(v, digits, p);
    return;
  }
  digits[0] = r[0];
  std::memcpy(digits + 1, r + 2, 9);
  std::memset(digits + 10, '0', 7);
  if (last2 > 50) digits[10] = '9';
  *p = ReadExponent(r + 14) + 1;
}

const char *ScanNumber(const char *text, double *value) {
  if (text[0] == '0' && text[1] != '.') return ScanIntegerLiteral(text, value);
  return ScanDecimalLiteral(text, value);
}

void FormatResult(double value, char out[kResultTextSize]) {
  if (value != value || value == std::numeric_limits<double>::infinity() ||
      value == -std::numeric_limits<double>::infinity()) {
    FormatSpecial(value, out);
    return;
  }

  // First rounding: 17 digits of the exact expansion. Only digits[0..10]
  // matter from here on; the 11th decides the second rounding.
  char digits[17];
  int p = 0;
  bool negative = false;
  if (value == 0) {
    std::memset(digits, '0', sizeof digits);
  } else {
    negative = value < 0;
    ReadLeadingDigits(negative ? -value : value, digits, &p);
  }

  // The layout is chosen now and kept through the second rounding.
  const bool exponentLayout = p < 0 || p > 10;
  const int decimals = 10 - p;  // N of the fixed layout

  // Second rounding: ten digits, decided by the 11th alone.
  char ten[11];
  std::memcpy(ten, digits, 10);
  int count = 10;
  if (digits[10] >= '5' && IncrementDigits(ten, 10)) {
    ten[10] = '0';  // 1 and ten zeros
    count = 11;
    ++p;
  }

  char *o = out;
  if (negative) *o++ = '-';
  if (exponentLayout) {
    *o++ = ten[0];
    *o++ = '.';
    int last = 9;  // trailing zeros of the nine decimals go, the point stays
    while (last >= 1 && ten[last] == '0') --last;
    for (int i = 1; i <= last; ++i) *o++ = ten[i];
    *o++ = 'e';
    int e = p - 1;
    *o++ = e < 0 ? '-' : '+';
    o = WriteThreeDigits(o, e < 0 ? -e : e);
  } else {
    int next = 0;  // index into ten[]
    if (p <= 0) {
      *o++ = '0';
    } else {
      for (; next < p && next < count; ++next) *o++ = ten[next];
    }
    if (decimals > 0) {
      *o++ = '.';
      char *afterPoint = o;
      for (int i = 0; i < decimals && next < count; ++i) *o++ = ten[next++];
      while (o > afterPoint && o[-1] == '0') --o;
    }
  }
  *o = '\0';
}

// Radix 2 to 16 write the 32-bit pattern unsigned; radix 10 writes the signed
// number. Any other radix (below 2 or above 16) is treated as 10, so a bad
// setting can neither loop forever nor index past the digit table.
void FormatRadix(double value, int radix, char out[kRadixTextSize]) {
  if (radix < 2 || radix > 16) radix = 10;
  const std::int32_t n = ToInt32(value);
  std::uint32_t magnitude = static_cast<std::uint32_t>(n);
  char *o = out;
  if (radix == 10 && n < 0) {
    *o++ = '-';
    magnitude = 0u - magnitude;
  }
  char reversed[32];
  int count = 0;
  do {
    reversed[count++] = "0123456789abcdef"[magnitude % static_cast<std::uint32_t>(radix)];
    magnitude /= static_cast<std::uint32_t>(radix);
  } while (magnitude != 0);
  while (count > 0) *o++ = reversed[--count];
  *o = '\0';
}

std::int32_t ToInt32(double value) {
  // NaN fails both comparisons, the infinities fail one. No double lies
  // strictly between -2^63 - 1 and -2^63, so these bounds admit exactly the
  // values whose truncation fits in 64 bits: no conversion is undefined.
  if (!(value >= -0x1p63 && value < 0x1p63)) return 0;
  const std::int64_t whole = static_cast<std::int64_t>(value);  // truncates
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(whole));
}
