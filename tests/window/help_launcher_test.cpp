// The help launcher in-process: reading the control's registered location,
// the once-only loading (registered library, then the system folder's file by
// its full path, else unavailable for good), the call through the
// wide-character entry point, and F1 opening vex.chm in a help window.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "app_state.h"
#include "help_launcher.h"
#include "language.h"
#include "message_loop.h"
#include "startup.h"
#include "window_test_support.h"

namespace {

const wchar_t kTestKey[] = L"Software\\VexTests\\HelpControl";

struct FakeHelpCall {  // as recorded by fake_help_control.cpp
  int count;
  HWND caller;
  wchar_t file[MAX_PATH];
  UINT command;
  DWORD_PTR data;
};
typedef const FakeHelpCall *(WINAPI *LastCallFunction)();

std::wstring TestFolder() {
  wchar_t exe[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring path(exe, length);
  return path.substr(0, path.rfind(L'\\'));
}

std::wstring SystemFile(const wchar_t *name) {
  wchar_t folder[MAX_PATH];
  UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder, length) + L"\\" + name;
}

std::wstring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  return std::wstring(path, length);
}

bool SamePath(const std::wstring &a, const std::wstring &b) {
  return _wcsicmp(a.c_str(), b.c_str()) == 0;
}

// The call record of a loaded fake control (nullptr if it is not loaded).
const FakeHelpCall *FakeCalls(const std::wstring &path) {
  HMODULE module = GetModuleHandleW(path.c_str());
  if (module == nullptr) return nullptr;
  auto lastCall = reinterpret_cast<LastCallFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(module, MAKEINTRESOURCEA(1))));
  return lastCall != nullptr ? lastCall() : nullptr;
}

// Calls of a fake control so far: it stays loaded once a case in this process
// has loaded it, so cases count from what they find.
int FakeCallCount(const std::wstring &path) {
  const FakeHelpCall *calls = FakeCalls(path);
  return calls != nullptr ? calls->count : 0;
}

