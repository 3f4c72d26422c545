#include "theme.h"

#include <shlwapi.h>  // DLLVERSIONINFO

#include <cwchar>

#include "app_state.h"
#include "dpi_layout.h"
#include "dpi_scale.h"
#include "settings.h"
#include "system_library.h"
#include "views.h"

static ThemeChoice Choice = ThemeChoice::kFollowSystem;
static LookFacts Facts = {};
static bool Dark = false;

// The palette's brushes, made on the first dark paint and kept until exit.
static HBRUSH WindowBrush = nullptr;
static HBRUSH FieldBrush = nullptr;

HighContrastReader ReadHighContrast = ReadSystemHighContrast;
ButtonCustomDrawReader ReadButtonCustomDraw = ReadSystemButtonCustomDraw;

ThemeChoice CurrentThemeChoice() { return Choice; }
bool IsDarkLookInForce() { return Dark; }
bool IsDarkLookAvailable() { return Facts.darkDrawable; }

bool ReadSystemHighContrast() {
  HIGHCONTRASTW contrast = {};
  contrast.cbSize = sizeof contrast;
  if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)) return false;
  return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// The app mode of Windows 10 1809 and later; older systems have no value,
// and their look is light. RegGetValueW would be shorter, but the 32-bit
// Windows XP lacks it.
static void ReadAppMode() {
  Facts.appModeKnown = false;
  Facts.appMode = 1;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                    0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return;
  }
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExW(key, L"AppsUseLightTheme", nullptr, &type, reinterpret_cast<BYTE *>(&value),
                       &size) == ERROR_SUCCESS &&
      type == REG_DWORD && size == sizeof value) {
    Facts.appModeKnown = true;
    Facts.appMode = value;
  }
  RegCloseKey(key);
}

// Push buttons send NM_CUSTOMDRAW to their parent from common controls 6.10
// on (Windows Vista); the version 6.0 of Windows XP and the version 5 that
// programs without a manifest get draw their buttons alone. The common
// controls in force are the ones the buttons of the main window loaded.
// Wine's common controls 6 answer DllGetVersion with 5.81, yet their push
// buttons send NM_CUSTOMDRAW (Wine 8 does): there it is enough that the
// buttons' window procedure is the common controls' and not user32's.
bool ReadSystemButtonCustomDraw(HWND button) {
  HMODULE controls = GetModuleHandleW(L"comctl32.dll");
  if (controls == nullptr || button == nullptr) return false;
  auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
      reinterpret_cast<void (*)()>(GetProcAddress(controls, "DllGetVersion")));
  if (getVersion == nullptr) return false;
  DLLVERSIONINFO version = {};
  version.cbSize = sizeof version;
  if (getVersion(&version) != S_OK) return false;
  if (version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion >= 10)) return true;
  HMODULE system = GetModuleHandleW(L"ntdll.dll");
  bool wine = system != nullptr && GetProcAddress(system, "wine_get_version") != nullptr;
  if (!wine) return false;
  HMODULE owner = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<const wchar_t *>(GetWindowLongPtrW(button, GWLP_WNDPROC)), &owner);
  return owner == controls;
}

// DwmSetWindowAttribute's attribute for a dark caption: 20 is documented from
// Windows 11 and honoured from Windows 10 2004; the builds 17763 to 18363
// know it as 19. Both only ask: an older system refuses, and nothing else
// changes.
typedef HRESULT(WINAPI *SetWindowAttributeFunction)(HWND, DWORD, LPCVOID, DWORD);
constexpr DWORD kDarkCaptionAttribute = 20;
constexpr DWORD kDarkCaptionAttributeBefore2004 = 19;

void ApplyDarkCaption(HWND window, bool dark) {
  // dwmapi exists from Vista on; loaded once and kept until exit.
  static HMODULE dwm = LoadSystemLibrary(L"dwmapi.dll");
  static auto setAttribute =
      dwm != nullptr ? reinterpret_cast<SetWindowAttributeFunction>(reinterpret_cast<void (*)()>(
                           GetProcAddress(dwm, "DwmSetWindowAttribute")))
                     : nullptr;
  if (setAttribute == nullptr) return;
  BOOL value = dark ? TRUE : FALSE;
  if (setAttribute(window, kDarkCaptionAttribute, &value, sizeof value) != S_OK) {
    setAttribute(window, kDarkCaptionAttributeBefore2004, &value, sizeof value);
  }
}

