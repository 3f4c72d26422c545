// The command line's one switch. Portable: no platform header, tested
// natively.
#pragma once

// The command-line switch for tray mode: "/t" or "-t", either case, at the
// very start of the text. A null text is no switch.
bool HasTraySwitch(const wchar_t *commandLine);
