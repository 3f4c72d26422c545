#include "app_state.h"

#include "settings_values.h"

HINSTANCE Instance;
HWND MainWindow;
HWND Entry;
HACCEL Accelerators;
HMENU MainMenu;
HMENU EditPopup;
HMENU ViewPopup;
HMENU RadixPopup;
HMENU AnglePopup;
HMENU TrayMenu;
HMENU TrayPopup;

int View = kDefaultView;
int Top = kDefaultTop;
int Time = kDefaultTime;
int BeepOption = kDefaultBeep;
int Radix = kDefaultRadix;
int DegreeMode = kDefaultDeg;
bool TrayMode = false;

int CurrentSlot = kDefaultSlot;
wchar_t ResultText[kEntryTextSize];
int LastEvalFailed = 0;

DWORD PendingSelection = kNoPendingSelection;
DWORD SavedSelection = 0;
wchar_t UndoText[kEntryTextSize];

bool RefocusPending = false;
bool FirstPaint = true;
bool TrayIconShown = false;
bool TrayIconRemoved = false;

UINT TaskbarCreatedMessage = 0;
HICON TrayIcon;

IAccPropServices *PropertyService;
bool ComStarted = false;

HMODULE HelpModule;
HelpEntryPoint HelpFunction;
bool HelpUnavailable = false;

wchar_t TitleText[kTitleSize];
wchar_t SettingsFile[kLongPathSize];
bool SettingsReadOnly = false;
wchar_t SettingsCopy[kLongPathSize];
wchar_t HelpFile[kLongPathSize];
bool SettingsFailurePending = false;
bool SettingsFailureTold = false;

void ResetAppState() {
  Instance = nullptr;
  MainWindow = nullptr;
  Entry = nullptr;
  Accelerators = nullptr;
  MainMenu = EditPopup = ViewPopup = RadixPopup = AnglePopup = nullptr;
  TrayMenu = TrayPopup = nullptr;
  View = kDefaultView;
  Top = kDefaultTop;
  Time = kDefaultTime;
  BeepOption = kDefaultBeep;
  Radix = kDefaultRadix;
  DegreeMode = kDefaultDeg;
  TrayMode = false;
  CurrentSlot = kDefaultSlot;
  ResultText[0] = L'\0';
  LastEvalFailed = 0;
  PendingSelection = kNoPendingSelection;
  SavedSelection = 0;
  UndoText[0] = L'\0';
  RefocusPending = false;
  FirstPaint = true;
  TrayIconShown = false;
  TrayIconRemoved = false;
  TaskbarCreatedMessage = 0;
  TrayIcon = nullptr;  // a loaded icon stays loaded; the next start loads its own
  PropertyService = nullptr;
  ComStarted = false;
  HelpModule = nullptr;  // a loaded library stays loaded; only the launcher starts over
  HelpFunction = nullptr;
  HelpUnavailable = false;
  TitleText[0] = L'\0';
  SettingsFile[0] = L'\0';
  SettingsReadOnly = false;
  SettingsCopy[0] = L'\0';
  HelpFile[0] = L'\0';
  SettingsFailurePending = false;
  SettingsFailureTold = false;
}
