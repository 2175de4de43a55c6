/*
 * titlepage.cpp: the title page, where the user chooses the root folder.
 */
#include "pelmor.h"

INT_PTR CALLBACK OpenTitleDlgProc(HWND hwndPage, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    if (uMessage == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
        EndDialog(hwndPage, IDCANCEL);
    return FALSE;
}
