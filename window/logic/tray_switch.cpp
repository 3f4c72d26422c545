#include "tray_switch.h"

bool HasTraySwitch(const wchar_t *commandLine) {
  if (commandLine == nullptr) return false;
  return (commandLine[0] == L'/' || commandLine[0] == L'-') &&
         (commandLine[1] == L't' || commandLine[1] == L'T');
}
