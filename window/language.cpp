#include "language.h"

#include "app_state.h"

static UiLanguage Language = UiLanguage::kJapanese;

UiLanguage CurrentLanguage() { return Language; }

void SetCurrentLanguage(UiLanguage language) { Language = language; }

static LANGID GetLanguageId(UiLanguage language) {
  return language == UiLanguage::kEnglish ? MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)
                                          : MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
}

// The bytes of a resource of this language; nullptr when there is none.
static const void *FindResourceData(const wchar_t *type, const wchar_t *name,
                                    UiLanguage language, DWORD *size) {
  *size = 0;
  HRSRC found = FindResourceExW(State.Instance, type, name, GetLanguageId(language));
  if (found == nullptr) return nullptr;
  HGLOBAL loaded = LoadResource(State.Instance, found);
  if (loaded == nullptr) return nullptr;
  *size = SizeofResource(State.Instance, found);
  return LockResource(loaded);
}

HMENU LoadMenuInLanguage(const wchar_t *name, UiLanguage language) {
  DWORD size = 0;
  const void *menu = FindResourceData(RT_MENU, name, language, &size);
  return menu != nullptr ? LoadMenuIndirectW(menu) : nullptr;
}

// A string table block holds strings id / 16 * 16 to that + 15, each a
// length in UTF-16 units followed by that many units, without terminator.
int LoadStringInLanguage(UINT id, UiLanguage language, wchar_t *buffer, int size) {
  if (size <= 0) return 0;
  buffer[0] = L'\0';
  DWORD bytes = 0;
  const auto *unit = static_cast<const WCHAR *>(
      FindResourceData(RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language, &bytes));
  if (unit == nullptr) return 0;
  const WCHAR *end = unit + bytes / sizeof(WCHAR);
  for (UINT skip = id % 16; skip > 0 && unit < end; --skip) unit += 1 + *unit;
  if (unit >= end) return 0;
  size_t length = *unit++;
  if (length > static_cast<size_t>(end - unit)) return 0;
  if (length > static_cast<size_t>(size - 1)) length = static_cast<size_t>(size - 1);
  wmemcpy(buffer, unit, length);
  buffer[length] = L'\0';
  return static_cast<int>(length);
}

INT_PTR ShowDialogInLanguage(const wchar_t *name, HWND owner, DLGPROC procedure) {
  DWORD size = 0;
  const void *dialog = FindResourceData(RT_DIALOG, name, Language, &size);
  if (dialog == nullptr) return -1;
  return DialogBoxIndirectParamW(State.Instance, static_cast<LPCDLGTEMPLATEW>(dialog), owner,
                                 procedure, 0);
}

void LoadLanguageMenus() {
  State.MainMenu = LoadMenuInLanguage(L"VexMenu", Language);
  State.EditPopup = GetSubMenu(State.MainMenu, 0);
  State.TrayMenu = LoadMenuInLanguage(L"VexMenu1", Language);
  State.TrayPopup = GetSubMenu(State.TrayMenu, 0);
}

void LoadTitleText() { LoadStringInLanguage(IDS_TITLE, Language, State.TitleText, kTitleSize); }
