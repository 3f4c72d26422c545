// The window side's text logic allocates nothing: with operator new counted
// (allocation_counter.cpp), loading slot lines, keypad edits and clock titles
// run between two readings of the counter.
#include <gtest/gtest.h>

#include <string>

#include "allocation_counter.h"
#include "clock_text.h"
#include "engine.h"
#include "keypad_edit.h"
#include "slot_text.h"
#include "utf_conversion.h"

namespace {

TEST(WindowLogicAllocation, SlotLinesKeypadEditsAndClockTitlesAllocateNothing) {
  const std::u16string expressions[] = {u"", u"1+2", u"SIN(30)*2+A ' 角度は度", u"\U0001F600x",
                                        std::u16string(300, u'9')};
  const std::string results[] = {"3.", "文法ｴﾗ-です", "\xF0\x9F\x98\x80", "\xC0\xAF"};
  const int buttons[] = {'7', 1015, 1017, 1032, 1033, 1034, '&'};
  long before = CountAllocations();
  std::size_t total = 0;
  for (int round = 0; round < 50; ++round) {
    for (const std::u16string &expression : expressions) {
      char16_t item[kListItemSize];
      total += BuildListItem(round % kSlotCount, expression, item, kListItemSize);
      total += GetListItemExpression(std::u16string_view(item)).size();
      char line[kLineBufferSize];
      total += BuildEngineLine(round % kSlotCount, expression, line, sizeof line);
      for (int id : buttons) {
        KeypadEdit edit = ApplyKeypadEdit(expression, round % 7, round % 5, u"SIN", id);
        total += edit.textLength;
      }
    }
    for (const std::string &result : results) {
      char16_t text[256];
      total += ConvertUtf8ToUtf16(result, text, 256);
    }
    char16_t title[kMaxClockTitleLength + 1];
    total += FormatClockTitle(u"関数電卓 Vex", {2002, 3, 5, round % 7, 9, round}, title,
                              kMaxClockTitleLength + 1);
  }
  EXPECT_EQ(CountAllocations() - before, 0);
  EXPECT_GT(total, 0u);
}

}  // namespace