class HelpLauncher : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareFreshStart();
    DeleteTestKey();
    DeletePlantedControl();
  }
  void TearDown() override {
    CloseMainWindow();
    DeleteTestKey();
    DeletePlantedControl();
    DeleteTestSettingsFile();
  }

  static void DeleteTestKey() {
    RegDeleteKeyW(HKEY_CURRENT_USER, kTestKey);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VexTests");
  }
  // Sets the test key's default value to raw bytes of the given type.
  static void SetRawValue(DWORD type, const void *bytes, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, nullptr, 0, type, static_cast<const BYTE *>(bytes), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  static void SetValue(const std::wstring &text, DWORD type = REG_SZ) {
    SetRawValue(type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  static std::wstring Read() {
    wchar_t buffer[kPathSize];
    wmemset(buffer, L'#', kPathSize);
    if (!ReadHelpControlPathFrom(HKEY_CURRENT_USER, kTestKey, buffer)) {
      EXPECT_EQ(buffer[0], L'\0') << "a failed read leaves an empty text";
      return L"<failed>";
    }
    return buffer;
  }

  // A copy of the fake control named like the real one, beside this program:
  // the first place the plain library search would look.
  std::wstring PlantedControl() const { return TestFolder() + L"\\hhctrl.ocx"; }
  void PlantControl() const {
    ASSERT_TRUE(CopyFileW(FakeControl().c_str(), PlantedControl().c_str(), FALSE));
  }
  void DeletePlantedControl() const { DeleteFileW(PlantedControl().c_str()); }

  static std::wstring FakeControl() { return TestFolder() + L"\\fake_help_control.dll"; }
  static std::wstring FakeControl8Bit() { return TestFolder() + L"\\fake_help_control_8bit.dll"; }

  // The test key, then systemFile in the system folder.
  static HelpControlPlaces Places(const wchar_t *systemFile = L"hhctrl.ocx") {
    return {HKEY_CURRENT_USER, kTestKey, systemFile};
  }
};

TEST_F(HelpLauncher, ReadsTheRegisteredLocationWithinTheBuffer) {
  EXPECT_EQ(Read(), L"<failed>");  // no key
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(Read(), L"<failed>");  // key without its default value

  SetValue(L"C:\\Windows\\System32\\hhctrl.ocx");
  EXPECT_EQ(Read(), L"C:\\Windows\\System32\\hhctrl.ocx");
  SetValue(L"C:\\ユーザー\\制御.ocx");
  EXPECT_EQ(Read(), L"C:\\ユーザー\\制御.ocx");

  // 259 characters and the terminator fill the buffer; one more does not fit.
  std::wstring longest = L"C:\\" + std::wstring(kPathSize - 4, L'a');
  ASSERT_EQ(longest.size(), static_cast<size_t>(kPathSize - 1));
  SetValue(longest);
  EXPECT_EQ(Read(), longest);
  SetValue(longest + L"b");
  EXPECT_EQ(Read(), L"<failed>");
  SetValue(std::wstring(1000, L'x'));
  EXPECT_EQ(Read(), L"<failed>");

  // Stored without its terminator: the text ends where the data ends.
  const wchar_t bare[] = L"C:\\bare.ocxJUNK";
  SetRawValue(REG_SZ, bare, 11 * sizeof(wchar_t));
  EXPECT_EQ(Read(), L"C:\\bare.ocx");
  std::wstring full(kPathSize, L'z');  // 260 characters, no room left for a terminator
  SetRawValue(REG_SZ, full.c_str(), kPathSize * sizeof(wchar_t));
  EXPECT_EQ(Read(), L"<failed>");

  // Not text.
  DWORD number = 42;
  SetRawValue(REG_DWORD, &number, sizeof number);
  EXPECT_EQ(Read(), L"<failed>");
}

TEST_F(HelpLauncher, ExpandableLocationIsExpandedWithinTheBuffer) {
  ASSERT_TRUE(SetEnvironmentVariableW(L"VEX_TEST_ROOT", L"C:\\Windows"));
  SetValue(L"%VEX_TEST_ROOT%\\System32\\hhctrl.ocx", REG_EXPAND_SZ);
  EXPECT_EQ(Read(), L"C:\\Windows\\System32\\hhctrl.ocx");

  // Short before expansion, too long after it.
  ASSERT_TRUE(SetEnvironmentVariableW(L"VEX_TEST_ROOT", std::wstring(300, L'r').c_str()));
  SetValue(L"%VEX_TEST_ROOT%\\hhctrl.ocx", REG_EXPAND_SZ);
  EXPECT_EQ(Read(), L"<failed>");
  SetEnvironmentVariableW(L"VEX_TEST_ROOT", nullptr);
}

TEST_F(HelpLauncher, TheControlIsRegisteredOnThisSystem) {
  wchar_t path[kPathSize];
  ASSERT_TRUE(ReadHelpControlPath(path));
  std::wstring text = path;
  ASSERT_GE(text.size(), 10u);
  EXPECT_TRUE(SamePath(text.substr(text.size() - 10), L"hhctrl.ocx")) << text;
}

TEST_F(HelpLauncher, TheRegisteredLibraryIsUsedAndLoadedOnce) {
  SetValue(FakeControl());
  PlantControl();  // another "hhctrl.ocx" the search would find: not used
  const wchar_t file[] = L"C:\\ユーザー\\計算\\vex.chm";
  HWND caller = GetDesktopWindow();
  const int callsBefore = FakeCallCount(FakeControl());

  HWND answer = ShowHelpFrom(Places(), caller, file, kHelpDisplayContents, 0);
  EXPECT_EQ(answer, reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x5EC0)));
  ASSERT_NE(GetHelpModule(), nullptr);
  EXPECT_TRUE(SamePath(ModulePath(GetHelpModule()), FakeControl()));
  EXPECT_FALSE(IsHelpUnavailable());
  const FakeHelpCall *calls = FakeCalls(FakeControl());
  ASSERT_NE(calls, nullptr);
  EXPECT_EQ(calls->count, callsBefore + 1);
  EXPECT_EQ(calls->caller, caller);
  EXPECT_STREQ(calls->file, file);  // the wide path arrives intact
  EXPECT_EQ(calls->command, 1u);
  EXPECT_EQ(calls->data, 0u);
  EXPECT_EQ(GetModuleHandleW(PlantedControl().c_str()), nullptr);

  // Later calls use what was found, even when the registry changes.
  HMODULE module = GetHelpModule();
  SetValue(L"C:\\nowhere\\other.ocx");
  ShowHelpFrom(Places(), caller, L"second.chm", 7, 99);
  EXPECT_EQ(GetHelpModule(), module);
  EXPECT_EQ(calls->count, callsBefore + 2);
  EXPECT_STREQ(calls->file, L"second.chm");
  EXPECT_EQ(calls->command, 7u);
  EXPECT_EQ(calls->data, 99u);
}

