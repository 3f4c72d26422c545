#include "language_choice.h"

#include "settings_values.h"

UiLanguage ChooseLanguage(const wchar_t *text) {
  if (text != nullptr && IsSettingWord(text, L"en")) return UiLanguage::kEnglish;
  return UiLanguage::kJapanese;
}

const wchar_t *GetLanguageSettingText(UiLanguage language) {
  return language == UiLanguage::kEnglish ? L"en" : L"ja";
}
