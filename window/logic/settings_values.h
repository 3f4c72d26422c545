// The settings file's vocabulary: its sections, keys and their defaults,
// and the pure conversions and rules for the values read from it.
// Portable: no platform headers, so they are tested natively as well.
#pragma once

#include <cstddef>

// --- Sections, keys and defaults ---

inline constexpr wchar_t kOptionsSection[] = L"Vex";
inline constexpr wchar_t kSlotsSection[] = L"Data";  // keys "A" to "Z"

inline constexpr wchar_t kKeyWx[] = L"Wx";        // left edge of the window
inline constexpr wchar_t kKeyWy[] = L"Wy";        // top edge
inline constexpr wchar_t kKeyTop[] = L"Top";      // always on top
inline constexpr wchar_t kKeyView[] = L"View";    // 0-3
inline constexpr wchar_t kKeyTime[] = L"Time";    // clock in the title
inline constexpr wchar_t kKeyTbar[] = L"Tbar";    // start in the tray (never written)
inline constexpr wchar_t kKeyBeep[] = L"Beep";    // sounds
inline constexpr wchar_t kKeyCbo[] = L"Cbo";      // current slot 0-25
inline constexpr wchar_t kKeyDeg[] = L"Deg";      // degree mode
inline constexpr wchar_t kKeyRadix[] = L"Radix";  // output radix, read as text
inline constexpr wchar_t kKeyLang[] = L"Lang";    // interface language: language_choice.h

// The values used when a key is absent, and at the start of the program.
constexpr int kDefaultPosition = -1;   // Wx, Wy
constexpr int kDefaultTop = 0;
constexpr int kDefaultView = 3;
constexpr int kDefaultTime = 1;
constexpr int kDefaultTbar = 0;
constexpr int kDefaultBeep = 1;
constexpr int kDefaultSlot = 0;        // Cbo
constexpr int kDefaultDeg = 0;
constexpr int kDefaultRadix = 10;
inline constexpr wchar_t kDefaultRadixText[] = L"10";

// --- Values ---

// A settings value converted like atoi (used for "Radix" and every integer key): leading blanks, an optional sign,
// decimal digits; anything else ends the number; no digits gives 0. Values
// beyond the int range stop growing at its limits. A null text gives 0.
int ConvertIntegerText(const wchar_t *text);

// View outside 0-3 falls back to 3.
int CheckView(int view);

// A slot index outside 0-25 falls back to 0 (slot A).
int CheckSlotIndex(int slot);

// The output radixes the program offers, in the order of the Radix popup's
// items and of the next-radix command.
inline constexpr int kRadixChoices[4] = {2, 8, 10, 16};

// The radix results are written in: the stored radix when it is 2, 8, 10 or
// 16, otherwise 10. Never below 2.
int OutputRadix(int radix);

// A rectangle on the screen: left and top inside, right and bottom outside.
struct ScreenRect {
  int left;
  int top;
  int right;
  int bottom;
};

// The start-up position rule: the stored position (wx, wy) is used only when
// it lies on some monitor M of the list, at least 16 pixels inside its right
// and bottom edges: M.left <= wx < M.right - 16 and M.top <= wy < M.bottom -
// 16. With the one screen at (0, 0) this is: both coordinates at least 0 and
// more than 16 pixels left of the right edge and above the bottom edge. An
// empty list (or a null one) makes no position usable.
bool IsStoredPositionUsable(int wx, int wy, const ScreenRect *monitors, std::size_t count);

// The command-line switch for tray mode: "/t" or "-t", either case, at the
// very start of the text. A null text is no switch.
bool HasTraySwitch(const wchar_t *commandLine);

// --- Where the settings file lives ---

// What is found at start about the two places of the settings file: the file
// beside the program (the folder file) and the one in the user's own
// application-data folder (the per-user file).
struct SettingsPlaceFacts {
  bool folderFileWritable;  // an existing folder file opens for writing, or a new one can be made there
  bool folderFileExists;    // a file (not a folder) of that name stands beside the program
  bool userFolderReady;     // the per-user folder exists or was made, and its file can be named
  bool userFileExists;
};

enum class SettingsPlace { kBesideProgram, kUserFolder };

struct SettingsPlaceChoice {
  SettingsPlace place;
  bool copyFirst;  // copy the folder file to the per-user place before using it
  bool writable;   // false: no place can be written; the folder file is still read
};

// The folder file while it can be written (portable use stays as it is);
// otherwise the per-user file, copied from the folder file first when only the
// folder file exists (so its slots come along); when the per-user folder
// cannot be had either, the folder file, marked as not writable.
SettingsPlaceChoice ChooseSettingsPlace(const SettingsPlaceFacts &facts);

// --- Encodings of an existing settings file ---

enum class SettingsEncoding {
  kUtf16,  // starts with a UTF-16 byte-order mark (either byte order): left as it is
  kUtf8,   // starts with the UTF-8 byte-order mark
  kCp932,  // anything else: the 8-bit form (code page 932) of earlier versions
};

// The encoding told by the first bytes of a file (count of them, any number);
// *markLength receives the length of the byte-order mark to skip (0, 2 or 3).
SettingsEncoding DetectSettingsEncoding(const unsigned char *bytes, size_t count, size_t *markLength);

// How many of the count bytes, read from a character boundary on, form whole
// characters of the 8-bit encoding (kCp932 or kUtf8): count, or count less the
// start of a character cut off at the end (at most 3 bytes), which belongs
// to the next piece read. Undecodable bytes count as whole characters.
size_t CountWholeCharacterBytes(SettingsEncoding encoding, const unsigned char *bytes, size_t count);
