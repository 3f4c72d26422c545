// The encoding of a settings file told from its bytes, and the UTF-8 decoding.
#include "text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const unsigned char *Bytes(const std::string &text) {
  return reinterpret_cast<const unsigned char *>(text.data());
}

TEST(SettingsEncodingRule, MarksDecideElseValidUtf8ThroughoutElseCodePage932) {
  const SettingsEncoding u16 = SettingsEncoding::kUtf16, u8 = SettingsEncoding::kUtf8,
                         sjis = SettingsEncoding::kCp932;
  struct Case {
    std::string bytes;
    SettingsEncoding encoding;
    size_t mark;
  } cases[] = {
      {std::string("\xFF\xFE[\0", 4), u16, 2},
      {std::string("\xFE\xFF\0[", 4), u16, 2},
      {"\xFF\xFE", u16, 2},                                    // a mark and nothing else
      {"\xEF\xBB\xBF[Vex]", u8, 3},
      {"\xEF\xBB\xBF\x93\xfa", u8, 3},                         // the mark wins over invalid bytes
      {"[Vex]\r\nView=1\r\n", u8, 0},                          // plain ASCII
      {"", u8, 0},
      {"A=1+1 ;\xE3\x83\xA1\xE3\x83\xA2", u8, 0},              // as a text editor saves: メモ
      {"A=\xF0\x9F\x98\x80", u8, 0},                           // four bytes
      {std::string("[\0V\0", 4), u8, 0},                       // NUL is a character too
      {"A=1+1 ;\x83\x81\x83\x82", sjis, 0},                    // メモ in code page 932
      {"A=\x93\xfa\x96\x7b", sjis, 0},                         // 日本
      {"A=\xE3\x83", sjis, 0},                                 // cut off at the end
      {"\xEF\xBB", sjis, 0},                                   // half a mark
      {"A=\xC0\xAF", sjis, 0},                                 // overlong
      {"A=\xED\xA0\x80", sjis, 0},                             // a surrogate
      {"A=\xF4\x90\x80\x80", sjis, 0},                         // beyond U+10FFFF
      {"\xFF", sjis, 0},
      {"\xB1\xB2", sjis, 0},                                   // half-width kana
  };
  for (const Case &c : cases) {
    size_t mark = 99;
    EXPECT_EQ(DetectSettingsEncoding(Bytes(c.bytes), c.bytes.size(), &mark, 1252), c.encoding) << c.bytes;
    EXPECT_EQ(mark, c.mark) << c.bytes;
    // The same answer when the bytes come one at a time.
    EncodingScan scan;
    for (char byte : c.bytes) ScanSettingsBytes(scan, reinterpret_cast<unsigned char *>(&byte), 1);
    EXPECT_EQ(FinishSettingsScan(scan, &mark, 1252), c.encoding) << c.bytes;
  }
}

TEST(SettingsEncodingRule, AmbiguousFilesAreDecidedByTheAnsiCodePage) {
  const SettingsEncoding u8 = SettingsEncoding::kUtf8, sjis = SettingsEncoding::kCp932;
  struct Case {
    std::string bytes;
    SettingsEncoding under932, under1252;
  } cases[] = {
      {"A=1.08*B ;\xC8\xBA", sjis, u8},               // ﾈｺ, or Ⱥ
      {"A=\xC3\xA9", sjis, u8},                        // é in UTF-8: ambiguous too
      {"A=\xC8\xBA\xC3\xA9\r\nB=\xDF\xBF", sjis, u8},
      {"A=\xE3\x83\xA1 \xC8\xBA", u8, u8},            // a three-byte character: real UTF-8
      {"A=\xC3\x80", u8, u8},                          // a continuation byte below 0xA1
      {"A=\xC8\xBA\xF0\x9F\x98\x80", u8, u8},
      {"A=1", u8, u8},                                 // plain ASCII
      {"\xEF\xBB\xBF" "A=\xC8\xBA", u8, u8},          // the mark decides
      {"A=\xC8\xBA\xC8", sjis, sjis},                  // not UTF-8 at all
  };
  for (const Case &c : cases) {
    size_t mark = 0;
    EXPECT_EQ(DetectSettingsEncoding(Bytes(c.bytes), c.bytes.size(), &mark, 932), c.under932) << c.bytes;
    EXPECT_EQ(DetectSettingsEncoding(Bytes(c.bytes), c.bytes.size(), &mark, 1252), c.under1252) << c.bytes;
    // A character cut between two pieces.
    EncodingScan scan;
    ScanSettingsBytes(scan, Bytes(c.bytes), c.bytes.size() - 1);
    ScanSettingsBytes(scan, Bytes(c.bytes) + c.bytes.size() - 1, 1);
    EXPECT_EQ(FinishSettingsScan(scan, &mark, 932), c.under932) << c.bytes;
  }
}

