// The settings file through the platform's private-profile calls: encoding,
// older files, range rules and hostile files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app_state.h"
#include "settings.h"
#include "settings_encoding.h"
#include "settings_values.h"
#include "settings_report.h"
#include "window_test_support.h"

namespace {

class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareFreshStart();
    FormSettingsPaths();
  }
  void TearDown() override { DeleteTestSettingsFile(); }
};

std::wstring ReadText(const wchar_t *section, const wchar_t *key) {
  wchar_t text[kEntryTextSize];
  ReadSettingText(section, key, text, kEntryTextSize);
  return text;
}

TEST_F(Settings, PathsAreFormedBesideTheExecutable) {
  EXPECT_EQ(std::wstring(Paths.SettingsFile), TestSettingsFile());
  static wchar_t out[kLongPathSize];
  FormPathBeside(L"C:\\Programs\\calc2.exe", L"chm", out);
  EXPECT_STREQ(out, L"C:\\Programs\\calc2.chm");
  FormPathBeside(L"ab", L"ini", out);
  EXPECT_STREQ(out, L"");
}

TEST_F(Settings, FirstWriteCreatesAUtf16FileAndJapaneseSurvives) {
  const wchar_t *expression = L"SIN(30)*2 ' 角度は度で計算する";
  ASSERT_TRUE(WriteSettingText(kSlotsSection, L"A", expression));
  ASSERT_TRUE(WriteSettingInt(kOptionsSection, L"Cbo", 0));
  std::string bytes = ReadTestSettingsBytes();
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xFE);
  // "角" (U+89D2) is stored as UTF-16LE.
  EXPECT_NE(bytes.find(std::string("\xD2\x89", 2)), std::string::npos);
  EXPECT_EQ(ReadText(kSlotsSection, L"A"), expression);
  EXPECT_EQ(ReadSettingInt(kOptionsSection, L"Cbo", 5), 0);
}

TEST_F(Settings, AnsiFileOfAnOlderVersionIsStillRead) {
  WriteTestSettingsBytes("[Vex]\r\nView=1\r\nRadix=16\r\nWx=-1\r\n[Data]\r\nA=1+2\r\nB=A*3\r\n");
  EXPECT_EQ(ReadSettingInt(kOptionsSection, L"View", 3), 1);
  EXPECT_EQ(ReadSettingInt(kOptionsSection, L"Wx", 7), -1);
  ReadFirstPaintOptions();
  EXPECT_EQ(State.Radix, 16);
  wchar_t text[kEntryTextSize];
  ReadSlotExpression(1, text, kEntryTextSize);
  EXPECT_STREQ(text, L"A*3");
  // A new key added to it is read back as well.
  ASSERT_TRUE(WriteSettingInt(kOptionsSection, L"Top", 1));
  EXPECT_EQ(ReadSettingInt(kOptionsSection, L"Top", 0), 1);
  EXPECT_EQ(ReadText(kSlotsSection, L"A"), L"1+2");
}

TEST_F(Settings, MissingKeysGiveTheDefaults) {
  int wx = 0, wy = 0;
  ReadStartOptions(&wx, &wy);
  ReadFirstPaintOptions();
  EXPECT_EQ(wx, -1);
  EXPECT_EQ(wy, -1);
  EXPECT_EQ(State.View, 3);
  EXPECT_EQ(State.Time, 1);
  EXPECT_EQ(State.BeepOption, 1);
  EXPECT_EQ(State.Top, 0);
  EXPECT_FALSE(State.TrayMode);
  EXPECT_EQ(State.CurrentSlot, 0);
  EXPECT_EQ(State.DegreeMode, 0);
  EXPECT_EQ(State.Radix, 10);
  EXPECT_EQ(ReadText(kSlotsSection, L"Z"), L"");
  EXPECT_EQ(GetFileAttributesW(Paths.SettingsFile), INVALID_FILE_ATTRIBUTES)
      << "reading creates nothing";
}

TEST_F(Settings, OutOfRangeValuesFallBack) {
  WriteTestSettingsBytes("[Vex]\r\nView=7\r\nCbo=30\r\nRadix=1\r\nDeg=5\r\nWx=abc\r\n");
  int wx = 0, wy = 0;
  ReadStartOptions(&wx, &wy);
  ReadFirstPaintOptions();
  EXPECT_EQ(State.View, 3);
  EXPECT_EQ(State.CurrentSlot, 0);
  EXPECT_EQ(State.DegreeMode, 1);
  EXPECT_EQ(wx, 0) << "no digits convert to 0";
  EXPECT_EQ(OutputRadix(State.Radix), 10);

  WriteTestSettingsBytes("[Vex]\r\nView=-2\r\nCbo=-1\r\nRadix=\r\n");
  ReadStartOptions(&wx, &wy);
  ReadFirstPaintOptions();
  EXPECT_EQ(State.View, 3);
  EXPECT_EQ(State.CurrentSlot, 0);
  EXPECT_EQ(State.Radix, 0) << "an empty value converts to 0";
  EXPECT_EQ(OutputRadix(State.Radix), 10);
}

