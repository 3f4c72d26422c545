// The editing rule of the keypad and function buttons.
#include "keypad_edit.h"

#include <utility>

#include "utf_conversion.h"

namespace {

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
  return id >= IDC_FIRST_KEYPAD_COMMAND && id <= IDC_LAST_KEYPAD_COMMAND && id != IDC_PI &&
         id != IDC_DEL;
}

// The text a button inserts: its caption without one trailing "&", and "("
// for the function buttons. insertion holds kKeypadTextSize characters; a
// caption that does not fit is taken as too long to insert (the length
// returned passes kMaxEntryLength).
std::size_t MakeInsertion(std::u16string_view caption, int id, char16_t *insertion) {
  if (!caption.empty() && caption.back() == u'&') caption.remove_suffix(1);
  if (caption.size() > kMaxEntryLength) return kMaxEntryLength + 1;
  std::size_t length = caption.copy(insertion, caption.size());
  if (IsFunctionButton(id)) insertion[length++] = u'(';
  return length;
}

// Copies text into edit->text and sets its length (text fits).
void SetEditText(KeypadEdit *edit, std::u16string_view text) {
  edit->textLength = text.copy(edit->text, text.size());
  edit->text[edit->textLength] = u'\0';
}

}  // namespace

KeypadEdit ApplyKeypadEdit(std::u16string_view text, int selStart, int selEnd,
                           std::u16string_view caption, int id) {
  if (text.size() > kKeypadTextSize - 1) text = text.substr(0, kKeypadTextSize - 1);
  KeypadEdit edit;
  edit.undoText = text;
  SetEditText(&edit, text);

  std::size_t s = LimitPosition(text, selStart);
  std::size_t e = LimitPosition(text, selEnd);
  if (s > e) std::swap(s, e);
  if (s == e && IsInsidePair(text, s)) {
    s -= 1;  // a caret goes before the pair
    e = s;
  }
  if (IsInsidePair(text, s)) s -= 1;  // a selection takes the whole pair
  if (IsInsidePair(text, e)) e += 1;

  if (id == IDC_CL) {
    edit.outcome = kKeypadUnchanged;
    edit.selectionStart = 0;
    edit.selectionEnd = static_cast<int>(e);
    return edit;
  }

  std::size_t tailStart = e;
  std::size_t headLength = s;
  char16_t insertion[kKeypadTextSize];
  std::size_t insertionLength = 0;
  if (id == IDC_DEL) {
    if (s == e && e < text.size()) tailStart += MeasureCharacterAfter(text, e);
  } else if (id == IDC_BS) {
    if (s == e && s > 0) headLength -= MeasureCharacterBefore(text, s);
  } else {
    insertionLength = MakeInsertion(caption, id, insertion);
  }

  std::size_t newLength = headLength + insertionLength + (text.size() - tailStart);
  if (insertionLength > 0 && newLength > kMaxEntryLength) {
    edit.outcome = kKeypadRefused;
    edit.selectionStart = static_cast<int>(s);
    edit.selectionEnd = static_cast<int>(e);
    return edit;
  }

  // newLength fits: at most the text's own length, or kMaxEntryLength.
  std::size_t at = text.copy(edit.text, headLength);
  for (std::size_t i = 0; i < insertionLength; ++i) edit.text[at++] = insertion[i];
  int caret = static_cast<int>(at);
  at += text.copy(edit.text + at, text.size() - tailStart, tailStart);
  edit.text[at] = u'\0';
  edit.textLength = at;
  edit.outcome = edit.Text() == text ? kKeypadUnchanged : kKeypadChanged;
  edit.selectionStart = caret;
  edit.selectionEnd = caret;
  return edit;
}
