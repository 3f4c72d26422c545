// The interface language: the "Lang" setting's rule, and the text table that
// vex.exe and vexc share.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "engine.h"
#include "language_choice.h"
#include "ui_texts.h"

namespace {

TEST(LanguageSetting, OnlyEnInEitherCaseIsEnglish) {
  const std::wstring overlong(10000, L'e');
  for (const wchar_t *text : {L"en", L"EN", L"eN"}) {
    EXPECT_EQ(ChooseLanguage(text), UiLanguage::kEnglish);
  }
  for (const wchar_t *text : {L"ja", L"JA", L"", static_cast<const wchar_t *>(nullptr), L"e",
                              L"en ", L"eng", L"de", L"ｅｎ", overlong.c_str()}) {
    EXPECT_EQ(ChooseLanguage(text), UiLanguage::kJapanese) << (text ? text : L"(null)");
  }
  for (UiLanguage language : {UiLanguage::kJapanese, UiLanguage::kEnglish}) {
    EXPECT_EQ(ChooseLanguage(GetLanguageSettingText(language)), language);
  }
}

bool IsAscii(std::u16string_view text) {
  for (char16_t c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

TEST(UiTexts, TheJapaneseMessagesAreTheEnginesAndEveryEnglishTextIsAscii) {
  for (int code : {1, 2, 4, 5}) {
    EXPECT_STREQ(GetEvalMessage(code, UiLanguage::kJapanese), EvalErrorMessage(code)) << code;
    std::string_view english = GetEvalMessage(code, UiLanguage::kEnglish);
    EXPECT_TRUE(english.size() > 0 && english.size() <= kMaxMessageLength) << code;
    EXPECT_TRUE(IsAscii(std::u16string(english.begin(), english.end()))) << code;
  }
  EXPECT_STREQ(GetEvalMessage(3, UiLanguage::kEnglish), "");
  for (int day = 0; day < 7; ++day) {
    EXPECT_EQ(std::u16string_view(GetWeekdayName(day, UiLanguage::kEnglish)).size(), 3u);
  }
  for (std::size_t i = 0; i < kSpokenButtonCount; ++i) {
    EXPECT_TRUE(IsAscii(GetSpokenButtonName(GetSpokenButtonId(i), UiLanguage::kEnglish)));
    EXPECT_NE(GetSpokenButtonName(GetSpokenButtonId(i), UiLanguage::kJapanese), nullptr);
  }
  EXPECT_TRUE(IsAscii(GetTrayTip(UiLanguage::kEnglish)));
  EXPECT_TRUE(IsAscii(GetSettingsFailureFormat(UiLanguage::kEnglish)));
}

}  // namespace
