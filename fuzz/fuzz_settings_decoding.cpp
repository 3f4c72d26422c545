// libFuzzer target: the settings file's encoding decision and its UTF-8
// decoding. Any bytes: no crash, no access out of bounds, the same decision
// whole and piece by piece, and the decoded text always valid UTF-16.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // The ANSI code page from the last byte: Japanese or not.
  unsigned codePage = size > 0 && (data[size - 1] & 1) ? 932 : 1252;
  size_t markLength = 0;
  SettingsEncoding whole = DetectSettingsEncoding(data, size, &markLength, codePage);
  if (markLength > size) abort();

  // In two pieces, cut where the first byte says.
  size_t cut = size == 0 ? 0 : data[0] % (size + 1);
  EncodingScan scan;
  ScanSettingsBytes(scan, data, cut);
  ScanSettingsBytes(scan, data + cut, size - cut);
  size_t pieceMark = 0;
  if (FinishSettingsScan(scan, &pieceMark, codePage) != whole || pieceMark != markLength) abort();

  // Decoded in pieces that end on whole characters, as the conversion does.
  std::vector<char16_t> text(size + 1);
  size_t made = 0;
  size_t at = markLength;
  while (at < size) {
    size_t piece = size - at < 7 ? size - at : 7;
    size_t wholeBytes = CountWholeCharacterBytes(SettingsEncoding::kUtf8, data + at, piece);
    if (wholeBytes == 0 || at + piece == size) wholeBytes = piece;
    if (wholeBytes > piece) abort();
    made += DecodeUtf8(data + at, wholeBytes, text.data() + made);
    if (made > size) abort();
    at += wholeBytes;
  }
  for (size_t i = 0; i < made; ++i) {
    char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 1 >= made || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) abort();
      ++i;
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      abort();
    }
  }
  return 0;
}