static HBRUSH MakeBrush(HBRUSH *brush, Rgb colour) {
  if (*brush == nullptr) *brush = CreateSolidBrush(colour);
  return *brush;
}

// The class brush paints whatever the system erases without asking the
// window; the light look keeps the registered button-face colour.
static void SetClassBrush(HWND window) {
  HBRUSH brush = Dark ? MakeBrush(&WindowBrush, kDarkPalette.window)
                      : reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  SetClassLongPtrW(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush));
}

static bool DecideLook() {
  Facts.highContrast = ReadHighContrast();
  return IsDarkLook(Choice, Facts);
}

void StartTheme(HWND window) {
  wchar_t text[kThemeTextSize];
  ReadSettingText(kOptionsSection, kKeyTheme, text, kThemeTextSize);
  Choice = ChooseTheme(text);
  ReadAppMode();
  Facts.darkDrawable = ReadButtonCustomDraw(GetDlgItem(window, IDM_EVALUATE));
  Dark = DecideLook();
  SetClassBrush(window);
  // A light window leaves its caption to the system, as it always did.
  if (Dark) ApplyDarkCaption(window, true);
}

// Everything at once. A change of scheme may come with other metrics (high
// contrast schemes often bring a larger menu font), and a menu bar that now
// wraps to another number of lines would cut off the "=" row or leave a
// blank strip: the window takes its height again (ApplyView), then every
// part is painted before the call returns.
static void ShowLook(HWND window, bool dark) {
  Dark = dark;
  SetClassBrush(window);
  ApplyDarkCaption(window, dark);
  ApplyView(window);
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

static void FollowFacts(HWND window) {
  bool dark = DecideLook();
  if (dark != Dark) ShowLook(window, dark);
}

static_assert(IDM_THEME_LIGHT - IDM_FIRST_THEME == static_cast<int>(ThemeChoice::kLight) &&
              IDM_THEME_DARK - IDM_FIRST_THEME == static_cast<int>(ThemeChoice::kDark));

void ChooseThemeItem(HWND window, int id) {
  if (id < IDM_FIRST_THEME || id > IDM_LAST_THEME) return;
  Choice = static_cast<ThemeChoice>(id - IDM_FIRST_THEME);
  WriteSettingText(kOptionsSection, kKeyTheme, GetThemeSettingText(Choice));
  ShowLook(window, DecideLook());
}

void OnThemeSettingChange(HWND window, LPARAM lParam) {
  // The app mode's change comes as "ImmersiveColorSet"; high contrast comes
  // with its own SPI code, so it is read again on every change.
  const auto *area = reinterpret_cast<const wchar_t *>(lParam);
  if (area != nullptr && wcscmp(area, L"ImmersiveColorSet") == 0) ReadAppMode();
  FollowFacts(window);
}

void OnSystemColorChange(HWND window) { FollowFacts(window); }

HBRUSH ColorDarkControl(HDC dc, bool field) {
  if (!Dark) return nullptr;
  SetTextColor(dc, field ? kDarkPalette.fieldText : kDarkPalette.text);
  SetBkColor(dc, field ? kDarkPalette.field : kDarkPalette.window);
  return field ? MakeBrush(&FieldBrush, kDarkPalette.field) : MakeBrush(&WindowBrush, kDarkPalette.window);
}

// A rectangle in one colour without a brush: the opaque background of an
// empty text. Leaves colour as the background colour of dc.
static void FillColour(HDC dc, const RECT &rect, Rgb colour) {
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, L"", 0, nullptr);
}

bool EraseDarkBackground(HWND window, HDC dc) {
  if (!Dark) return false;
  RECT client = {};
  GetClientRect(window, &client);
  COLORREF previous = SetBkColor(dc, kDarkPalette.window);
  FillColour(dc, client, kDarkPalette.window);
  SetBkColor(dc, previous);
  return true;
}

