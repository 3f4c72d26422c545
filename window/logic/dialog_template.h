// Reads the geometry out of a dialog template resource in the extended
// layout (DLGTEMPLATEEX, what DIALOGEX compiles to): the font, the window's
// size and every control's id and rectangle in dialog units. The main window
// is laid out again from these numbers when its resolution changes, so the
// template stays the one description of the layout.
//
// Portable: no platform header. Every read is checked against the size.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int kMaxTemplateItems = 64;
inline constexpr int kTemplateFaceSize = 32;  // as LF_FACESIZE, with the terminator

struct TemplateItem {
  std::uint32_t id;
  int x, y, width, height;
};

struct DialogTemplateUnits {
  int width, height;
  int pointSize;  // 0 without DS_SETFONT
  int weight;
  bool italic;
  int charset;
  char16_t face[kTemplateFaceSize];  // cut to fit, always terminated
  int itemCount;
  TemplateItem items[kMaxTemplateItems];
};

// False (and *out unspecified) when the bytes are not an extended template,
// end early or hold more items than kMaxTemplateItems.
bool ReadDialogTemplate(const unsigned char *bytes, std::size_t size, DialogTemplateUnits *out);
