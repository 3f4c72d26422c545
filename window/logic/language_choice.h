// The interface language as the settings file tells it (key "Lang" in
// section "Vex"). Portable: no platform header.
#pragma once

#include <cstddef>

#include "ui_texts.h"  // UiLanguage

// "en" in either case (any mix of cases) is English; "ja" in either case,
// an absent or empty value, a null text and anything else is Japanese.
UiLanguage ChooseLanguage(const wchar_t *text);

// The value written for a language: "ja" or "en".
const wchar_t *GetLanguageSettingText(UiLanguage language);

// Room to read the value into: a longer value is cut to 7 characters, which
// no cut can turn into "en".
inline constexpr std::size_t kLanguageTextSize = 8;
