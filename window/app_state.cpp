#include "app_state.h"

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

int View = 3;
int Top = 0;
int Time = 1;
int BeepOption = 1;
int Radix = 10;
int DegreeMode = 0;
bool TrayMode = false;

int CurrentSlot = 0;
wchar_t ResultText[kEntryTextSize];
int LastEvalFailed = 0;

DWORD PendingSelection = kNoPendingSelection;
DWORD SavedSelection = 0;
wchar_t UndoText[kEntryTextSize];

bool RefocusPending = false;
bool FirstPaint = true;
bool TrayIconShown = false;
bool TrayIconRemoved = false;

int ScreenDpi = 96;
UINT TaskbarCreatedMessage = 0;
HICON TrayIcon;

IAccPropServices *PropertyService;
bool ComStarted = false;

HMODULE HelpModule;
HelpEntryPoint HelpFunction;
bool HelpUnavailable = false;

wchar_t TitleText[kTitleSize];
wchar_t SettingsFile[kLongPathSize];
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
  View = 3;
  Top = 0;
  Time = 1;
  BeepOption = 1;
  Radix = 10;
  DegreeMode = 0;
  TrayMode = false;
  CurrentSlot = 0;
  ResultText[0] = L'\0';
  LastEvalFailed = 0;
  PendingSelection = kNoPendingSelection;
  SavedSelection = 0;
  UndoText[0] = L'\0';
  RefocusPending = false;
  FirstPaint = true;
  TrayIconShown = false;
  TrayIconRemoved = false;
  ScreenDpi = 96;
  TaskbarCreatedMessage = 0;
  TrayIcon = nullptr;  // a loaded icon stays loaded; the next start loads its own
  PropertyService = nullptr;
  ComStarted = false;
  HelpModule = nullptr;  // a loaded library stays loaded; only the launcher starts over
  HelpFunction = nullptr;
  HelpUnavailable = false;
  TitleText[0] = L'\0';
  SettingsFile[0] = L'\0';
  HelpFile[0] = L'\0';
  SettingsFailurePending = false;
  SettingsFailureTold = false;
}
