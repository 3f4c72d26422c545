// Where the settings file lives (the folder file while it can be written,
// else the per-user file) and the one message box that tells a failed write.
// A folder file that cannot be written is made here by holding it open for
// reading without sharing the write access: Wine run as root writes into
// read-only files and folders. tests/e2e/settings_place_test.sh has the real
// unwritable folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_state.h"
#include "settings.h"
#include "settings_place.h"
#include "settings_report.h"
#include "startup.h"
#include "window_test_support.h"

namespace {

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH];
  DWORD length = GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp, length) + L"vex-place-" + std::to_wstring(GetCurrentProcessId());
}

// Removes a file, or a folder with the files in it.
void RemovePath(const std::wstring &path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") RemovePath(path + L"\\" + name);
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
  } else {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
  }
}

void WriteFileBytes(const std::wstring &path, const std::string &bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot write the test file";
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadFileBytes(const std::wstring &path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<none>";
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
  CloseHandle(file);
  return bytes;
}

bool Exists(const std::wstring &path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring ReadSlot(const wchar_t *key) {
  wchar_t text[kEntryTextSize];
  ReadSettingText(kSlotsSection, key, text, kEntryTextSize);
  return text;
}

void SetWriteTime(const std::wstring &path, int secondsAgo) {
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER time = {{now.dwLowDateTime, now.dwHighDateTime}};
  time.QuadPart -= static_cast<ULONGLONG>(secondsAgo) * 10000000u;
  FILETIME then = {time.LowPart, time.HighPart};
  SetFileTime(file, nullptr, nullptr, &then);
  CloseHandle(file);
}

class SettingsPlace : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareFreshStart();
    appData = TempFolder();
    RemovePath(appData);
    ASSERT_TRUE(CreateDirectoryW(appData.c_str(), nullptr));
    folderFile = TestSettingsFile();
    userFile = UserFileFor(folderFile);
    UseFolderFile(folderFile);
  }
  void TearDown() override {
    Release();
    RemovePath(folderFile);
    DeleteTestSettingsFile();
    RemovePath(appData);
  }
  void UseFolderFile(const std::wstring &path) { wcscpy(Paths.SettingsFile, path.c_str()); }
  std::wstring UserFileFor(const std::wstring &path) {
    wchar_t name[MAX_PATH];
    EXPECT_TRUE(FormUserSettingsName(path.c_str(), name, MAX_PATH));
    return appData + L"\\Vex\\" + name;
  }
  // Held open for reading: it can be read and copied, but not written.
  void HoldForReading(const std::wstring &path, DWORD share = FILE_SHARE_READ) {
    Release();
    held = CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
  }
  void Release() {
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    held = INVALID_HANDLE_VALUE;
  }
  std::wstring appData, folderFile, userFile;
  HANDLE held = INVALID_HANDLE_VALUE;
};

TEST_F(SettingsPlace, WritableFolderFileWinsAndFindingOutLeavesNothingNew) {
  // Absent, in a folder that can be written: the folder file, not made yet.
  EXPECT_TRUE(PlaceSettingsFile(appData.c_str()));
  EXPECT_EQ(std::wstring(Paths.SettingsFile), folderFile);
  EXPECT_FALSE(Exists(folderFile)) << "the probe file is gone again";
  EXPECT_FALSE(Exists(appData + L"\\Vex")) << "no per-user folder made";

  // Both files there: the folder file wins while it can be written.
  WriteFileBytes(folderFile, "[Data]\r\nA=1+1\r\n");
  ASSERT_TRUE(CreateDirectoryW((appData + L"\\Vex").c_str(), nullptr));
  WriteFileBytes(userFile, "[Data]\r\nA=2+2\r\n");
  EXPECT_TRUE(PlaceSettingsFile(appData.c_str()));
  EXPECT_EQ(std::wstring(Paths.SettingsFile), folderFile);
  EXPECT_EQ(ReadSlot(L"A"), L"1+1");
  EXPECT_FALSE(IsSettingsFailurePending());
}