// A frame of width pixels inside rect; returns what it leaves inside.
static RECT FrameColour(HDC dc, const RECT &rect, int width, Rgb colour) {
  FillColour(dc, {rect.left, rect.top, rect.right, rect.top + width}, colour);
  FillColour(dc, {rect.left, rect.bottom - width, rect.right, rect.bottom}, colour);
  FillColour(dc, {rect.left, rect.top, rect.left + width, rect.bottom}, colour);
  FillColour(dc, {rect.right - width, rect.top, rect.right, rect.bottom}, colour);
  return {rect.left + width, rect.top + width, rect.right - width, rect.bottom - width};
}

// The face, the frame (twice as wide while the button has the focus) and the
// label centred on the face. The device context is the button's, whose
// colours and font are given back as they were.
static void PaintDarkButton(const NMCUSTOMDRAW &draw) {
  HWND button = draw.hdr.hwndFrom;
  HDC dc = draw.hdc;
  const RECT &rect = draw.rc;
  LRESULT buttonState = SendMessageW(button, BM_GETSTATE, 0, 0);
  bool pressed = (draw.uItemState & CDIS_SELECTED) != 0 || (buttonState & BST_PUSHED) != 0;
  bool hot = (draw.uItemState & CDIS_HOT) != 0;
  bool focused = (draw.uItemState & CDIS_FOCUS) != 0 || (buttonState & BST_FOCUS) != 0;
  Rgb edge = focused ? kDarkPalette.edgeFocused : kDarkPalette.edge;
  COLORREF previousBack = SetBkColor(dc, edge);
  COLORREF previousText = SetTextColor(dc, kDarkPalette.text);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0));
  HGDIOBJ previousFont = font != nullptr ? SelectObject(dc, font) : nullptr;

  // A pixel at 96 DPI, two at 192: the frame keeps its weight.
  int width = ScaleForDpi(1, WindowDpi());
  RECT face = FrameColour(dc, rect, focused ? 2 * width : width, edge);
  // The label is drawn opaque on the face's colour, which fills the face
  // in the same stroke; a pressed label moves down and right by a pixel, as
  // the system's does.
  wchar_t label[kEntryTextSize];
  int length = GetWindowTextW(button, label, kEntryTextSize);
  SIZE extent = {};
  GetTextExtentPoint32W(dc, label, length, &extent);
  int shift = pressed ? 1 : 0;
  SetBkColor(dc, pressed ? kDarkPalette.facePressed : hot ? kDarkPalette.faceHot : kDarkPalette.face);
  ExtTextOutW(dc, (rect.left + rect.right - extent.cx) / 2 + shift,
              (rect.top + rect.bottom - extent.cy) / 2 + shift, ETO_OPAQUE | ETO_CLIPPED, &face, label,
              static_cast<UINT>(length), nullptr);

  if (previousFont != nullptr) SelectObject(dc, previousFont);
  SetTextColor(dc, previousText);
  SetBkColor(dc, previousBack);
}

static bool IsPushButton(HWND control) {
  wchar_t className[16];
  if (GetClassNameW(control, className, 16) == 0 || _wcsicmp(className, L"Button") != 0) return false;
  LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool DrawDarkButton(const NMHDR *header, LRESULT *result) {
  if (!Dark || header == nullptr || header->code != NM_CUSTOMDRAW || !IsPushButton(header->hwndFrom)) {
    return false;
  }
  const auto &draw = *reinterpret_cast<const NMCUSTOMDRAW *>(header);
  // The whole button is drawn at the paint stage; the erase before it may
  // go on as usual, since the paint covers all of it.
  if (draw.dwDrawStage != CDDS_PREPAINT) {
    *result = CDRF_DODEFAULT;
    return true;
  }
  PaintDarkButton(draw);
  *result = CDRF_SKIPDEFAULT;
  return true;
}

void ResetTheme() {
  Choice = ThemeChoice::kFollowSystem;
  Facts = {};
  Dark = false;
  ReadHighContrast = ReadSystemHighContrast;
  ReadButtonCustomDraw = ReadSystemButtonCustomDraw;
}
