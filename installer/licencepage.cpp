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

/* Posted to the page with the box's top line before it took the focus. */
#define WM_APP_KEEPTOP (WM_APP + 1)

/* The box's top line when the dialog manager last moved the focus. */
static int gnFocusTopLine;

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

/* Wine scrolls a multi-line edit to its end when the dialog manager
 * selects all its text to focus it (on opening and on Tab); Windows does
 * not.  The box is put back where it was, so only the user's own
 * scrolling counts. */
static void KeepTopLine(HWND hwndPage, int nTop)
{
    HWND hwndBox = GetDlgItem(hwndPage, IDC_LICENCE);
    /* A selected statement is hard to read: the caret goes to the top
     * line shown instead. */
    LRESULT lStart = SendMessageA(hwndBox, EM_LINEINDEX, (WPARAM)nTop, 0);
    if (lStart >= 0)
        SendMessageA(hwndBox, EM_SETSEL, (WPARAM)lStart, lStart);
    int nNow = (int)SendMessageA(hwndBox, EM_GETFIRSTVISIBLELINE, 0, 0);
    if (nNow != nTop)
        SendMessageA(hwndBox, EM_LINESCROLL, 0, (LPARAM)(nTop - nNow));
}

/* The dialog manager's way of focusing an edit, unlike a click in it. */
static int IsWholeTextSelected(HWND hwndBox)
{
    DWORD dwStart = 0;
    DWORD dwEnd = 0;
    SendMessageA(hwndBox, EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    return dwStart == 0 && (int)dwEnd == GetWindowTextLengthA(hwndBox);
}

INT_PTR CALLBACK OpenLicenceDlgProc(HWND hwndPage, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (uMessage) {
    case WM_INITDIALOG:
        cwCenter(NULL, hwndPage);
        HideWin(hwndPage, IDC_LICENCE_CANCEL);
        SetDlgItemTextA(hwndPage, IDC_LICENCE, gszLicenceStatement);
        return FALSE;
    case WM_CLOSE:
        PostMessageA(hwndPage, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_NEXTDLGCTL:
        /* Comes before the dialog manager selects the box's text. */
        gnFocusTopLine = (int)SendDlgItemMessageA(hwndPage, IDC_LICENCE, EM_GETFIRSTVISIBLELINE, 0, 0);
        return FALSE;
    case WM_APP_KEEPTOP:
        KeepTopLine(hwndPage, (int)wParam);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_INSTALL:
            if (IsLicenceReadToEnd(hwndPage))
                EndDialog(hwndPage, IDC_INSTALL);
            break;
        case IDC_LICENCE_SKIP:
            EndDialog(hwndPage, IDC_LICENCE_SKIP);
            break;
        case IDCANCEL:
        case IDC_LICENCE_CANCEL:
            EndDialog(hwndPage, IDCANCEL);
            break;
        case IDC_LICENCE:
            if (HIWORD(wParam) == EN_SETFOCUS && IsWholeTextSelected(GetDlgItem(hwndPage, IDC_LICENCE)))
                PostMessageA(hwndPage, WM_APP_KEEPTOP, (WPARAM)gnFocusTopLine, 0);
            break;
        }
        return FALSE;
    }
    return FALSE;
}
