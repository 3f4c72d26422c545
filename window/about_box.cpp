#include "about_box.h"

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND: {
      // OK, Esc (cancel) and a click on the icon (identifier -1) close the box.
      WORD id = LOWORD(wParam);
      if (id == IDOK || id == IDCANCEL || id == 0xFFFF) {
        EndDialog(dialog, 1);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}
