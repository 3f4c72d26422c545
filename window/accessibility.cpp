#include "accessibility.h"

#include "app_state.h"

#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

// The service and its interface, and the two properties set through it: the
// UI Automation LiveSetting (2 is Assertive) and Name.
static const CLSID kPropertyServiceClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
static const IID kPropertyServiceInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
static const GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
static const GUID kNameProperty = {
    0xc3a6921b, 0x4a99, 0x44f1, {0xbc, 0xa6, 0x61, 0x18, 0x70, 0x52, 0xc4, 0x31}};
static const LONG kAssertive = 2;

struct SpokenName {
  int id;
  const wchar_t *name;
};

// The buttons whose captions are marks; the others say their own word.
static const SpokenName kSpokenNames[] = {
    {'\'', L"コメント"},
    {'^', L"べき乗"},
    {'-', L"マイナス"},
    {'+', L"プラス"},
    {'*', L"かける"},
    {'/', L"わる"},
    {'.', L"小数点"},
    {'(', L"左かっこ"},
    {')', L"右かっこ"},
    {IDC_BS, L"前の文字を削除"},
    {IDC_CL, L"先頭からカーソルまで選択"},
    {IDC_DEL, L"後ろの文字を削除"},
    {IDM_EVALUATE, L"計算"},
};

static IAccPropServices *CreateSystemPropertyService() {
  IAccPropServices *service = nullptr;
  HRESULT result = CoCreateInstance(kPropertyServiceClass, nullptr, CLSCTX_INPROC_SERVER,
                                    kPropertyServiceInterface, reinterpret_cast<void **>(&service));
  return SUCCEEDED(result) ? service : nullptr;
}

IAccPropServices *(*CreatePropertyService)() = CreateSystemPropertyService;

const wchar_t *GetButtonSpokenName(int id) {
  for (const SpokenName &entry : kSpokenNames) {
    if (entry.id == id) return entry.name;
  }
  return nullptr;
}

void StartAccessibility(HWND window) {
  if (PropertyService != nullptr) return;
  // S_FALSE (already initialised on this thread) counts as well and is
  // balanced at the end in the same way.
  ComStarted = SUCCEEDED(CoInitialize(nullptr));
  PropertyService = CreatePropertyService != nullptr ? CreatePropertyService() : nullptr;
  if (PropertyService == nullptr) return;

  VARIANT live = {};
  live.vt = VT_I4;
  live.lVal = kAssertive;
  PropertyService->SetHwndProp(GetDlgItem(window, IDC_RESULT), static_cast<DWORD>(OBJID_CLIENT),
                               CHILDID_SELF, kLiveSettingProperty, live);
  for (const SpokenName &entry : kSpokenNames) {
    HWND button = GetDlgItem(window, entry.id);
    if (button == nullptr) continue;
    PropertyService->SetHwndPropStr(button, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                    kNameProperty, entry.name);
  }
}

void StopAccessibility(HWND window) {
  if (PropertyService != nullptr) {
    MSAAPROPID live = kLiveSettingProperty;
    PropertyService->ClearHwndProps(GetDlgItem(window, IDC_RESULT),
                                    static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &live, 1);
    MSAAPROPID name = kNameProperty;
    for (const SpokenName &entry : kSpokenNames) {
      HWND button = GetDlgItem(window, entry.id);
      if (button == nullptr) continue;
      PropertyService->ClearHwndProps(button, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                      &name, 1);
    }
    PropertyService->Release();
    PropertyService = nullptr;
  }
  if (ComStarted) CoUninitialize();
  ComStarted = false;
}

void AnnounceResultChange() {
  if (MainWindow == nullptr) return;
  HWND field = GetDlgItem(MainWindow, IDC_RESULT);
  if (field == nullptr) return;
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, field, OBJID_CLIENT, CHILDID_SELF);
}
