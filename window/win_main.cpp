// The entry point of vex.exe. Everything else lives in the vex_window library,
// which the in-process tests link as well.
#include <windows.h>

#include "startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
  return RunProgram(instance, commandLine, showCommand);
}