TEST_F(HelpLauncher, WithoutTheKeyTheSystemFoldersControlIsLoadedNotTheSearchPaths) {
  PlantControl();
  HWND answer = ShowHelpFrom(Places(), nullptr, L"C:\\nowhere\\missing.chm",
                             kHelpDisplayContents, 0);
  EXPECT_EQ(answer, nullptr);  // the real control, and no such file
  ASSERT_NE(GetHelpModule(), nullptr);
  EXPECT_TRUE(SamePath(ModulePath(GetHelpModule()), SystemFile(L"hhctrl.ocx")))
      << ModulePath(GetHelpModule());
  EXPECT_EQ(GetModuleHandleW(PlantedControl().c_str()), nullptr);
  EXPECT_FALSE(IsHelpUnavailable());
  // The ordinal found is the control's wide-character entry point.
  EXPECT_EQ(reinterpret_cast<FARPROC>(GetHelpFunction()),
            GetProcAddress(GetHelpModule(), "HtmlHelpW"));
}

TEST_F(HelpLauncher, ARegisteredBareNameIsNotSearchedFor) {
  PlantControl();
  SetValue(L"hhctrl.ocx");
  ShowHelpFrom(Places(), nullptr, L"C:\\nowhere\\missing.chm", kHelpDisplayContents, 0);
  ASSERT_NE(GetHelpModule(), nullptr);
  EXPECT_TRUE(SamePath(ModulePath(GetHelpModule()), SystemFile(L"hhctrl.ocx")))
      << ModulePath(GetHelpModule());
  EXPECT_EQ(GetModuleHandleW(PlantedControl().c_str()), nullptr);
}

TEST_F(HelpLauncher, ARegisteredLibraryThatDoesNotLoadFallsBack) {
  SetValue(TestFolder() + L"\\no-such-control.ocx");
  ShowHelpFrom(Places(), nullptr, L"C:\\nowhere\\missing.chm", kHelpDisplayContents, 0);
  ASSERT_NE(GetHelpModule(), nullptr);
  EXPECT_TRUE(SamePath(ModulePath(GetHelpModule()), SystemFile(L"hhctrl.ocx")));
  EXPECT_FALSE(IsHelpUnavailable());
}

TEST_F(HelpLauncher, NothingLoadableMakesHelpUnavailableForTheRestOfTheRun) {
  HelpControlPlaces nowhere = Places(L"vex-no-such-control.ocx");
  EXPECT_EQ(ShowHelpFrom(nowhere, nullptr, L"vex.chm", kHelpDisplayContents, 0), nullptr);
  EXPECT_TRUE(IsHelpUnavailable());
  EXPECT_EQ(GetHelpModule(), nullptr);

  // A control that would load now is not tried again.
  const int callsBefore = FakeCallCount(FakeControl());
  SetValue(FakeControl());
  EXPECT_EQ(ShowHelpFrom(Places(), nullptr, L"vex.chm", kHelpDisplayContents, 0), nullptr);
  EXPECT_EQ(GetHelpModule(), nullptr);
  EXPECT_EQ(FakeCallCount(FakeControl()), callsBefore);
}

TEST_F(HelpLauncher, ALibraryWithoutTheWideEntryPointMakesHelpUnavailable) {
  SetValue(FakeControl8Bit());
  EXPECT_EQ(ShowHelpFrom(Places(), nullptr, L"vex.chm", kHelpDisplayContents, 0), nullptr);
  EXPECT_TRUE(IsHelpUnavailable());
  EXPECT_EQ(GetHelpFunction(), nullptr);
  EXPECT_EQ(ShowHelpFrom(Places(), nullptr, L"vex.chm", kHelpDisplayContents, 0), nullptr);
  const FakeHelpCall *calls = FakeCalls(FakeControl8Bit());
  ASSERT_NE(calls, nullptr);
  EXPECT_EQ(calls->count, 0);  // its 8-bit entry point is never called with a wide path
}

