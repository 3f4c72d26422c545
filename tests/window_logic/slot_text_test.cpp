#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <string>

#include "engine.h"
#include "slot_text.h"
#include "utf_conversion.h"

namespace {

const std::u16string kSmile = u"\U0001F600";

std::string BuildLine(int slot, std::u16string_view expression,
                      std::size_t size = kLineBufferSize) {
  std::string buffer(size + 8, '#');  // guard bytes after the buffer
  std::size_t length = BuildEngineLine(slot, expression, buffer.data(), size);
  EXPECT_LT(length, size);
  EXPECT_EQ(buffer[length], '\0');
  EXPECT_EQ(buffer.substr(size), std::string(8, '#'));  // nothing past the end
  return buffer.substr(0, length);
}

// The fixed-buffer conversions, as strings for comparing.
std::u16string ListItem(int slot, std::u16string_view expression) {
  char16_t item[kListItemSize];
  std::size_t length = BuildListItem(slot, expression, item, kListItemSize);
  return std::u16string(item, length);
}

std::u16string Utf16(std::string_view utf8) {
  std::u16string out(utf8.size() + 1, u'#');
  std::size_t length = ConvertUtf8ToUtf16(utf8, out.data(), out.size());
  EXPECT_EQ(out[length], u'\0');
  return out.substr(0, length);
}

TEST(ListItem, RoundTripsTheExpression) {
  std::u16string item = ListItem(1, u"SIN(30)*2 ' 角度");
  EXPECT_EQ(item, u"B\u2502SIN(30)*2 ' 角度");
  EXPECT_TRUE(IsListItem(item));
  EXPECT_EQ(GetListItemExpression(item), u"SIN(30)*2 ' 角度");
}

TEST(ListItem, KeepsAMarkerInsideTheExpression) {
  std::u16string item = ListItem(25, u"1\u2502\u25022");
  EXPECT_EQ(item, u"Z\u25021\u2502\u25022");
  EXPECT_EQ(GetListItemExpression(item), u"1\u2502\u25022");
  EXPECT_EQ(GetListItemExpression(ListItem(0, u"\u2502")), u"\u2502");
}

TEST(ListItem, RecognisesOnlyTheMarkerInSecondPlace) {
  EXPECT_FALSE(IsListItem(u""));
  EXPECT_FALSE(IsListItem(u"A"));
  EXPECT_FALSE(IsListItem(u"\u2502A"));
  EXPECT_FALSE(IsListItem(u"AB\u2502"));
  EXPECT_FALSE(IsListItem(kSmile + u"\u2502"));
  EXPECT_TRUE(IsListItem(u"x\u2502"));  // typed by hand, still a list choice
  EXPECT_EQ(GetListItemExpression(u"x\u2502"), u"");
  EXPECT_EQ(GetListItemExpression(u"1+2"), u"");
}

TEST(ListItem, CutsTheExpressionAt255Characters) {
  std::u16string item = ListItem(0, std::u16string(300, u'1'));
  EXPECT_EQ(item.size(), 2 + kMaxSlotExpressionLength);
  // A pair across the limit is left out whole rather than split.
  std::u16string expression = std::u16string(254, u'1') + kSmile;
  EXPECT_EQ(GetListItemExpression(ListItem(0, expression)),
            std::u16string(254, u'1'));
  expression = std::u16string(253, u'1') + kSmile;
  EXPECT_EQ(GetListItemExpression(ListItem(0, expression)), expression);
}

TEST(ListItem, ClampsTheSlotIndex) {
  EXPECT_EQ(GetSlotLetter(-5), u'A');
  EXPECT_EQ(GetSlotLetter(3), u'D');
  EXPECT_EQ(GetSlotLetter(26), u'Z');
  EXPECT_EQ(GetSlotLetter(INT_MAX), u'Z');
}

TEST(EngineLine, PutsLetterEqualsBlankAndUtf8Expression) {
  EXPECT_EQ(BuildLine(1, u"SIN(30)*2"), "B= SIN(30)*2");
  EXPECT_EQ(BuildLine(2, u""), "C= ");
  EXPECT_EQ(BuildLine(0, u"1 ;関数" + kSmile), "A= 1 ;\xE9\x96\xA2\xE6\x95\xB0\xF0\x9F\x98\x80");
  EXPECT_EQ(BuildLine(0, u"\t1\x01\x7F"), "A= \t1\x01\x7F");  // control characters pass
  EXPECT_EQ(BuildLine(0, u"1\xD800+\xDC00"), "A= 1\xEF\xBF\xBD+\xEF\xBF\xBD");
  EXPECT_EQ(BuildLine(0, std::u16string(300, u'9')), "A= " + std::string(255, '9'));
}

TEST(EngineLine, CutsLongUtf8AtACharacterBoundary) {
  std::u16string expression(kMaxSlotExpressionLength, u'関');
  std::string line = BuildLine(0, expression);
  EXPECT_GE(line.size(), kLineBufferSize - 4);
  std::u16string back = Utf16(line.substr(3));
  EXPECT_EQ(back, std::u16string(back.size(), u'関'));  // no broken character
  // Four-byte characters too.
  std::u16string pairs;
  for (int i = 0; i < 127; ++i) pairs += kSmile;
  line = BuildLine(0, pairs);
  back = Utf16(line.substr(3));
  EXPECT_EQ(back, pairs.substr(0, back.size()));
  EXPECT_EQ(back.size() % 2, 0u);
}

TEST(EngineLine, CutInsideACommentLeavesTheExpressionAlone) {
  std::u16string expression = u"1+2 ;" + std::u16string(250, u'関');
  std::string line = BuildLine(0, expression);
  EXPECT_EQ(line.substr(0, 8), "A= 1+2 ;");
  EXPECT_EQ(line.find('?'), std::string::npos);
}

TEST(EngineLine, CutOfPlainAsciiCannotLookValid) {
  // Only a buffer smaller than the engine's can cut ASCII text.
  EXPECT_EQ(BuildLine(0, u"12345", 8), "A= 123?");
  EXPECT_EQ(BuildLine(0, u"1;2345", 8), "A= 1;23");
  EXPECT_EQ(BuildLine(0, u"1関2345", 8), "A= 1\xE9\x96\xA2");
  EXPECT_EQ(BuildLine(0, u"12345", 3), "");
  EXPECT_EQ(BuildLine(0, u"12345", 4), "A= ");
}

TEST(Utf16ToUtf8, BoundsTheOutput) {
  char out[4] = {'#', '#', '#', '#'};
  bool cut = false;
  EXPECT_EQ(ConvertUtf16ToUtf8(u"abc", out, 0, &cut), 0u);
  EXPECT_TRUE(cut);
  EXPECT_EQ(out[0], '#');
  EXPECT_EQ(ConvertUtf16ToUtf8(u"ab関", out, 4, &cut), 2u);
  EXPECT_TRUE(cut);
  EXPECT_STREQ(out, "ab");
  EXPECT_EQ(ConvertUtf16ToUtf8(u"関", out, 4, &cut), 3u);
  EXPECT_FALSE(cut);
}

TEST(ListItem, ASmallBufferCutsTheExpressionNeverInsideAPair) {
  char16_t item[8];
  EXPECT_EQ(BuildListItem(0, u"12" + kSmile, item, 5), 4u);
  EXPECT_EQ(std::u16string(item), u"A\u250212");
  EXPECT_EQ(BuildListItem(0, u"1" + kSmile, item, 5), 3u);  // the pair does not fit
  EXPECT_EQ(std::u16string(item), u"A\u25021");
  EXPECT_EQ(BuildListItem(0, u"1", item, 2), 0u);
  EXPECT_EQ(item[0], u'\0');
}

TEST(Utf8ToUtf16, StopsBeforeACharacterThatDoesNotFit) {
  char16_t out[4];
  EXPECT_EQ(ConvertUtf8ToUtf16("ab\xF0\x9F\x98\x80", out, 4), 2u);
  EXPECT_EQ(std::u16string(out), u"ab");
  EXPECT_EQ(ConvertUtf8ToUtf16("abcdef", out, 4), 3u);
  EXPECT_EQ(ConvertUtf8ToUtf16("abc", out, 0), 0u);
}

struct Utf8Case {
  const char *name;
  std::string utf8;
  std::u16string expected;
};

class Utf8ToUtf16Table : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8ToUtf16Table, ReplacesEveryBadByte) {
  EXPECT_EQ(Utf16(GetParam().utf8), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf8ToUtf16Table,
    testing::Values(
        Utf8Case{"Message", "文法ｴﾗ-です", u"文法ｴﾗ-です"},
        Utf8Case{"Result", "-1.234567891e-005", u"-1.234567891e-005"},
        Utf8Case{"FourBytes", "\xF0\x9F\x98\x80", u"\U0001F600"},
        Utf8Case{"Highest", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        Utf8Case{"StopsAtNul", std::string("ab\0cd", 5), u"ab"},
        Utf8Case{"Overlong", "\xC0\xAF", u"\uFFFD\uFFFD"},
        Utf8Case{"OverlongThree", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        Utf8Case{"Surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        Utf8Case{"PastTheRange", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        Utf8Case{"CutShortAtEnd", "1\xE9\x96", u"1\uFFFD\uFFFD"},
        Utf8Case{"CutShortInside", "\xE9\x96" "1", u"\uFFFD\uFFFD" "1"},
        Utf8Case{"StrayContinuation", "\x80" "a\xBF", u"\uFFFD" "a\uFFFD"},
        Utf8Case{"BadLead", "\xFF\xF8", u"\uFFFD\uFFFD"}),
    [](const testing::TestParamInfo<Utf8Case> &info) { return std::string(info.param.name); });

// Random UTF-16, lone surrogates included, survives the trip to UTF-8 and
// back with exactly the lone surrogates replaced.
TEST(Utf16RoundTrip, KeepsEveryCharacterAndReplacesLoneSurrogates) {
  std::mt19937 random(12345);
  const char16_t pool[] = {u'1', u'+', u';', u'関', u'ｴ', 0x7F, 0x80, 0x7FF,
                           0x800, 0xFFFF, 0xD800, 0xDBFF, 0xDC00, 0xDFFF};
  for (int round = 0; round < 2000; ++round) {
    std::u16string text(random() % 40, u' ');
    for (char16_t &c : text) c = pool[random() % std::size(pool)];
    std::u16string expected;
    for (std::size_t i = 0; i < text.size(); ++i) {
      bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
      bool low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
      if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        expected += text.substr(i, 2);
        ++i;
      } else {
        expected += high || low ? u'\uFFFD' : text[i];
      }
    }
    char out[4 * 40 + 1];
    ConvertUtf16ToUtf8(text, out, sizeof out);
    ASSERT_EQ(Utf16(out), expected) << "round " << round;
  }
}

TEST(Selection, PacksStartLowAndEndHigh) {
  EXPECT_EQ(MakeSelection(3, 7), 0x00070003u);
  EXPECT_EQ(MakeSelection(999, 999), kCaretToEnd);
  EXPECT_EQ(MakeSelection(0x12345, 0x1FFFF), 0xFFFF2345u);
  EXPECT_EQ(GetSelectionStart(0x00070003u), 3u);
  EXPECT_EQ(GetSelectionEnd(0x00070003u), 7u);
  EXPECT_EQ(GetSelectionStart(kCaretToEnd), 999u);
  EXPECT_NE(kNoPendingSelection, kCaretToEnd);
}

TEST(Selection, CaretGoesOneBeforeTheStop) {
  EXPECT_EQ(MakeCaretFromStop(5), MakeSelection(4, 4));
  EXPECT_EQ(MakeCaretFromStop(1), MakeSelection(0, 0));
  EXPECT_EQ(MakeCaretFromStop(0), 0xFFFFFFFFu);  // -1: no caret move
  EXPECT_EQ(MakeCaretFromStop(0x10005), MakeSelection(4, 4));
  EXPECT_EQ(MakeCaretFromStop(INT_MIN), MakeSelection(0xFFFF, 0xFFFF));
}

}  // namespace
