#include "accessibility.h"

#include "app_state.h"
#include "language.h"

#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

// The service and its interface, and the properties set through it: the
// UI Automation LiveSetting (2 is Assertive) and Name, and the older
// interface's name (PROPID_ACC_NAME), which readers that do not use UI
// Automation ask for.
static const CLSID kPropertyServiceClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
static const IID kPropertyServiceInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
static const GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
static const GUID kNameProperty = {
    0xc3a6921b, 0x4a99, 0x44f1, {0xbc, 0xa6, 0x61, 0x18, 0x70, 0x52, 0xc4, 0x31}};
static const GUID kAccNameProperty = {
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
static const LONG kAssertive = 2;

// The system's property service (nullptr where there is none) and whether
// this thread's COM was started for it.
static IAccPropServices *PropertyService = nullptr;
static bool ComStarted = false;
// The service starts once the window is drawn (StartAccessibilityLater); an
// announcement made before that is held and made then, so that the first
// result is still read out, once.
static bool Started = false;
static bool AnnouncementHeld = false;

IAccPropServices *GetPropertyService() { return PropertyService; }

void ResetAccessibility() {
  PropertyService = nullptr;
  ComStarted = false;
  Started = false;
  AnnouncementHeld = false;
}

// COM is found at run time: loading ole32 with the program would cost every
// start about a tenth of its time before the window could be drawn, for a
// service that is only wanted once the window is up.
typedef HRESULT(WINAPI *CoInitializeFunction)(void *);
typedef HRESULT(WINAPI *CoCreateInstanceFunction)(REFCLSID, IUnknown *, DWORD, REFIID, void **);
typedef void(WINAPI *CoUninitializeFunction)();

static HMODULE LoadOle32() {
  static HMODULE ole32 = LoadLibraryW(L"ole32.dll");  // a known DLL: always the system's
  return ole32;
}

template <typename Function>
static Function FindOle32Function(const char *name) {
  HMODULE ole32 = LoadOle32();
  return ole32 != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(ole32, name)))
                          : nullptr;
}

static IAccPropServices *CreateSystemPropertyService() {
  auto create = FindOle32Function<CoCreateInstanceFunction>("CoCreateInstance");
  if (create == nullptr) return nullptr;
  IAccPropServices *service = nullptr;
  HRESULT result = create(kPropertyServiceClass, nullptr, CLSCTX_INPROC_SERVER,
                          kPropertyServiceInterface, reinterpret_cast<void **>(&service));
  return SUCCEEDED(result) ? service : nullptr;
}

IAccPropServices *(*CreatePropertyService)() = CreateSystemPropertyService;

const wchar_t *GetButtonSpokenName(int id) {
  return reinterpret_cast<const wchar_t *>(GetSpokenButtonName(id, CurrentLanguage()));
}

void NameButtons(HWND window) {
  if (PropertyService == nullptr) return;
  for (size_t i = 0; i < kSpokenButtonCount; ++i) {
    int id = GetSpokenButtonId(i);
    HWND button = GetDlgItem(window, id);
    if (button == nullptr) continue;
    const wchar_t *name = GetButtonSpokenName(id);
    PropertyService->SetHwndPropStr(button, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                    kNameProperty, name);
    PropertyService->SetHwndPropStr(button, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                    kAccNameProperty, name);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, button, OBJID_CLIENT, CHILDID_SELF);
  }
}

static void StartService(HWND window);

void StartAccessibilityLater(HWND window) {
  // Timer messages come after every paint that is due: the window and all
  // its controls are drawn first.
  SetTimer(window, IDT_ACCESSIBILITY, USER_TIMER_MINIMUM, nullptr);
}

void OnAccessibilityTimer(HWND window) {
  KillTimer(window, IDT_ACCESSIBILITY);
  StartAccessibility(window);
}

void StartAccessibility(HWND window) {
  if (Started) return;
  Started = true;
  StartService(window);
  if (AnnouncementHeld) AnnounceResultChange();
}

static void StartService(HWND window) {
  if (PropertyService != nullptr) return;
  // S_FALSE (already initialised on this thread) counts as well and is
  // balanced at the end in the same way.
  auto initialize = FindOle32Function<CoInitializeFunction>("CoInitialize");
  ComStarted = initialize != nullptr && SUCCEEDED(initialize(nullptr));
  PropertyService = CreatePropertyService != nullptr ? CreatePropertyService() : nullptr;
  if (PropertyService == nullptr) return;

  VARIANT live = {};
  live.vt = VT_I4;
  live.lVal = kAssertive;
  PropertyService->SetHwndProp(GetDlgItem(window, IDC_RESULT), static_cast<DWORD>(OBJID_CLIENT),
                               CHILDID_SELF, kLiveSettingProperty, live);
  NameButtons(window);
}

void StopAccessibility(HWND window) {
  Started = false;
  AnnouncementHeld = false;
  if (PropertyService != nullptr) {
    MSAAPROPID live = kLiveSettingProperty;
    PropertyService->ClearHwndProps(GetDlgItem(window, IDC_RESULT),
                                    static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &live, 1);
    MSAAPROPID names[] = {kNameProperty, kAccNameProperty};
    for (size_t i = 0; i < kSpokenButtonCount; ++i) {
      HWND button = GetDlgItem(window, GetSpokenButtonId(i));
      if (button == nullptr) continue;
      PropertyService->ClearHwndProps(button, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                      names, 2);
    }
    PropertyService->Release();
    PropertyService = nullptr;
  }
  if (ComStarted) {
    auto uninitialize = FindOle32Function<CoUninitializeFunction>("CoUninitialize");
    if (uninitialize != nullptr) uninitialize();
  }
  ComStarted = false;
}

void AnnounceResultChange() {
  AnnouncementHeld = !Started;
  if (AnnouncementHeld || State.MainWindow == nullptr) return;
  HWND field = GetDlgItem(State.MainWindow, IDC_RESULT);
  if (field == nullptr) return;
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, field, OBJID_CLIENT, CHILDID_SELF);
}