TEST_F(SettingsPlace, UnwritableFolderFileIsCopiedToThePerUserFileOnlyOnce) {
  const std::string old = "[Vex]\r\nView=1\r\n[Data]\r\nA=6*7\r\n";
  WriteFileBytes(folderFile, old);
  SetFileAttributesW(folderFile.c_str(), FILE_ATTRIBUTE_READONLY);
  HoldForReading(folderFile);

  EXPECT_TRUE(PlaceSettingsFile(appData.c_str()));
  EXPECT_EQ(std::wstring(Paths.SettingsFile), userFile);
  EXPECT_EQ(ReadSettingInt(kOptionsSection, L"View", 3), 1);
  EXPECT_EQ(ReadSlot(L"A"), L"6*7");
  // The copy lost the read-only mark and takes what is typed now.
  EXPECT_FALSE(GetFileAttributesW(userFile.c_str()) & FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(WriteSettingText(kSlotsSection, L"B", L"A+1"));
  EXPECT_EQ(ReadFileBytes(folderFile), old) << "the folder file is not touched";

  // Next start: the per-user file is there and is not copied over again.
  UseFolderFile(folderFile);
  EXPECT_TRUE(PlaceSettingsFile(appData.c_str()));
  EXPECT_EQ(std::wstring(Paths.SettingsFile), userFile);
  EXPECT_EQ(ReadSlot(L"B"), L"A+1");
  EXPECT_FALSE(IsSettingsFailurePending());
}

TEST_F(SettingsPlace, FolderOrOverlongPathInsteadOfAFileGoesToThePerUserFile) {
  // A folder named like the settings file: nothing to copy.
  ASSERT_TRUE(CreateDirectoryW(folderFile.c_str(), nullptr));
  EXPECT_TRUE(PlaceSettingsFile(appData.c_str()));
  EXPECT_EQ(std::wstring(Paths.SettingsFile), userFile);
  EXPECT_FALSE(Exists(userFile));
  ASSERT_TRUE(WriteSettingInt(kOptionsSection, L"View", 2));
  EXPECT_EQ(ReadSettingInt(kOptionsSection, L"View", 3), 2);
  RemovePath(folderFile);
  RemovePath(userFile);

  // A folder file whose path the private-profile calls cannot take (300
  // characters): it can be opened, but never read or written through them.
  std::wstring deep = appData;
  for (int level = 0; level < 5; ++level) {
    deep += L"\\" + std::wstring(50, static_cast<wchar_t>(L'a' + level));
    ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
  }
  std::wstring longFile = deep + L"\\window_tests.ini";
  ASSERT_GT(longFile.size(), static_cast<size_t>(MAX_PATH));
  WriteFileBytes(longFile, "[Data]\r\nA=3*3\r\n");
  UseFolderFile(longFile);
  EXPECT_TRUE(PlaceSettingsFile(appData.c_str()));
  EXPECT_EQ(std::wstring(Paths.SettingsFile), UserFileFor(longFile));
  EXPECT_EQ(ReadSlot(L"A"), L"3*3") << "copied over";
}

TEST_F(SettingsPlace, NoPlaceToWriteKeepsReadingTheFolderFileAndIsNoted) {
  WriteFileBytes(folderFile, "[Vex]\r\nView=1\r\n");
  HoldForReading(folderFile);
  WriteFileBytes(appData + L"\\Vex", "a file where the folder should be");
  EXPECT_FALSE(PlaceSettingsFile(appData.c_str()));
  EXPECT_EQ(std::wstring(Paths.SettingsFile), folderFile);
  EXPECT_EQ(ReadSettingInt(kOptionsSection, L"View", 3), 1);
  EXPECT_TRUE(IsSettingsFailurePending());

  // A folder file that cannot even be read cannot be copied: it stays in
  // use rather than leaving its slots behind for a fresh file.
  RemovePath(appData + L"\\Vex");
  ResetSettingsReport();
  HoldForReading(folderFile, 0);
  UseFolderFile(folderFile);
  EXPECT_FALSE(PlaceSettingsFile(appData.c_str()));
  EXPECT_EQ(std::wstring(Paths.SettingsFile), folderFile);
  EXPECT_FALSE(Exists(userFile));
  EXPECT_TRUE(IsSettingsFailurePending());
}

TEST_F(SettingsPlace, TheNewerFileIsBroughtOverAndThePerUserFileRetiredOnceBack) {
  // Written in the per-user file while the folder refused writes; the folder
  // file is older (and 8-bit: the copy that comes back is UTF-16).
  WriteFileBytes(folderFile, "[Data]\r\nA=1+1\r\n");
  SetWriteTime(folderFile, 60);
  ASSERT_TRUE(CreateDirectoryW((appData + L"\\Vex").c_str(), nullptr));
  const wchar_t userText[] = L"\xFEFF[Data]\r\nA=8\r\n";
  WriteFileBytes(userFile, std::string(reinterpret_cast<const char *>(userText), sizeof userText - 2));
  EXPECT_TRUE(PlaceSettingsFile(appData.c_str()));
  EXPECT_EQ(std::wstring(Paths.SettingsFile), folderFile);
  EXPECT_EQ(ReadSlot(L"A"), L"8");
  EXPECT_FALSE(Exists(userFile)) << "retired once brought back";
  EXPECT_FALSE(Exists(folderFile + L".tmp"));
  EXPECT_FALSE(Exists(folderFile + L".bak"));

  // The folder refuses writes again, its file now the newer: it is brought
  // to the per-user place.
  ASSERT_TRUE(WriteSettingText(kSlotsSection, L"A", L"9"));
  HoldForReading(folderFile);
  UseFolderFile(folderFile);
  EXPECT_TRUE(PlaceSettingsFile(appData.c_str()));
  EXPECT_EQ(std::wstring(Paths.SettingsFile), userFile);
  EXPECT_EQ(ReadSlot(L"A"), L"9");
  EXPECT_TRUE(Exists(folderFile)) << "the folder file is never removed";
}

TEST_F(SettingsPlace, WithNoPlaceToWriteAnEightBitFileIsReadThroughAConvertedCopy) {
  // "A=1+1 ;メモ" in code page 932; this prefix's code page is not 932.
  const std::string old = "[Data]\r\nA=1+1 ;\x83\x81\x83\x82\r\n";
  WriteFileBytes(folderFile, old);
  HoldForReading(folderFile);
  WriteFileBytes(appData + L"\\Vex", "a file where the folder should be");
  EXPECT_FALSE(PlaceSettingsFile(appData.c_str()));
  EXPECT_EQ(ReadSlot(L"A"), L"1+1 ;メモ");
  EXPECT_FALSE(WriteSettingText(kSlotsSection, L"A", L"2")) << "no write goes anywhere";
  Release();
  EXPECT_EQ(ReadFileBytes(folderFile), old);
  EXPECT_TRUE(IsSettingsFailurePending());
}

TEST_F(SettingsPlace, AnEightBitFileConvertedInPlaceKeepsItsBytesAsOrig) {
  // Half-width katakana "ﾈｺ" (C8 BA) are also valid UTF-8 ("Ⱥ"): the system's
  // code page decides, and the original bytes stay beside the file.
  const std::string old = "[Data]\r\nA=1.08*B ;\xC8\xBA\r\n";
  WriteFileBytes(folderFile, old);
  EXPECT_TRUE(PlaceSettingsFile(appData.c_str()));
  EXPECT_EQ(std::wstring(Paths.SettingsFile), folderFile);
  EXPECT_EQ(ReadSlot(L"A"), GetACP() == 932 ? L"1.08*B ;\xFF88\xFF7A" : L"1.08*B ;\x023A");
  EXPECT_EQ(ReadFileBytes(folderFile + L".orig"), old);
  EXPECT_EQ(ReadFileBytes(folderFile).substr(0, 2), "\xFF\xFE");
  EXPECT_FALSE(Exists(folderFile + L".bak"));
}

TEST_F(SettingsPlace, AReplaceCutOffBetweenItsRenamesIsUndoneAtStart) {
  // No vex.ini, its content in the backup, the new content left behind.
  WriteFileBytes(folderFile + L".bak", "[Data]\r\nA=4*4\r\n");
  WriteFileBytes(folderFile + L".tmp", "half");
  EXPECT_TRUE(PlaceSettingsFile(appData.c_str()));
  EXPECT_EQ(std::wstring(Paths.SettingsFile), folderFile);
  EXPECT_EQ(ReadSlot(L"A"), L"4*4");
  EXPECT_FALSE(Exists(folderFile + L".bak"));
  EXPECT_FALSE(Exists(folderFile + L".tmp"));

  // A backup that cannot be renamed back (held without sharing its removal)
  // is read where it is and brought to the per-user file, never written.
  RemovePath(folderFile);
  WriteFileBytes(folderFile + L".bak", "[Data]\r\nA=6*6\r\n");
  HoldForReading(folderFile + L".bak", FILE_SHARE_READ | FILE_SHARE_WRITE);
  UseFolderFile(folderFile);
  EXPECT_TRUE(PlaceSettingsFile(appData.c_str()));
  EXPECT_EQ(std::wstring(Paths.SettingsFile), userFile);
  EXPECT_EQ(ReadSlot(L"A"), L"6*6");
  EXPECT_FALSE(Exists(folderFile)) << "no fresh file in front of the backup";
  EXPECT_FALSE(IsSettingsFailurePending());
}

TEST_F(SettingsPlace, AnEightThreeSpellingMarksThePerUserFileOfTheLongOne) {
  // A folder file that cannot be used (a folder of its name), so the
  // per-user file is read; the program started through the folder's 8.3
  // name, under which the earlier version marked its per-user file.
  std::wstring longFolder = appData + L"\\A folder with a long name";
  ASSERT_TRUE(CreateDirectoryW(longFolder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((longFolder + L"\\vex.ini").c_str(), nullptr));
  wchar_t shortFolder[MAX_PATH];
  ASSERT_NE(GetShortPathNameW(longFolder.c_str(), shortFolder, MAX_PATH), 0u);
  std::wstring oldFile = UserFileFor(std::wstring(shortFolder) + L"\\vex.ini");
  std::wstring newFile = UserFileFor(longFolder + L"\\vex.ini");
  ASSERT_NE(oldFile, newFile);
  ASSERT_TRUE(CreateDirectoryW((appData + L"\\Vex").c_str(), nullptr));
  WriteFileBytes(oldFile, "[Data]\r\nA=7*7\r\n");

  UseFolderFile(std::wstring(shortFolder) + L"\\vex.ini");
  EXPECT_TRUE(PlaceSettingsFile(appData.c_str()));
  EXPECT_EQ(std::wstring(Paths.SettingsFile), newFile);
  EXPECT_EQ(ReadSlot(L"A"), L"7*7");
  EXPECT_FALSE(Exists(oldFile)) << "carried over";
}

// The manifest lets the system hand the program paths of up to 32 767
// characters (where the system allows them at all).
TEST(LongPaths, ManifestDeclaresLongPathAwareness) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  HGLOBAL loaded = LoadResource(nullptr, found);
  const char *bytes = static_cast<const char *>(LockResource(loaded));
  ASSERT_NE(bytes, nullptr);
  std::string manifest(bytes, SizeofResource(nullptr, found));
  EXPECT_NE(manifest.find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                          "WindowsSettings\">true</longPathAware>"),
            std::string::npos);
}

