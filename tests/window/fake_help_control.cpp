// A stand-in for the HTML Help control, for the help launcher's tests: its
// entry point records the call and answers with a recognisable handle. The
// exports and their ordinals come from the .def files.
#include <windows.h>

#include <cwchar>

struct FakeHelpCall {
  int count;
  HWND caller;
  wchar_t file[MAX_PATH];
  UINT command;
  DWORD_PTR data;
};

static FakeHelpCall lastCall;

extern "C" HWND WINAPI FakeHtmlHelpW(HWND caller, const wchar_t *file,
                                                           UINT command, DWORD_PTR data) {
  ++lastCall.count;
  lastCall.caller = caller;
  lastCall.file[0] = L'\0';
  if (file != nullptr) {
    wcsncpy(lastCall.file, file, MAX_PATH - 1);
    lastCall.file[MAX_PATH - 1] = L'\0';
  }
  lastCall.command = command;
  lastCall.data = data;
  return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x5EC0));
}

extern "C" const FakeHelpCall *WINAPI FakeHelpLastCall() {
  return &lastCall;
}
