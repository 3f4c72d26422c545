// The interface texts of both languages. The English ones are plain and
// short: each must fit the control the Japanese one was made for.
#include "ui_texts.h"

#include "resource_ids.h"

namespace {

struct LanguagePair {
  const char16_t *japanese;
  const char16_t *english;
};

const char16_t *Pick(const LanguagePair &texts, UiLanguage language) {
  return language == UiLanguage::kEnglish ? texts.english : texts.japanese;
}

struct EvalMessages {
  int code;
  const char *japanese;  // byte for byte the engine's message
  const char *english;
};

const EvalMessages kEvalMessages[] = {
    {1, "ｵ-ﾊﾞ-ﾌﾛ-です", "Overflow"},
    {2, "零で除算しました", "Division by zero"},
    {4, "文法ｴﾗ-です", "Syntax error"},
    {5, "引数が許容範囲外です", "Argument out of range"},
};

const LanguagePair kSettingsFailure = {
    u"設定ファイルに書き込めませんでした。\n\n%ls\n\n"
    u"変更した設定やスロットの式は保存されず、次に起動したときには元に戻っていることがあります。"
    u"電卓はこのまま使えます。",
    u"The settings file could not be written.\n\n%ls\n\n"
    u"Changed settings and slot expressions are not saved and may be gone at the next start. "
    u"The calculator goes on working.",
};

// Sunday first.
const LanguagePair kWeekdays[7] = {
    {u"日", u"Sun"}, {u"月", u"Mon"}, {u"火", u"Tue"}, {u"水", u"Wed"},
    {u"木", u"Thu"}, {u"金", u"Fri"}, {u"土", u"Sat"},
};

struct SpokenName {
  int id;
  LanguagePair name;
};

// The buttons whose captions are marks or abbreviations of a command; the
// others say their own word.
const SpokenName kSpokenNames[] = {
    {'\'', {u"コメント", u"comment"}},
    {'^', {u"べき乗", u"power"}},
    {'-', {u"マイナス", u"minus"}},
    {'+', {u"プラス", u"plus"}},
    {'*', {u"かける", u"times"}},
    {'/', {u"わる", u"divided by"}},
    {'.', {u"小数点", u"decimal point"}},
    {'(', {u"左かっこ", u"left parenthesis"}},
    {')', {u"右かっこ", u"right parenthesis"}},
    {IDC_BS, {u"前の文字を削除", u"delete the character before"}},
    {IDC_CL, {u"先頭からカーソルまで選択", u"select from the start to the cursor"}},
    {IDC_DEL, {u"後ろの文字を削除", u"delete the character after"}},
    {IDM_EVALUATE, {u"計算", u"calculate"}},
};

const LanguagePair kTrayTip = {u"関数電卓vEx", u"vEx Calculator"};

}  // namespace

const char *GetEvalMessage(int code, UiLanguage language) {
  for (const EvalMessages &entry : kEvalMessages) {
    if (entry.code == code) {
      return language == UiLanguage::kEnglish ? entry.english : entry.japanese;
    }
  }
  return "";
}

const char16_t *GetSettingsFailureFormat(UiLanguage language) {
  return Pick(kSettingsFailure, language);
}

const char16_t *GetWeekdayName(int weekday, UiLanguage language) {
  if (weekday < 0 || weekday > 6) return u"?";
  return Pick(kWeekdays[weekday], language);
}

const std::size_t kSpokenButtonCount = sizeof kSpokenNames / sizeof kSpokenNames[0];

int GetSpokenButtonId(std::size_t index) {
  return index < kSpokenButtonCount ? kSpokenNames[index].id : 0;
}

const char16_t *GetSpokenButtonName(int id, UiLanguage language) {
  for (const SpokenName &entry : kSpokenNames) {
    if (entry.id == id) return Pick(entry.name, language);
  }
  return nullptr;
}

const char16_t *GetTrayTip(UiLanguage language) { return Pick(kTrayTip, language); }