// --- The message box ---

struct ShownBox {
  HWND owner;
  std::wstring text;
  std::wstring title;
  UINT type;
};
std::vector<ShownBox> shownBoxes;
int boxDepth = 0;
int deepestBox = 0;

// Stands in for the modal box; while "up" it moves the main window (whose
// write fails too) and runs the queue, as the box's own loop would.
int WINAPI RecordBox(HWND owner, const wchar_t *text, const wchar_t *title, UINT type) {
  shownBoxes.push_back({owner, text, title, type});
  ++boxDepth;
  if (boxDepth > deepestBox) deepestBox = boxDepth;
  SetWindowPos(State.MainWindow, nullptr, 140, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  --boxDepth;
  return IDOK;
}

void RunQueue() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

class SettingsFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareFreshStart();
    shownBoxes.clear();
    boxDepth = deepestBox = 0;
    ShowSettingsMessage = RecordBox;
  }
  void TearDown() override {
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    CloseMainWindow();
    ShowSettingsMessage = MessageBoxW;
    DeleteTestSettingsFile();
  }
  HANDLE held = INVALID_HANDLE_VALUE;
};

TEST_F(SettingsFailure, ToldOnceAfterTheFirstPaintNeverDuringStartUp) {
  ASSERT_NE(StartMainWindow(), nullptr);
  ASSERT_TRUE(WriteSettingInt(kOptionsSection, L"Top", 0));
  held = CreateFileW(Paths.SettingsFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                     nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);

  // Still starting: a move's write fails and is only remembered.
  SetWindowPos(State.MainWindow, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RunQueue();
  EXPECT_TRUE(shownBoxes.empty()) << "no box during start-up";
  EXPECT_TRUE(IsSettingsFailurePending());

  // The first paint ends start-up; the box follows from the loop.
  ShowMainWindow(State.MainWindow, SW_SHOWNORMAL);
  UpdateWindow(State.MainWindow);
  EXPECT_TRUE(shownBoxes.empty()) << "not from inside the paint";
  RunQueue();
  ASSERT_EQ(shownBoxes.size(), 1u);
  EXPECT_EQ(shownBoxes[0].owner, State.MainWindow);
  EXPECT_NE(shownBoxes[0].text.find(Paths.SettingsFile), std::wstring::npos) << "names the file";
  EXPECT_NE(shownBoxes[0].text.find(L"保存されず"), std::wstring::npos);
  EXPECT_EQ(shownBoxes[0].title, std::wstring(State.TitleText));
  EXPECT_EQ(shownBoxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(deepestBox, 1) << "the move behind the box opened no second one";

  // Later failures, even into a folder that is gone, open no second box; the
  // values stay in memory.
  State.Top = 1;
  EXPECT_FALSE(WriteSettingInt(kOptionsSection, L"Top", State.Top));
  wcscpy(Paths.SettingsFile, (TestSettingsFile() + L".gone\\vex.ini").c_str());
  EXPECT_FALSE(WriteSettingInt(kOptionsSection, L"Top", State.Top));
  RunQueue();
  EXPECT_EQ(shownBoxes.size(), 1u);
  EXPECT_EQ(State.Top, 1);

  // Once the file is free again, the next write goes through, silently.
  CloseHandle(held);
  held = INVALID_HANDLE_VALUE;
  wcscpy(Paths.SettingsFile, TestSettingsFile().c_str());
  EXPECT_TRUE(WriteSettingInt(kOptionsSection, L"Top", State.Top));
  EXPECT_EQ(ReadSettingInt(kOptionsSection, L"Top", 0), 1);
  RunQueue();
  EXPECT_EQ(shownBoxes.size(), 1u);
}

}  // namespace
