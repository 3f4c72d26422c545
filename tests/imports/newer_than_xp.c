/* Imports GetTickCount64, which Windows XP's kernel32.dll does not export. */
#include <windows.h>

int main(void) { return (int)(GetTickCount64() & 1); }
