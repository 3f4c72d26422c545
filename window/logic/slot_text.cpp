// Texts of the 26 slots.
#include "slot_text.h"

#include "utf_conversion.h"

namespace {

bool IsCommentCharacter(char c) { return c == '\'' || c == ':' || c == ';'; }

// After a cut: makes sure a kept text that is plain ASCII up to its end (no
// comment, no other character) cannot pass for a whole expression.
void MarkCutExpression(char *expression, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    unsigned char b = static_cast<unsigned char>(expression[i]);
    if (IsCommentCharacter(expression[i]) || b >= 0x80) return;
  }
  if (length > 0) expression[length - 1] = '?';
}

}  // namespace

char16_t GetSlotLetter(int slot) {
  if (slot < 0) slot = 0;
  if (slot >= kSlotCount) slot = kSlotCount - 1;
  return static_cast<char16_t>(u'A' + slot);
}

std::u16string_view LimitSlotExpression(std::u16string_view expression) {
  if (expression.size() <= kMaxSlotExpressionLength) return expression;
  std::size_t length = kMaxSlotExpressionLength;
  if (IsHighSurrogate(expression[length - 1]) &&
      IsLowSurrogate(expression[length]))
    length -= 1;
  return expression.substr(0, length);
}

std::size_t BuildListItem(int slot, std::u16string_view expression, char16_t *item,
                          std::size_t itemSize) {
  if (itemSize == 0) return 0;
  std::size_t length = 0;
  if (itemSize > 2) {
    item[length++] = GetSlotLetter(slot);
    item[length++] = kSlotMarker;
    expression = LimitSlotExpression(expression);
    std::size_t room = itemSize - 1 - length;
    if (expression.size() > room) {
      std::size_t kept = room;
      if (kept > 0 && IsHighSurrogate(expression[kept - 1])) kept -= 1;
      expression = expression.substr(0, kept);
    }
    length += expression.copy(item + length, expression.size());
  }
  item[length] = u'\0';
  return length;
}

bool IsListItem(std::u16string_view text) {
  return text.size() >= 2 && text[1] == kSlotMarker;
}

std::u16string_view GetListItemExpression(std::u16string_view item) {
  if (!IsListItem(item)) return {};
  return item.substr(2);
}

std::size_t BuildEngineLine(int slot, std::u16string_view expression,
                            char *line, std::size_t lineSize) {
  if (lineSize == 0) return 0;
  if (lineSize < 4) {
    line[0] = '\0';
    return 0;
  }
  line[0] = static_cast<char>(GetSlotLetter(slot));
  line[1] = '=';
  line[2] = ' ';
  bool cut = false;
  std::size_t length = ConvertUtf16ToUtf8(LimitSlotExpression(expression),
                                          line + 3, lineSize - 3, &cut);
  if (cut) MarkCutExpression(line + 3, length);
  return 3 + length;
}

std::uint32_t MakeSelection(std::uint32_t start, std::uint32_t end) {
  return (start & 0xFFFF) | ((end & 0xFFFF) << 16);
}

std::uint32_t GetSelectionStart(std::uint32_t selection) {
  return selection & 0xFFFF;
}

std::uint32_t GetSelectionEnd(std::uint32_t selection) {
  return selection >> 16;
}

std::uint32_t MakeCaretFromStop(int stop) {
  std::uint32_t caret = static_cast<std::uint32_t>(stop) - 1u;
  return MakeSelection(caret, caret);
}
