// The interface language: the "Lang" setting's rule, and the text table that
// vex.exe and vexc share.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "engine.h"
#include "language_choice.h"
#include "ui_texts.h"

namespace {

struct LangCase {
  const wchar_t *text;
  UiLanguage expected;
};

TEST(LanguageSetting, OnlyEnInEitherCaseIsEnglish) {
  const std::wstring longValue(10000, L'e');
  const LangCase cases[] = {
      {L"en", UiLanguage::kEnglish}, {L"EN", UiLanguage::kEnglish},
      {L"eN", UiLanguage::kEnglish}, {L"ja", UiLanguage::kJapanese},
      {L"JA", UiLanguage::kJapanese}, {L"", UiLanguage::kJapanese},
      {nullptr, UiLanguage::kJapanese}, {L"e", UiLanguage::kJapanese},
      {L"en ", UiLanguage::kJapanese}, {L"eng", UiLanguage::kJapanese},
      {L"de", UiLanguage::kJapanese}, {L"ｅｎ", UiLanguage::kJapanese},
      {L"English", UiLanguage::kJapanese}, {longValue.c_str(), UiLanguage::kJapanese},
  };
  for (const LangCase &c : cases) {
    EXPECT_EQ(ChooseLanguage(c.text), c.expected) << (c.text ? std::wstring(c.text).size() : 0);
  }
  // What is written reads back as the same language.
  for (UiLanguage language : {UiLanguage::kJapanese, UiLanguage::kEnglish}) {
    EXPECT_EQ(ChooseLanguage(GetLanguageSettingText(language)), language);
    EXPECT_LT(std::wcslen(GetLanguageSettingText(language)), kLanguageTextSize - 1);
  }
}

bool IsAscii(std::u16string_view text) {
  for (char16_t c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

TEST(UiTexts, EvaluationMessagesJapaneseAreTheEnginesEnglishArePlainAndShort) {
  for (int code : {1, 2, 4, 5}) {
    EXPECT_STREQ(GetEvalMessage(code, UiLanguage::kJapanese), EvalErrorMessage(code)) << code;
    std::string_view english = GetEvalMessage(code, UiLanguage::kEnglish);
    EXPECT_FALSE(english.empty()) << code;
    EXPECT_LE(english.size(), kMaxMessageLength) << code;
    for (char c : english) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << code;
  }
  EXPECT_STREQ(GetEvalMessage(2, UiLanguage::kEnglish), "Division by zero");
  for (int code : {0, 3, 6, -1}) {
    EXPECT_STREQ(GetEvalMessage(code, UiLanguage::kEnglish), "") << code;
    EXPECT_STREQ(GetEvalMessage(code, UiLanguage::kJapanese), "") << code;
  }
}

TEST(UiTexts, EveryWindowTextExistsInBothLanguagesAndTheEnglishIsAscii) {
  for (int day = 0; day < 7; ++day) {
    for (UiLanguage language : {UiLanguage::kJapanese, UiLanguage::kEnglish}) {
      std::u16string_view name = GetWeekdayName(day, language);
      EXPECT_GE(name.size(), 1u);
      EXPECT_LE(name.size(), kMaxWeekdayNameLength);
    }
    EXPECT_TRUE(IsAscii(GetWeekdayName(day, UiLanguage::kEnglish)));
  }
  EXPECT_EQ(std::u16string_view(GetWeekdayName(7, UiLanguage::kEnglish)), u"?");
  ASSERT_EQ(kSpokenButtonCount, 13u);
  for (std::size_t i = 0; i < kSpokenButtonCount; ++i) {
    int id = GetSpokenButtonId(i);
    ASSERT_NE(GetSpokenButtonName(id, UiLanguage::kJapanese), nullptr) << id;
    ASSERT_NE(GetSpokenButtonName(id, UiLanguage::kEnglish), nullptr) << id;
    EXPECT_TRUE(IsAscii(GetSpokenButtonName(id, UiLanguage::kEnglish))) << id;
  }
  EXPECT_EQ(GetSpokenButtonId(kSpokenButtonCount), 0);
  EXPECT_EQ(GetSpokenButtonName('7', UiLanguage::kEnglish), nullptr);
  for (UiLanguage language : {UiLanguage::kJapanese, UiLanguage::kEnglish}) {
    EXPECT_LE(std::u16string_view(GetTrayTip(language)).size(), 63u);
    // One path goes into the failed-write box, and nothing else is formatted.
    std::u16string_view format = GetSettingsFailureFormat(language);
    EXPECT_EQ(format.find(u"%ls"), format.rfind(u'%'));
    EXPECT_NE(format.find(u"%ls"), std::u16string_view::npos);
  }
  EXPECT_TRUE(IsAscii(GetTrayTip(UiLanguage::kEnglish)));
  EXPECT_TRUE(IsAscii(GetSettingsFailureFormat(UiLanguage::kEnglish)));
}

}  // namespace
