#include "shell/about_dialog_win.h"

#include "resources/resource.h"
#include "common/dialog_win.h"

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE; // the focus goes to the Close button, the only tab stop
    case WM_COMMAND:
        // Esc arrives as IDCANCEL and is ignored on purpose: only Close and the caption close.
        if (LOWORD(wParam) == IDC_ABOUT_CLOSE) {
            EndDialog(dialog, 1);
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, 1);
        return FALSE;
    case WM_PAINT:
        paintNothing(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}
