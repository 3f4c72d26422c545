#include "language_switch.h"

#include "accessibility.h"
#include "app_state.h"
#include "clock.h"
#include "entry_text.h"
#include "language.h"
#include "language_choice.h"
#include "settings.h"
#include "slots.h"
#include "tray.h"
#include "views.h"

void ReadLanguageOption() {
  wchar_t text[kLanguageTextSize];
  ReadSettingText(kOptionsSection, kKeyLang, text, kLanguageTextSize);
  SetCurrentLanguage(ChooseLanguage(text));
}

void SwitchLanguage(HWND window) {
  UiLanguage language =
      CurrentLanguage() == UiLanguage::kEnglish ? UiLanguage::kJapanese : UiLanguage::kEnglish;
  SetCurrentLanguage(language);
  WriteSettingText(kOptionsSection, kKeyLang, GetLanguageSettingText(language));

  // The old menus go only once the new bar is attached (in views 2 and 3):
  // DestroyMenu on the attached bar would leave the window pointing at a
  // dead handle. Their popups die with them.
  HMENU oldMain = State.MainMenu;
  HMENU oldTray = State.TrayMenu;
  LoadLanguageMenus();
  if (oldMain != nullptr && GetMenu(window) == oldMain) SetMenu(window, State.MainMenu);
  if (oldMain != nullptr) DestroyMenu(oldMain);
  if (oldTray != nullptr) DestroyMenu(oldTray);

  LoadTitleText();
  if (State.Time && !IsIconic(window)) {
    ShowClockTitle(window);
  } else {
    SetWindowTextW(window, State.TitleText);
  }
  UpdateTrayTip(window);
  RetellResultMessage();
  NameButtons(window);
  // With larger text one language's bar may wrap to two lines where the
  // other's takes one: the window takes its height again, or the "=" row is
  // cut off (or a blank strip stays) until the next change of view.
  ApplyView(window);
  FocusEntryAtEnd();
}
