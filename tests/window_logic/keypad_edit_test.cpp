#include <gtest/gtest.h>

#include <string>

#include "keypad_edit.h"

namespace {

const int kSeven = u'7';
const int kSin = IDC_SIN;

struct EditCase {
  const char *name;
  std::u16string text;
  int selStart, selEnd;
  std::u16string caption;
  int id;
  std::u16string expectedText;
  int expectedStart, expectedEnd;
  KeypadOutcome expectedOutcome;
};

class KeypadEditTable : public testing::TestWithParam<EditCase> {};

TEST_P(KeypadEditTable, GivesTextSelectionAndUndo) {
  const EditCase &c = GetParam();
  KeypadEdit edit = ApplyKeypadEdit(c.text, c.selStart, c.selEnd, c.caption, c.id);
  EXPECT_EQ(edit.Text(), c.expectedText);
  EXPECT_EQ(edit.selectionStart, c.expectedStart);
  EXPECT_EQ(edit.selectionEnd, c.expectedEnd);
  EXPECT_EQ(edit.outcome, c.expectedOutcome);
  EXPECT_EQ(edit.undoText, c.text);  // the text before the button, always
}

const std::u16string kSmile = u"\U0001F600";  // one character, two units

INSTANTIATE_TEST_SUITE_P(
    Buttons, KeypadEditTable,
    testing::Values(
        EditCase{"InsertAtCaret", u"1+2", 2, 2, u"7", kSeven, u"1+72", 3, 3, kKeypadChanged},
        EditCase{"FunctionReplacesSelection", u"1+30", 2, 4, u"SIN", kSin, u"1+SIN(", 6, 6, kKeypadChanged},
        EditCase{"PiWithoutParenthesis", u"1+", 2, 2, u"PI", IDC_PI, u"1+PI", 4, 4, kKeypadChanged},
        EditCase{"LastFunctionId", u"", 0, 0, u"LOG", IDC_LAST_KEYPAD_COMMAND, u"LOG(", 4, 4, kKeypadChanged},
        EditCase{"CharacterNotFunction", u"", 0, 0, u"^", 94, u"^", 1, 1, kKeypadChanged},
        EditCase{"AmpersandEscape", u"1", 1, 1, u"&&", u'&', u"1&", 2, 2, kKeypadChanged},
        EditCase{"OnlyOneAmpersandGoes", u"1", 1, 1, u"&", u'&', u"1", 1, 1, kKeypadUnchanged},
        EditCase{"ClSelectsToCaret", u"12+3", 2, 2, u"CL", IDC_CL, u"12+3", 0, 2, kKeypadUnchanged},
        EditCase{"ClSelectsToSelectionEnd", u"12+3", 1, 3, u"CL", IDC_CL, u"12+3", 0, 3, kKeypadUnchanged},
        EditCase{"BackspaceAtStart", u"12", 0, 0, u"BS", IDC_BS, u"12", 0, 0, kKeypadUnchanged},
        EditCase{"DeleteAtEnd", u"12", 2, 2, u"DEL", IDC_DEL, u"12", 2, 2, kKeypadUnchanged},
        EditCase{"BackspaceInMiddle", u"123", 2, 2, u"BS", IDC_BS, u"13", 1, 1, kKeypadChanged},
        EditCase{"DeleteInMiddle", u"123", 1, 1, u"DEL", IDC_DEL, u"13", 1, 1, kKeypadChanged},
        EditCase{"BackspaceSelection", u"12345", 1, 3, u"BS", IDC_BS, u"145", 1, 1, kKeypadChanged},
        EditCase{"DeleteSelection", u"12345", 1, 3, u"DEL", IDC_DEL, u"145", 1, 1, kKeypadChanged},
        EditCase{"BackspaceJapanese", u"1;関数", 4, 4, u"BS", IDC_BS, u"1;関", 3, 3, kKeypadChanged},
        EditCase{"DeleteJapanese", u"関数", 0, 0, u"DEL", IDC_DEL, u"数", 0, 0, kKeypadChanged},
        EditCase{"BackspaceSurrogatePair", u"1" + kSmile + u"2", 3, 3, u"BS", IDC_BS, u"12", 1, 1, kKeypadChanged},
        EditCase{"DeleteSurrogatePair", u"1" + kSmile + u"2", 1, 1, u"DEL", IDC_DEL, u"12", 1, 1, kKeypadChanged},
        EditCase{"CaretInsidePairMovesBefore", u"1" + kSmile, 2, 2, u"7", kSeven, u"17" + kSmile, 2, 2, kKeypadChanged},
        EditCase{"SelectionInsidePairTakesIt", u"1" + kSmile + u"2", 0, 2, u"DEL", IDC_DEL, u"2", 0, 0, kKeypadChanged},
        EditCase{"CaretToEndValue", u"12", 999, 999, u"3", u'3', u"123", 3, 3, kKeypadChanged},
        EditCase{"SelectionPastEnd", u"12", 1, 500, u"BS", IDC_BS, u"1", 1, 1, kKeypadChanged},
        EditCase{"NegativeIsEnd", u"12", -1, -1, u"BS", IDC_BS, u"1", 1, 1, kKeypadChanged},
        EditCase{"ReversedSelection", u"12345", 3, 1, u"BS", IDC_BS, u"145", 1, 1, kKeypadChanged},
        EditCase{"ReversedSelectionInsert", u"12345", 4, 0, u"9", u'9', u"95", 1, 1, kKeypadChanged}),
    [](const testing::TestParamInfo<EditCase> &info) { return std::string(info.param.name); });

TEST(KeypadEditLimit, InsertionUpToTheLimitIsAccepted) {
  std::u16string text(kMaxEntryLength - 4, u'1');
  KeypadEdit edit = ApplyKeypadEdit(text, 0, 0, u"SIN", kSin);
  EXPECT_EQ(edit.outcome, kKeypadChanged);
  EXPECT_EQ(edit.textLength, kMaxEntryLength);
  EXPECT_EQ(edit.Text().substr(0, 4), u"SIN(");
}

TEST(KeypadEditLimit, InsertionPastTheLimitIsRefused) {
  std::u16string text(kMaxEntryLength - 1, u'1');
  KeypadEdit edit = ApplyKeypadEdit(text, 3, 2, u"SIN", kSin);
  EXPECT_EQ(edit.outcome, kKeypadRefused);
  EXPECT_EQ(edit.Text(), text);
  EXPECT_EQ(edit.selectionStart, 2);  // the selection stays, in order
  EXPECT_EQ(edit.selectionEnd, 3);
}

TEST(KeypadEditLimit, ReplacingASelectionCountsTheRemovedText) {
  std::u16string text(kMaxEntryLength, u'1');
  EXPECT_EQ(ApplyKeypadEdit(text, 0, 1, u"7", kSeven).outcome, kKeypadChanged);
  EXPECT_EQ(ApplyKeypadEdit(text, 0, 1, u"PI", IDC_PI).outcome, kKeypadRefused);
  EXPECT_EQ(ApplyKeypadEdit(text, 0, 0, u"BS", IDC_BS).outcome,
            kKeypadUnchanged);  // deleting is never refused
}

TEST(KeypadEditLimit, TextAlreadyPastTheLimitCanStillBeShortened) {
  // The entry itself takes one character more than a keypad insertion may
  // make; BS, DEL and CL still work on such a text, only insertions stop.
  std::u16string text(kMaxEntryLength + 1, u'1');
  KeypadEdit bs = ApplyKeypadEdit(text, 999, 999, u"BS", IDC_BS);
  EXPECT_EQ(bs.outcome, kKeypadChanged);
  EXPECT_EQ(bs.textLength, kMaxEntryLength);
  EXPECT_EQ(ApplyKeypadEdit(text, 0, 0, u"DEL", IDC_DEL).textLength, kMaxEntryLength);
  EXPECT_EQ(ApplyKeypadEdit(text, 3, 3, u"CL", IDC_CL).selectionEnd, 3);
  EXPECT_EQ(ApplyKeypadEdit(text, 0, 0, u"7", kSeven).outcome, kKeypadRefused);
}

}  // namespace
