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
inline constexpr wchar_t kKeyTheme[] = L"Theme";  // light, dark or following the system: theme_choice.h

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
inline constexpr wchar_t kDefaultThemeText[] = L"system";  // follow the system

// --- Values ---

// A settings value converted like atoi (used for "Radix" and every integer key): leading blanks, an optional sign,
// decimal digits; anything else ends the number; no digits gives 0. Values
// beyond the int range stop growing at its limits. A null text gives 0.
int ConvertIntegerText(const wchar_t *text);

// True when text is lowerWord in any mix of cases ("En", "DARK"). ASCII
// only: the profile's own case folding of other scripts never matters.
bool IsSettingWord(const wchar_t *text, const wchar_t *lowerWord);

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

// --- Where the settings file lives ---

// File times count 100-nanosecond steps (the platform's file times). FAT
// keeps write times to 2 seconds, so a file counts as written later only when
// it is more than that ahead.
inline constexpr long long kSettingsTimeSlack = 2LL * 10000000;

// What is found at start about the two places of the settings file: the file
// beside the program (the folder file) and the one in the user's own
// application-data folder (the per-user file).
struct SettingsPlaceFacts {
  bool folderFileWritable;  // can be written, and is (or could be made) UTF-16
  bool folderFileExists;    // a file (not a folder) of that name stands beside the program
  long long folderFileTime; // its last write
  bool userPlaceUsable;     // the per-user file can be named and its folder had
  bool userFileExists;
  long long userFileTime;
  long long now;            // the clock at start: later write times are not believed
  bool storeFileExists;     // the virtual store's copy of the folder file (earlier versions' writes)
  long long storeFileTime;
};

enum class SettingsPlace { kBesideProgram, kUserFolder };

struct SettingsPlaceChoice {
  SettingsPlace place;   // the file read and written from now on
  bool bringOther;       // the other place holds a file written later: its content comes here first
  bool retireUserFile;   // the per-user file is removed once brought back beside the program
  bool writable;         // false: nothing can be written; place names the newer file, only read
  bool fromStore;        // the folder's side is the virtual store's copy (brought or read, never written)
};

// The folder file while it can be written (portable use stays as it is),
// else the per-user file. Whichever is chosen, a file written later in the
// other place is brought over first, so the newest settings always win; the
// per-user file brought back beside the program is retired, so that it never
// overrules a vex.ini put there later. With no place to write, the newer of
// the two is read. A write time after now (and its slack) counts as equal to
// the other's, and the place decides. While the folder file cannot be
// written, a virtual-store copy written later than it stands for it.
SettingsPlaceChoice ChooseSettingsPlace(const SettingsPlaceFacts &facts);

// Which file stands for this folder's per-user file before it exists.
enum class UserFileSource {
  kOwn,      // the per-user file itself (or nothing yet)
  kOldMark,  // its name as marked from the path as the system first gave it (an 8.3 form)
  kShared,   // the one vex.ini all copies of the previous version shared
};

// The per-user file when it exists; else the file under the old mark; the
// shared file only while neither a folder-side file (the folder file, its
// backup or its virtual-store copy) nor a per-user file exists, so that a
// newer shared file never overrules a folder's own settings.
UserFileSource ChooseUserFileSource(bool ownExists, bool oldMarkExists, bool sharedExists,
                                    bool folderSideExists);

// A replace cut off between its two renames leaves no settings file and
// its content in the backup: restored at start. A backup beside a whole
// file is a leftover the next replace removes.
bool ShouldRestoreSettingsBackup(bool fileExists, bool backupExists);

// The per-user file's name for the folder file at folderFile (a full path):
// its own name with a mark of its folder, "vex-1A2B3C4D.ini" for
// C:\Tools\vex.ini, so each copy of the program keeps its own settings. The
// mark is stable and ignores the case of ASCII letters. False (and "") when
// the result does not fit in size characters or folderFile has no folder.
bool FormUserSettingsName(const wchar_t *folderFile, wchar_t *out, std::size_t size);
