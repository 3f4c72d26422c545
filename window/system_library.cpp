#include "system_library.h"

#include <cwchar>

#include "app_state.h"

HMODULE LoadLibraryQuietly(const wchar_t *path) {
  UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryW(path);
  SetErrorMode(oldMode);
  return module;
}

HMODULE LoadSystemLibrary(const wchar_t *file) {
  wchar_t path[kPathSize];
  UINT length = GetSystemDirectoryW(path, kPathSize);
  if (length == 0 || length >= static_cast<UINT>(kPathSize)) return nullptr;
  size_t fileLength = wcslen(file);
  if (path[length - 1] != L'\\') {
    if (length + 1 >= static_cast<UINT>(kPathSize)) return nullptr;
    path[length++] = L'\\';
  }
  if (length + fileLength >= static_cast<size_t>(kPathSize)) return nullptr;
  wmemcpy(path + length, file, fileLength + 1);
  return LoadLibraryQuietly(path);
}
