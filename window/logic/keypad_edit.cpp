// The editing rule of the keypad and function buttons.
#include "keypad_edit.h"

#include <utility>

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// True when pos lies between the two halves of a surrogate pair.
bool IsInsidePair(std::u16string_view text, std::size_t pos) {
  return pos > 0 && pos < text.size() && IsHighSurrogate(text[pos - 1]) &&
         IsLowSurrogate(text[pos]);
}

std::size_t LimitPosition(std::u16string_view text, int pos) {
  if (pos < 0 || static_cast<std::size_t>(pos) > text.size())
    return text.size();
  return static_cast<std::size_t>(pos);
}

// Length of the character that ends at pos (1, or 2 for a surrogate pair).
std::size_t MeasureCharacterBefore(std::u16string_view text, std::size_t pos) {
  return pos >= 2 && IsInsidePair(text, pos - 1) ? 2 : 1;
}

// Length of the character that starts at pos (1, or 2 for a surrogate pair).
std::size_t MeasureCharacterAfter(std::u16string_view text, std::size_t pos) {
  return IsInsidePair(text, pos + 1) ? 2 : 1;
}

bool IsFunctionButton(int id) {
  return id >= kFirstFunctionId && id <= kLastFunctionId && id != kButtonPi &&
         id != kButtonDelete;
}

// The text a button inserts: its caption without one trailing "&", and "("
// for the function buttons.
std::u16string MakeInsertion(std::u16string_view caption, int id) {
  std::u16string insertion(caption);
  if (!insertion.empty() && insertion.back() == u'&') insertion.pop_back();
  if (IsFunctionButton(id)) insertion += u'(';
  return insertion;
}

}  // namespace

KeypadEdit ApplyKeypadEdit(std::u16string_view text, int selStart, int selEnd,
                           std::u16string_view caption, int id) {
  KeypadEdit edit;
  edit.undoText = std::u16string(text);
  edit.text = std::u16string(text);

  std::size_t s = LimitPosition(text, selStart);
  std::size_t e = LimitPosition(text, selEnd);
  if (s > e) std::swap(s, e);
  if (s == e && IsInsidePair(text, s)) {
    s -= 1;  // a caret goes before the pair
    e = s;
  }
  if (IsInsidePair(text, s)) s -= 1;  // a selection takes the whole pair
  if (IsInsidePair(text, e)) e += 1;

  if (id == kButtonClear) {
    edit.outcome = kKeypadUnchanged;
    edit.selectionStart = 0;
    edit.selectionEnd = static_cast<int>(e);
    return edit;
  }

  std::size_t tailStart = e;
  std::size_t headLength = s;
  std::u16string insertion;
  if (id == kButtonDelete) {
    if (s == e && e < text.size()) tailStart += MeasureCharacterAfter(text, e);
  } else if (id == kButtonBackspace) {
    if (s == e && s > 0) headLength -= MeasureCharacterBefore(text, s);
  } else {
    insertion = MakeInsertion(caption, id);
  }

  std::size_t newLength = headLength + insertion.size() + (text.size() - tailStart);
  if (!insertion.empty() && newLength > kMaxEntryLength) {
    edit.outcome = kKeypadRefused;
    edit.selectionStart = static_cast<int>(s);
    edit.selectionEnd = static_cast<int>(e);
    return edit;
  }

  edit.text = std::u16string(text.substr(0, headLength));
  edit.text += insertion;
  int caret = static_cast<int>(edit.text.size());
  edit.text += text.substr(tailStart);
  edit.outcome = edit.text == text ? kKeypadUnchanged : kKeypadChanged;
  edit.selectionStart = caret;
  edit.selectionEnd = caret;
  return edit;
}