TEST(SettingsEncodingRule, PiecesEndOnWholeCharacters) {
  auto whole = [](SettingsEncoding encoding, const char *bytes) {
    return CountWholeCharacterBytes(encoding, reinterpret_cast<const unsigned char *>(bytes),
                                    std::char_traits<char>::length(bytes));
  };
  const SettingsEncoding sjis = SettingsEncoding::kCp932;
  EXPECT_EQ(whole(sjis, "A=1"), 3u);
  EXPECT_EQ(whole(sjis, "A=\x93\xfa"), 4u);           // 日: whole
  EXPECT_EQ(whole(sjis, "A=\x93\xfa\x96"), 4u);       // 本 cut after its lead byte
  EXPECT_EQ(whole(sjis, "\x81\x81\x81"), 2u);         // a trail byte that looks like a lead byte
  EXPECT_EQ(whole(sjis, "\x81\x81\x81\x81"), 4u);
  EXPECT_EQ(whole(sjis, "\xFD\xFE\xFF"), 3u);         // bytes that lead nothing
  EXPECT_EQ(whole(sjis, "\xB1\xB2"), 2u);             // half-width kana are one byte
  const SettingsEncoding utf8 = SettingsEncoding::kUtf8;
  EXPECT_EQ(whole(utf8, "A=\xE6\x97\xA5"), 5u);       // 日
  EXPECT_EQ(whole(utf8, "A=\xE6\x97"), 2u);
  EXPECT_EQ(whole(utf8, "A=\xE6"), 2u);
  EXPECT_EQ(whole(utf8, "\xF0\x9F\x98"), 0u);         // a four-byte character cut
  EXPECT_EQ(whole(utf8, "\xF0\x9F\x98\x80"), 4u);
  EXPECT_EQ(whole(utf8, "\x80\x80\x80\x80"), 4u);     // stray continuation bytes
  EXPECT_EQ(whole(sjis, ""), 0u);
}

TEST(Utf8Decoding, WellFormedTextAndEachIllFormedSequenceAsOneReplacement) {
  struct Case {
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"A=1+1 ;\xE3\x83\xA1\xE3\x83\xA2", u"A=1+1 ;メモ"},
      {"\xC2\xA5\xF0\x9F\x98\x80", u"¥\U0001F600"},
      {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
      {"\xE3\x83", u"\xFFFD"},                    // cut off: one replacement
      {"\xE3\x83" "A", u"\xFFFD" "A"},
      {"\x80\xBF", u"\xFFFD\xFFFD"},              // stray continuation bytes
      {"\xC0\xAF", u"\xFFFD\xFFFD"},              // overlong: C0 leads nothing
      {"\xED\xA0\x80", u"\xFFFD\xFFFD\xFFFD"},    // a surrogate
      {"\xF4\x90\x80\x80", u"\xFFFD\xFFFD\xFFFD\xFFFD"},
      {"\xF0\x9F\x98" "x", u"\xFFFD" "x"},
  };
  for (const Case &c : cases) {
    std::u16string out(c.bytes.size() + 1, u'?');
    out.resize(DecodeUtf8(Bytes(c.bytes), c.bytes.size(), out.data()));
    EXPECT_EQ(out, c.text) << c.bytes;
  }
}

}  // namespace
