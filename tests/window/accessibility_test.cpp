// Screen readers, in-process: the properties handed to the accessibility
// service (through a stand-in that records them), the live-region event
// after each change of the result field (caught by a WinEvent hook), and a
// program that works as before without the service or when it refuses.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>

#include "accessibility.h"
#include "app_state.h"
#include "message_loop.h"
#include "settings.h"
#include "slots.h"
#include "startup.h"
#include "window_test_support.h"

namespace {

#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

const GUID kLiveSetting = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
const GUID kName = {0xc3a6921b, 0x4a99, 0x44f1, {0xbc, 0xa6, 0x61, 0x18, 0x70, 0x52, 0xc4, 0x31}};
const GUID kAccName = {0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

// A stand-in for the system's service: remembers what it is given, or
// refuses everything.
class RecordingService : public IAccPropServices {
 public:
  bool refuse = false;
  std::map<HWND, LONG> liveSettings;
  std::map<HWND, std::wstring> names;
  std::map<HWND, std::wstring> accNames;  // PROPID_ACC_NAME
  int cleared = 0;
  ULONG references = 1;

  HRESULT WINAPI QueryInterface(REFIID, void **object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG WINAPI AddRef() override { return ++references; }
  ULONG WINAPI Release() override { return --references; }
  HRESULT WINAPI SetHwndProp(HWND window, DWORD object, DWORD child, MSAAPROPID property,
                             VARIANT value) override {
    if (refuse) return E_FAIL;
    if (object == static_cast<DWORD>(OBJID_CLIENT) && child == CHILDID_SELF &&
        IsEqualGUID(property, kLiveSetting) && value.vt == VT_I4) {
      liveSettings[window] = value.lVal;
    }
    return S_OK;
  }
  HRESULT WINAPI SetHwndPropStr(HWND window, DWORD object, DWORD child, MSAAPROPID property,
                                LPCWSTR text) override {
    if (refuse) return E_FAIL;
    if (object == static_cast<DWORD>(OBJID_CLIENT) && child == CHILDID_SELF &&
        IsEqualGUID(property, kName)) {
      names[window] = text;
    }
    if (object == static_cast<DWORD>(OBJID_CLIENT) && child == CHILDID_SELF &&
        IsEqualGUID(property, kAccName)) {
      accNames[window] = text;
    }
    return S_OK;
  }
  HRESULT WINAPI ClearHwndProps(HWND, DWORD, DWORD, const MSAAPROPID *, int) override {
    ++cleared;
    return refuse ? E_FAIL : S_OK;
  }
  // Not used by the program.
  HRESULT WINAPI SetPropValue(const BYTE *, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  HRESULT WINAPI SetPropServer(const BYTE *, DWORD, const MSAAPROPID *, int, IAccPropServer *,
                               AnnoScope) override { return E_NOTIMPL; }
  HRESULT WINAPI ClearProps(const BYTE *, DWORD, const MSAAPROPID *, int) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID *, int, IAccPropServer *,
                                   AnnoScope) override { return E_NOTIMPL; }
  HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE **, DWORD *) override { return E_NOTIMPL; }
  HRESULT WINAPI DecomposeHwndIdentityString(const BYTE *, DWORD, HWND *, DWORD *, DWORD *) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID *, int, IAccPropServer *,
                                    AnnoScope) override { return E_NOTIMPL; }
  HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID *, int) override { return E_NOTIMPL; }
  HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE **, DWORD *) override { return E_NOTIMPL; }
  HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE *, DWORD, HMENU *, DWORD *) override { return E_NOTIMPL; }
};

RecordingService service;
IAccPropServices *UseRecordingService() {
  service.AddRef();
  return &service;
}
IAccPropServices *NoService() { return nullptr; }

// Live-region events for the result field, as a screen reader hears them.
int announcements = 0;
void CALLBACK CountAnnouncement(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                                DWORD, DWORD) {
  if (event == EVENT_OBJECT_LIVEREGIONCHANGED && State.MainWindow != nullptr &&
      window == GetDlgItem(State.MainWindow, IDC_RESULT) && object == OBJID_CLIENT &&
      child == CHILDID_SELF) {
    ++announcements;
  }
}

// Name changes of the main window's buttons (their client objects).
int nameChanges = 0;
void CALLBACK CountNameChange(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG,
                              DWORD, DWORD) {
  if (event == EVENT_OBJECT_NAMECHANGE && object == OBJID_CLIENT && State.MainWindow != nullptr &&
      GetParent(window) == State.MainWindow) {
    ++nameChanges;
  }
}

