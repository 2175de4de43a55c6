/*
 * licencepage.cpp: the agreement page with the licence statement.
 */
#include "pelmor.h"

int gnMaxTopLine;

INT_PTR CALLBACK OpenLicenceDlgProc(HWND hwndPage, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    if (uMessage == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
        EndDialog(hwndPage, IDCANCEL);
    return FALSE;
}
