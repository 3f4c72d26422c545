#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_template.h"

namespace {

// An extended template as the resource compiler lays it out (little-endian),
// DS_SETFONT, with count buttons: the i-th at (i, 2i), 10 x 12, id 1000 + i.
std::string ExtendedTemplate(unsigned count) {
  std::string b;
  auto word = [&b](unsigned v) { b += static_cast<char>(v & 0xFF); b += static_cast<char>(v >> 8); };
  auto text = [&word](const std::u16string &s) { for (char16_t c : s) word(c); word(0); };
  for (unsigned v : {1u, 0xFFFFu, 0u, 0u, 8u, 0u, 0x40u, 0xC8u, count, 0u, 0u, 170u, 70u, 0u}) word(v);
  text(u"VexClass300");
  text(u"vex");
  for (unsigned v : {11u, 700u, 0x8001u}) word(v);  // points, weight, italic 1 and charset 0x80
  text(u"ＭＳ ゴシック");
  for (unsigned i = 0; i < count; ++i) {
    while (b.size() % 4 != 0) b += '\0';
    for (unsigned v : {0u, 0u, 0u, 0u, 0u, 0x5001u, i, 2 * i, 10u, 12u, 1000 + i, 0u, 0xFFFFu, 0x80u}) word(v);
    text(u"7");
    word(0);  // no creation data
  }
  return b;
}

bool Read(const std::string &bytes, DialogTemplateUnits *units) {
  return ReadDialogTemplate(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(), units);
}

// The real template is read under Wine, where the window is laid out from it
// again at every resolution the tests know (tests/window/dpi_test.cpp).
TEST(ReadDialogTemplate, ReadsTheFontTheSizeAndEveryControl) {
  DialogTemplateUnits units;
  ASSERT_TRUE(Read(ExtendedTemplate(3), &units));
  EXPECT_EQ((std::vector<int>{units.width, units.height, units.pointSize, units.weight, units.italic, units.charset}),
            (std::vector<int>{170, 70, 11, 700, 1, 0x80}));
  EXPECT_EQ(std::u16string(units.face), u"ＭＳ ゴシック");
  ASSERT_EQ(units.itemCount, 3);
  const TemplateItem &last = units.items[2];
  EXPECT_EQ((std::vector<int>{static_cast<int>(last.id), last.x, last.y, last.width, last.height}),
            (std::vector<int>{1002, 2, 4, 10, 12}));
}

TEST(ReadDialogTemplate, RefusesCutOrPlainTemplatesAndTooManyControls) {
  std::string whole = ExtendedTemplate(3);
  DialogTemplateUnits units;
  for (size_t size = 0; size < whole.size(); ++size) {
    EXPECT_FALSE(Read(whole.substr(0, size), &units)) << size;
  }
  EXPECT_FALSE(Read(std::string("\x40\0\xC8\0", 4) + whole.substr(4), &units));  // a plain DLGTEMPLATE
  EXPECT_TRUE(Read(ExtendedTemplate(kMaxTemplateItems), &units));
  EXPECT_FALSE(Read(ExtendedTemplate(kMaxTemplateItems + 1), &units));
  EXPECT_FALSE(ReadDialogTemplate(nullptr, 10, &units));
}

}  // namespace
