// Loading the system's own libraries at run time: the help control and the
// newer services that an older Windows lacks.
#pragma once

#include <windows.h>

// Loads path without the system's error boxes for a file that is not a
// library.
HMODULE LoadLibraryQuietly(const wchar_t *path);

// Loads file from the system folder only: a library named without its folder
// would be found through the library search, which looks in the program's
// own folder and the current folder first.
HMODULE LoadSystemLibrary(const wchar_t *file);
