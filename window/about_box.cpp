#include "about_box.h"

#include "theme.h"

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      if (IsDarkLookInForce()) ApplyDarkCaption(dialog, true);
      return TRUE;
    // A dialog procedure answers these with the brush itself; FALSE (no
    // brush) leaves the system's colours.
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(ColorDarkControl(reinterpret_cast<HDC>(wParam), false));
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (!DrawDarkButton(reinterpret_cast<const NMHDR *>(lParam), &result)) return FALSE;
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
      return TRUE;
    }
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