TEST_F(Settings, HostileFilesAreSurvived) {
  // Binary noise, NULs included.
  std::string noise;
  unsigned state = 12345;
  for (int i = 0; i < 65536; ++i) {
    state = state * 1103515245u + 12345u;
    noise.push_back(static_cast<char>(state >> 16));
  }
  WriteTestSettingsBytes(noise);
  int wx = 0, wy = 0;
  ReadStartOptions(&wx, &wy);
  ReadFirstPaintOptions();
  EXPECT_GE(State.View, 0);
  EXPECT_LE(State.View, 3);
  EXPECT_GE(State.CurrentSlot, 0);
  EXPECT_LT(State.CurrentSlot, 26);

  // One very long value: cut to the buffer.
  std::string huge = "[Data]\r\nA=" + std::string(2 * 1024 * 1024, '7') + "\r\n[Vex]\r\nView=2\r\n";
  WriteTestSettingsBytes(huge);
  std::wstring text = ReadText(kSlotsSection, L"A");
  EXPECT_EQ(text.size(), static_cast<size_t>(kEntryTextSize - 1));
  EXPECT_EQ(ReadSettingInt(kOptionsSection, L"View", 3), 2);

  // An empty file.
  WriteTestSettingsBytes("");
  ReadStartOptions(&wx, &wy);
  EXPECT_EQ(State.View, 3);
  EXPECT_EQ(wx, -1);
}

TEST_F(Settings, LineBreaksInAValueNeverMakeKeysOfTheirOwn) {
  ASSERT_TRUE(WriteSettingText(kSlotsSection, L"A", L"1\r\nB=5\n[Vex]\rView=0"));
  EXPECT_EQ(ReadText(kSlotsSection, L"B"), L"");
  EXPECT_EQ(ReadSettingInt(kOptionsSection, L"View", 3), 3);
  EXPECT_EQ(ReadText(kSlotsSection, L"A"), L"1  B=5 [Vex] View=0");
}

TEST_F(Settings, LongValuesAreCutTo255Characters) {
  std::wstring longText(400, L'9');
  ASSERT_TRUE(WriteSettingText(kSlotsSection, L"C", longText.c_str()));
  EXPECT_EQ(ReadText(kSlotsSection, L"C"), std::wstring(255, L'9'));
}

TEST_F(Settings, BlanksAndQuotesAtTheEndsComeBackAsWritten) {
  const wchar_t *values[] = {
      L"'1+2'",        // only a comment: must not come back as 1+2
      L"\"1+2\"",      // a syntax error must stay one
      L"  1+2",        // leading blanks
      L"1+2 ; note  ", // trailing blanks in a comment
      L"'",            L"\"", L" ", L"'a\"",
      L"1+2",          // plain values stay unquoted in the file
  };
  for (const wchar_t *value : values) {
    ASSERT_TRUE(WriteSettingText(kSlotsSection, L"D", value));
    EXPECT_EQ(ReadText(kSlotsSection, L"D"), value);
  }
  std::wstring longText = L"'" + std::wstring(253, L'9') + L"'";
  ASSERT_TRUE(WriteSettingText(kSlotsSection, L"E", longText.c_str()));
  wchar_t text[kEntryTextSize + 1];
  ReadSlotExpression(4, text, kEntryTextSize + 1);
  EXPECT_EQ(std::wstring(text), longText);
}

TEST_F(Settings, NoSettingsPathMeansNoFileAndDefaults) {
  Paths.SettingsFile[0] = L'\0';
  EXPECT_FALSE(WriteSettingInt(kOptionsSection, L"View", 1));
  EXPECT_EQ(ReadSettingInt(kOptionsSection, L"View", 3), 3);
  EXPECT_EQ(GetFileAttributesW(TestSettingsFile().c_str()), INVALID_FILE_ATTRIBUTES);
}

std::string ToCp932(const std::wstring &text) {
  int size = WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

// The file's text after its UTF-16LE mark; "<no mark>" without one.
std::wstring ReadUnicodeText() {
  std::string bytes = ReadTestSettingsBytes();
  if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0) return L"<no mark>";
  std::wstring text((bytes.size() - 2) / 2, L'\0');
  memcpy(text.data(), bytes.data() + 2, text.size() * sizeof(wchar_t));
  return text;
}

