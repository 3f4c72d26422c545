#include <gtest/gtest.h>

#include <string>

#include "dialog_template.h"

namespace {

// Little-endian template bytes, built as the resource compiler lays them out.
struct Bytes {
  std::string b;
  void Word(unsigned v) { b += static_cast<char>(v & 0xFF); b += static_cast<char>(v >> 8); }
  void Dword(unsigned v) { Word(v & 0xFFFF); Word(v >> 16); }
  void Text(const std::u16string &s) { for (char16_t c : s) Word(c); Word(0); }
  void Align() { while (b.size() % 4 != 0) b += '\0'; }
};

// An extended template (DS_SETFONT) with count buttons, the i-th at (i, 2i).
std::string ExtendedTemplate(unsigned count) {
  Bytes t;
  t.Word(1); t.Word(0xFFFF); t.Dword(0); t.Dword(0x8); t.Dword(0x00C80040); t.Word(count);
  for (int v : {0, 0, 170, 70}) t.Word(static_cast<unsigned>(v));
  t.Word(0); t.Text(u"VexClass300"); t.Text(u"vex");
  t.Word(11); t.Word(700); t.b += '\1'; t.b += '\x80'; t.Text(u"ＭＳ ゴシック");
  for (unsigned i = 0; i < count; ++i) {
    t.Align();
    t.Dword(0); t.Dword(0); t.Dword(0x50010000);
    for (unsigned v : {i, 2 * i, 10u, 12u}) t.Word(v);
    t.Dword(1000 + i); t.Word(0xFFFF); t.Word(0x80); t.Text(u"7"); t.Word(2); t.Word(0);
  }
  return t.b;
}

bool Read(const std::string &bytes, DialogTemplateUnits *units) {
  return ReadDialogTemplate(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(), units);
}

TEST(ReadDialogTemplate, ReadsTheFontTheSizeAndEveryControl) {
  DialogTemplateUnits units;
  ASSERT_TRUE(Read(ExtendedTemplate(3), &units));
  EXPECT_EQ(units.style, 0x00C80040u);
  EXPECT_EQ(units.exStyle, 0x8u);
  EXPECT_EQ(units.width, 170);
  EXPECT_EQ(units.height, 70);
  EXPECT_EQ(units.pointSize, 11);
  EXPECT_EQ(units.weight, 700);
  EXPECT_TRUE(units.italic);
  EXPECT_EQ(units.charset, 0x80);
  EXPECT_EQ(std::u16string(units.face), u"ＭＳ ゴシック");
  ASSERT_EQ(units.itemCount, 3);
  EXPECT_EQ(units.items[2].id, 1002u);
  EXPECT_EQ(units.items[2].x, 2);
  EXPECT_EQ(units.items[2].y, 4);
  EXPECT_EQ(units.items[2].width, 10);
  EXPECT_EQ(units.items[2].height, 12);
}

TEST(ReadDialogTemplate, ReadsThePlainLayout) {
  Bytes t;
  t.Dword(0x80C80040); t.Dword(0); t.Word(1);
  for (int v : {-1, 0, 184, 75}) t.Word(static_cast<unsigned>(v) & 0xFFFF);
  t.Word(0); t.Word(0); t.Text(u"About"); t.Word(10); t.Text(u"Face");
  t.Align();
  t.Dword(0x50000000); t.Dword(0);
  for (int v : {72, 55, 38, 14}) t.Word(static_cast<unsigned>(v));
  t.Word(1); t.Word(0xFFFF); t.Word(0x80); t.Text(u"OK"); t.Word(0);
  DialogTemplateUnits units;
  ASSERT_TRUE(Read(t.b, &units));
  EXPECT_EQ(units.x, -1);
  EXPECT_EQ(units.pointSize, 10);
  EXPECT_EQ(std::u16string(units.face), u"Face");
  ASSERT_EQ(units.itemCount, 1);
  EXPECT_EQ(units.items[0].id, 1u);
  EXPECT_EQ(units.items[0].x, 72);
}

TEST(ReadDialogTemplate, RefusesCutTemplatesAndTooManyControls) {
  std::string whole = ExtendedTemplate(3);
  DialogTemplateUnits units;
  for (size_t size = 0; size + 1 < whole.size(); ++size) {
    EXPECT_FALSE(Read(whole.substr(0, size), &units)) << size;
  }
  EXPECT_TRUE(Read(ExtendedTemplate(kMaxTemplateItems), &units));
  EXPECT_FALSE(Read(ExtendedTemplate(kMaxTemplateItems + 1), &units));
  EXPECT_FALSE(ReadDialogTemplate(nullptr, 10, &units));
}

}  // namespace