// F1 in the entry, through the message loop: command 1030 opens the help
// file beside vex.exe in the control's help window, and the focus returns.
TEST_F(HelpLauncher, F1OpensTheHelpFileAtItsContents) {
  ASSERT_NE(StartMainWindow(), nullptr);
  // The help file follows the executable's name.
  EXPECT_TRUE(SamePath(Paths.HelpFile, TestFolder() + L"\\window_tests.chm")) << Paths.HelpFile;

  // The real help file, built beside vex.exe.
  wchar_t chm[MAX_PATH];
  std::wstring relative = TestFolder() + L"\\..\\..\\window\\vex.chm";
  ASSERT_GT(GetFullPathNameW(relative.c_str(), MAX_PATH, chm, nullptr), 0u);
  ASSERT_NE(GetFileAttributesW(chm), INVALID_FILE_ATTRIBUTES) << "vex.chm not beside vex.exe";
  ASSERT_NE(GetFileAttributesW((TestFolder() + L"\\..\\..\\window\\vex.exe").c_str()),
            INVALID_FILE_ATTRIBUTES);
  wcscpy(Paths.HelpFile, chm);

  ShowMainWindow(State.MainWindow, SW_SHOWNORMAL);
  UpdateWindow(State.MainWindow);
  DrainMessages();
  SetFocus(State.MainWindow);
  HWND edit = GetWindow(State.Entry, GW_CHILD);
  MSG f1 = {};
  f1.hwnd = edit;
  f1.message = WM_KEYDOWN;
  f1.wParam = VK_F1;
  f1.lParam = 0x003B0001;
  ProcessLoopMessage(f1);

  HWND help = FindWindowW(L"HH Parent", nullptr);
  ASSERT_NE(help, nullptr);
  DWORD process = 0;
  GetWindowThreadProcessId(help, &process);
  EXPECT_EQ(process, GetCurrentProcessId());
  EXPECT_FALSE(IsHelpUnavailable());
  EXPECT_EQ(GetFocus(), edit);
  DestroyWindow(help);
}

TEST_F(HelpLauncher, F1WithoutTheHelpFileOpensNothingAndKeepsTheFocus) {
  ASSERT_NE(StartMainWindow(), nullptr);
  std::wstring missing = TestFolder() + L"\\no-such-help.chm";
  wcscpy(Paths.HelpFile, missing.c_str());
  ShowMainWindow(State.MainWindow, SW_SHOWNORMAL);
  UpdateWindow(State.MainWindow);
  DrainMessages();
  State.PendingSelection = 0x00020001;
  SendMessageW(State.MainWindow, WM_COMMAND, IDM_HELP_CONTENTS, 0);
  EXPECT_EQ(FindWindowW(L"HH Parent", nullptr), nullptr);
  EXPECT_EQ(GetFocus(), GetWindow(State.Entry, GW_CHILD));
  EXPECT_FALSE(IsHelpUnavailable());  // the control loaded; only the file is missing
  EXPECT_EQ(State.PendingSelection, 0x00020001u);  // unlike the About box, no caret move
}

// F1 in English: the English file beside the Japanese one ("-en.chm"), and
// the Japanese one when it is missing. The fake control records the path.
TEST_F(HelpLauncher, F1WhileEnglishOpensTheEnglishHelpFileWhenItIsThere) {
  ASSERT_NE(StartMainWindow(), nullptr);
  HMODULE fake = LoadLibraryW(FakeControl().c_str());
  UseHelpControl(fake, reinterpret_cast<HelpEntryPoint>(reinterpret_cast<void (*)()>(
                           GetProcAddress(fake, MAKEINTRESOURCEA(15)))));
  const FakeHelpCall *calls = FakeCalls(FakeControl());
  ASSERT_TRUE(GetHelpFunction() != nullptr && calls != nullptr);
  std::wstring japanese = TestFolder() + L"\\window_tests.chm";
  std::wstring english = TestFolder() + L"\\window_tests-en.chm";
  CloseHandle(CreateFileW(english.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  auto pressF1 = [] {
    MSG f1 = {GetWindow(State.Entry, GW_CHILD), WM_KEYDOWN, VK_F1, 0};
    ProcessLoopMessage(f1);
  };
  pressF1();
  EXPECT_TRUE(SamePath(calls->file, japanese)) << calls->file << " while Japanese";
  SendMessageW(State.MainWindow, WM_COMMAND, IDM_LANGUAGE, 0);
  pressF1();
  EXPECT_TRUE(SamePath(calls->file, english)) << calls->file;
  EXPECT_TRUE(DeleteFileW(english.c_str()));
  pressF1();
  EXPECT_TRUE(SamePath(calls->file, japanese)) << calls->file << " without the English file";
  FreeLibrary(GetHelpModule());
}

}  // namespace