TEST_F(Settings, EightBitFileIsConvertedBeforeTheFirstWriteKeepingEveryLine) {
  // Earlier versions wrote code page 932; this prefix's ANSI code page is not
  // 932, so without the conversion the Japanese would come back garbled.
  EXPECT_NE(GetACP(), 932u);
  ASSERT_EQ(ToCp932(L"日本"), "\x93\xfa\x96\x7b");
  const std::wstring old =
      L"; 関数電卓の設定\r\n[Vex]\r\nView=1\r\n; スロットの式\r\n[Data]\r\nA=1+2 ' 足し算\r\nB=ﾃｽﾄ\r\n";
  WriteTestSettingsBytes(ToCp932(old));
  ASSERT_TRUE(WriteSettingText(kSlotsSection, L"C", L"PI*2 ' 円周"));
  std::wstring text = ReadUnicodeText();
  EXPECT_EQ(text.substr(0, old.size()), old) << "every line kept, in order";
  EXPECT_EQ(ReadText(kSlotsSection, L"A"), L"1+2 ' 足し算");
  EXPECT_EQ(ReadText(kSlotsSection, L"B"), L"ﾃｽﾄ");
  EXPECT_EQ(ReadText(kSlotsSection, L"C"), L"PI*2 ' 円周");
  EXPECT_EQ(ReadSettingInt(kOptionsSection, L"View", 3), 1);

  // UTF-8 with its mark (what a text editor may save) is read as UTF-8.
  WriteTestSettingsBytes("\xEF\xBB\xBF[Data]\r\nA=2*3 ; \xE6\x97\xA5\r\n");
  ASSERT_TRUE(WriteSettingInt(kOptionsSection, L"Cbo", 0));
  EXPECT_EQ(ReadUnicodeText().substr(0, 17), L"[Data]\r\nA=2*3 ; 日");
  EXPECT_EQ(ReadText(kSlotsSection, L"A"), L"2*3 ; 日");
}

TEST_F(Settings, ConversionThatCannotFinishLeavesTheOldFileAsItWas) {
  const std::string old = ToCp932(L"[Data]\r\nA=1 ; 古い\r\n");
  WriteTestSettingsBytes(old);
  std::wstring temporary = TestSettingsFile() + kConversionSuffix;
  // Open elsewhere without leave to replace it: the replace fails.
  HANDLE held = CreateFileW(Paths.SettingsFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(ConvertSettingsFile(Paths.SettingsFile, Paths.SettingsFile));
  CloseHandle(held);
  EXPECT_EQ(ReadTestSettingsBytes(), old);
  EXPECT_EQ(GetFileAttributesW(temporary.c_str()), INVALID_FILE_ATTRIBUTES) << "no temporary file left";

  // A file beyond any settings file's size is not converted at all.
  std::string big = "[Data]\r\nA=1\r\n" + std::string(kMaxConvertedSettingsBytes, 'x');
  WriteTestSettingsBytes(big);
  EXPECT_FALSE(ConvertSettingsFile(Paths.SettingsFile, Paths.SettingsFile));
  EXPECT_EQ(ReadTestSettingsBytes().size(), big.size());
  EXPECT_EQ(GetFileAttributesW(temporary.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Settings, HostileFilesGiveDefaultsAndKeepWhatIsTypedAfterwards) {
  std::string noise;
  unsigned state = 2024;
  for (int i = 0; i < 10 * 1024 * 1024; ++i) {
    state = state * 1103515245u + 12345u;
    noise.push_back(static_cast<char>(state >> 16));
  }
  noise[0] = 'x';  // not by chance a byte-order mark
  std::string utf16NoMark;
  for (char c : std::string("[Data]\r\nA=5\r\nB=7\r\n")) {
    utf16NoMark.push_back(c);
    utf16NoMark.push_back('\0');
  }
  std::string utf16OddCount = "\xFF\xFE" + utf16NoMark + "\x41";
  std::string duplicated = "[Data]\r\nA=1\r\nA=2\r\n[Vex]\r\n[Data]\r\nA=3\r\nB=4\r\n[Vex]\r\n";
  std::string longValues = "[Data]\r\nA=" + std::string(10000, '1') + "\r\nB=" +
                           std::string(10000, '2') + "\r\n";
  struct Case {
    const char *name;
    const std::string &bytes;
  } cases[] = {
      {"10 MB of random bytes", noise},
      {"UTF-16 without a mark", utf16NoMark},
      {"a mark and an odd byte count", utf16OddCount},
      {"duplicated sections and keys", duplicated},
      {"values of 10 000 characters", longValues},
      {"a mark and nothing else", std::string("\xFF\xFE")},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    ResetAppState();
    FormSettingsPaths();
    WriteTestSettingsBytes(c.bytes);
    int wx = 0, wy = 0;
    ReadStartOptions(&wx, &wy);
    ReadFirstPaintOptions();
    EXPECT_EQ(State.View, 3);
    EXPECT_EQ(wx, -1);
    EXPECT_EQ(State.Radix, 10);
    EXPECT_EQ(State.CurrentSlot, 0);
    wchar_t slot[kEntryTextSize + 1];
    ReadSlotExpression(1, slot, kEntryTextSize + 1);
    EXPECT_LE(wcslen(slot), static_cast<size_t>(kEntryTextSize));

    DWORD start = GetTickCount();
    ASSERT_TRUE(WriteSettingText(kSlotsSection, L"A", L"6*7 ' 答え"));
    ASSERT_TRUE(WriteSettingInt(kOptionsSection, L"View", 1));
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(ReadText(kSlotsSection, L"A"), L"6*7 ' 答え");
    EXPECT_EQ(ReadSettingInt(kOptionsSection, L"View", 3), 1);
    EXPECT_FALSE(IsSettingsFailurePending());
  }
}

}  // namespace
