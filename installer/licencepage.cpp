/*
 * licencepage.cpp: the agreement page, which accepts Install only once
 * the licence statement has been scrolled to its end.
 */
#include "pelmor.h"
#include "resource.h"

#include "../helperlib/msgkit.h"

int gnMaxTopLine;

/* Top line of the box from which on the statement counts as read. */
static const int gnReadTopLine = 160;

/* Set while an Install click is being checked: a click queued behind it
 * would otherwise be checked again from inside its message box. */
static int gbCheckingLicence;

/* The statement box's own window procedure, behind the page's. */
static WNDPROC gpfnLicenceBoxProc;

int IsLicenceReadToEnd(HWND hwndPage)
{
    int nTop = (int)SendMessageA(GetDlgItem(hwndPage, IDC_LICENCE), EM_GETFIRSTVISIBLELINE, 0, 0);
    if (nTop > gnMaxTopLine)
        gnMaxTopLine = nTop;
    if (gnMaxTopLine >= gnReadTopLine)
        return 1;
    myMessageBoxForLoadString(ghInstance, hwndPage, IDS_READ_LICENCE, IDS_CAPTION, MB_ICONWARNING);
    return 0;
}

/* The dialog manager selects all of an edit's text when it gives it the
 * focus (at opening, by Tab or Shift+Tab) if the edit asks for that, and
 * Wine then scrolls the box to its end, which Windows does not: the box
 * would show itself read.  The box asks for no selection and refuses a
 * request to select everything; and should its focus still move its
 * text (Wine's version 6 edit control does), the top line the user left
 * is kept.  So the box stays where the user scrolled it, on both. */
static LRESULT CALLBACK LicenceBoxProc(HWND hwndBox, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    if (uMessage == EM_SETSEL && wParam == 0 && lParam == -1)
        return 0;
    LRESULT lResult = CallWindowProcA(gpfnLicenceBoxProc, hwndBox, uMessage, wParam, lParam);
    if (uMessage == WM_GETDLGCODE)
        lResult &= ~(LRESULT)DLGC_HASSETSEL;
    return lResult;
}

static void SubclassLicenceBox(HWND hwndPage)
{
    HWND hwndBox = GetDlgItem(hwndPage, IDC_LICENCE);
    gpfnLicenceBoxProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwndBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LicenceBoxProc)));
}

INT_PTR CALLBACK OpenLicenceDlgProc(HWND hwndPage, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (uMessage) {
    case WM_INITDIALOG:
        cwCenter(NULL, hwndPage);
        HideWin(hwndPage, IDC_LICENCE_CANCEL);
        SubclassLicenceBox(hwndPage);
        SetDlgItemTextA(hwndPage, IDC_LICENCE, gszLicenceStatement);
        return FALSE;
    case WM_CLOSE:
        PostMessageA(hwndPage, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_INSTALL:
            if (gbCheckingLicence)
                break;
            gbCheckingLicence = 1;
            if (IsLicenceReadToEnd(hwndPage))
                EndDialog(hwndPage, IDC_INSTALL);
            gbCheckingLicence = 0;
            break;
        case IDC_LICENCE_SKIP:
            EndDialog(hwndPage, IDC_LICENCE_SKIP);
            break;
        case IDCANCEL:
        case IDC_LICENCE_CANCEL:
            EndDialog(hwndPage, IDCANCEL);
            break;
        }
        return FALSE;
    }
    return FALSE;
}