class Accessibility : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareFreshStart();
    service = RecordingService();
    announcements = 0;
    hook = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                           CountAnnouncement, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  }
  void TearDown() override {
    if (hook != nullptr) UnhookWinEvent(hook);
    CloseMainWindow();
    CreatePropertyService = defaultService;
    DeleteTestSettingsFile();
  }
  // Evaluates text as the user's Enter does, and lets the events arrive.
  static void Evaluate(const wchar_t *text) {
    SetWindowTextW(State.Entry, text);
    SendMessageW(State.MainWindow, WM_COMMAND, IDM_EVALUATE_KEY, 0);
    Settle();
  }
  static void Settle() {
    MSG m;
    for (int turn = 0; turn < 5; ++turn) {
      while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ProcessLoopMessage(m);
      Sleep(20);
    }
  }
  HWINEVENTHOOK hook = nullptr;
  IAccPropServices *(*defaultService)() = CreatePropertyService;
};

TEST_F(Accessibility, ResultFieldIsAnAssertiveLiveRegionAndMarksHaveSpokenNames) {
  CreatePropertyService = UseRecordingService;
  ASSERT_NE(StartShownMainWindow(), nullptr);
  HWND field = GetDlgItem(State.MainWindow, IDC_RESULT);
  ASSERT_EQ(service.liveSettings.count(field), 1u);
  EXPECT_EQ(service.liveSettings[field], 2);  // Assertive
  EXPECT_EQ(service.names[GetDlgItem(State.MainWindow, '^')], L"べき乗");
  EXPECT_EQ(service.names[GetDlgItem(State.MainWindow, '\'')], L"コメント");
  EXPECT_EQ(service.names[GetDlgItem(State.MainWindow, IDM_EVALUATE)], L"計算");
  for (int id : {int{'-'}, int{'('}, int{')'}, IDC_BS, IDC_CL, IDC_DEL}) {
    EXPECT_EQ(service.names.count(GetDlgItem(State.MainWindow, id)), 1u) << id;
  }
  // Buttons with words say their captions; nothing is named for them.
  EXPECT_EQ(service.names.count(GetDlgItem(State.MainWindow, IDC_SIN)), 0u);
  EXPECT_EQ(service.names.count(GetDlgItem(State.MainWindow, '7')), 0u);
  // The captions stay as they are.
  wchar_t caption[8];
  GetDlgItemTextW(State.MainWindow, '^', caption, 8);
  EXPECT_STREQ(caption, L"^");

  State.BeepOption = 0;
  CloseMainWindow();
  EXPECT_GT(service.cleared, 0);
  EXPECT_EQ(service.references, 1u) << "released at the end";
  EXPECT_EQ(GetPropertyService(), nullptr);
}

// One announcement per change: the first paint's result, a result, a message.
TEST_F(Accessibility, EveryChangeOfTheResultIsAnnouncedOnce) {
  FormSettingsPaths();
  ASSERT_TRUE(WriteSettingText(kSlotsSection, L"A", L"6*7"));
  ASSERT_NE(StartShownMainWindow(), nullptr);
  State.BeepOption = 0;
  Settle();
  EXPECT_EQ(announcements, 1) << "the first paint's result";
  Evaluate(L"1+2");
  EXPECT_STREQ(State.ResultText, L"3.");
  EXPECT_EQ(announcements, 2);
  Evaluate(L"1/0");
  EXPECT_EQ(State.LastEvalFailed, 2);
  EXPECT_EQ(announcements, 3);
  // Enter held down: as many announcements as evaluations.
  for (int i = 0; i < 20; ++i) SendMessageW(State.MainWindow, WM_COMMAND, IDM_EVALUATE_KEY, 0);
  Settle();
  EXPECT_EQ(announcements, 23);
}

TEST_F(Accessibility, WithoutTheServiceOrWhenItRefusesTheProgramWorksAsBefore) {
  for (bool refuse : {false, true}) {
    PrepareFreshStart();
    service = RecordingService();
    service.refuse = refuse;
    CreatePropertyService = refuse ? UseRecordingService : NoService;
    ASSERT_NE(StartShownMainWindow(), nullptr) << refuse;
    State.BeepOption = 0;
    Evaluate(L"2^10");
    EXPECT_STREQ(State.ResultText, L"1024.") << refuse;
    EXPECT_EQ(announcements, 1) << refuse;
    announcements = 0;
    CloseMainWindow();
  }
}

TEST_F(Accessibility, SwitchingTheLanguageRenamesTheButtonsForBothKindsOfReader) {
  CreatePropertyService = UseRecordingService;
  ASSERT_NE(StartShownMainWindow(), nullptr);
  State.BeepOption = 0;
  HWND power = GetDlgItem(State.MainWindow, '^');
  EXPECT_EQ(service.accNames[power], L"べき乗");
  Settle();
  nameChanges = 0;
  HWINEVENTHOOK names = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                        CountNameChange, GetCurrentProcessId(), 0,
                                        WINEVENT_OUTOFCONTEXT);
  SendMessageW(State.MainWindow, WM_COMMAND, IDM_LANGUAGE, 0);
  Settle();
  UnhookWinEvent(names);
  EXPECT_EQ(service.names[power] + L"|" + service.accNames[power], L"power|power");
  EXPECT_EQ(service.accNames.size(), 13u);
  EXPECT_EQ(nameChanges, 13) << "one for each named button";
}

}  // namespace
