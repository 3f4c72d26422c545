#include "language_choice.h"

// ASCII only: the profile's own case folding of other scripts never matters.
static bool EqualsIgnoringCase(const wchar_t *text, const wchar_t *lowerWord) {
  std::size_t i = 0;
  for (; lowerWord[i] != L'\0'; ++i) {
    wchar_t c = text[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != lowerWord[i]) return false;
  }
  return text[i] == L'\0';
}

UiLanguage ChooseLanguage(const wchar_t *text) {
  if (text != nullptr && EqualsIgnoringCase(text, L"en")) return UiLanguage::kEnglish;
  return UiLanguage::kJapanese;
}

const wchar_t *GetLanguageSettingText(UiLanguage language) {
  return language == UiLanguage::kEnglish ? L"en" : L"ja";
}
