#include "dialog_template.h"

namespace {

constexpr std::uint32_t kSetFont = 0x40;  // DS_SETFONT, also part of DS_SHELLFONT

// A little-endian reader that never passes the end: once a read would, it
// stays failed and every later read gives 0.
struct Cursor {
  const unsigned char *bytes;
  std::size_t size;
  std::size_t at;
  bool failed;

  bool Has(std::size_t count) {
    if (failed || count > size - at) failed = true;
    return !failed;
  }
  unsigned Word() {
    if (!Has(2)) return 0;
    unsigned value = bytes[at] | (bytes[at + 1] << 8);
    at += 2;
    return value;
  }
  std::uint32_t Dword() {
    std::uint32_t low = Word();
    return low | (static_cast<std::uint32_t>(Word()) << 16);
  }
  int Short() { return static_cast<std::int16_t>(Word()); }
  unsigned Byte() {
    if (!Has(1)) return 0;
    return bytes[at++];
  }
  // The items start on 4-byte boundaries of the template.
  void AlignDword() {
    std::size_t padding = (4 - at % 4) % 4;
    if (Has(padding)) at += padding;
  }
  // A NUL-terminated UTF-16 string; its first count - 1 units are kept.
  void String(char16_t *out, std::size_t count) {
    std::size_t kept = 0;
    for (unsigned unit = Word(); unit != 0 && !failed; unit = Word()) {
      if (out != nullptr && kept + 1 < count) out[kept++] = static_cast<char16_t>(unit);
    }
    if (out != nullptr && count > 0) out[kept] = u'\0';
  }
  // A name or an ordinal: 0xFFFF and a number, or a string.
  void NameOrOrdinal() {
    if (!Has(2)) return;
    unsigned first = bytes[at] | (bytes[at + 1] << 8);
    if (first == 0xFFFF) {
      at += 2;
      Word();
    } else {
      String(nullptr, 0);
    }
  }
};

}  // namespace

bool ReadDialogTemplate(const unsigned char *bytes, std::size_t size, DialogTemplateUnits *out) {
  if (bytes == nullptr || out == nullptr) return false;
  Cursor in = {bytes, size, 0, false};
  *out = {};
  // Version 1 and the signature 0xFFFF: the extended layout.
  if (in.Dword() != 0xFFFF0001u) return false;
  in.Dword();  // help id
  in.Dword();  // extended style
  std::uint32_t style = in.Dword();
  unsigned count = in.Word();
  in.Short();  // x
  in.Short();  // y
  out->width = in.Short();
  out->height = in.Short();
  in.NameOrOrdinal();  // menu
  in.NameOrOrdinal();  // class
  in.String(nullptr, 0);  // title
  if ((style & kSetFont) != 0) {
    out->pointSize = static_cast<int>(in.Word());
    out->weight = static_cast<int>(in.Word());
    out->italic = in.Byte() != 0;
    out->charset = static_cast<int>(in.Byte());
    in.String(out->face, kTemplateFaceSize);
  }
  if (in.failed || count > kMaxTemplateItems) return false;
  for (unsigned i = 0; i < count; ++i) {
    TemplateItem &item = out->items[i];
    in.AlignDword();
    in.Dword();  // help id
    in.Dword();  // extended style
    in.Dword();  // style
    item.x = in.Short();
    item.y = in.Short();
    item.width = in.Short();
    item.height = in.Short();
    item.id = in.Dword();
    in.NameOrOrdinal();  // class
    in.NameOrOrdinal();  // text
    unsigned extra = in.Word();
    if (in.Has(extra)) in.at += extra;
    if (in.failed) return false;
  }
  out->itemCount = static_cast<int>(count);
  return true;
}
