// Number text, writing: the result text with ten significant digits, the
// radix text, and the 32-bit integer both the radix text and the integer
// operators work on.
//
// The layout and its two roundings are the engine's own. std::to_chars
// serves only as the arithmetic core: correctly rounded (or exact) decimal
// digits of a double, locale-free and the same on every platform. Nothing
// here allocates; every buffer is a bounded array on the stack.
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>

#include "engine.h"
#include "number_text_rounding.h"

// Writes the special text of an infinity or NaN ("1.#INF", "-1.#IND", ...).
static void FormatSpecial(double value, char *out) {
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
static char *WriteThreeDigits(char *p, int n) {
  *p++ = static_cast<char>('0' + n / 100);
  *p++ = static_cast<char>('0' + n / 10 % 10);
  *p++ = static_cast<char>('0' + n % 10);
  return p;
}

// Reads the signed exponent that std::to_chars wrote after its "e".
static int ReadExponent(const char *p) {
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  int n = 0;
  for (; *p >= '0' && *p <= '9'; ++p) n = n * 10 + (*p - '0');
  return negative ? -n : n;
}

// Adds one in the last of count decimal digits. When they were all 9 they
// become 1 followed by zeros and the result is true: the value has reached
// the next power of ten.
static bool IncrementDigits(char *digits, int count) {
  int i = count - 1;
  while (i >= 0 && digits[i] == '9') digits[i--] = '0';
  if (i < 0) {
    digits[0] = '1';
    return true;
  }
  ++digits[i];
  return false;
}

// Exact 17-digit rounding (see number_text_rounding.h) from correctly rounded
// digits: to_chars gives R, the value rounded to 18 digits, and R alone
// decides unless its 18th digit is 5.
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
