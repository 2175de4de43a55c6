/*
 * dialogs.cpp: placing, showing and filling the controls of a dialog.
 */
#include "basekit.h"

int cwCenter(HWND hwndParent, HWND hwnd)
{
    RECT rcArea;
    RECT rcWindow;
    if (hwndParent != NULL && IsWindowVisible(hwndParent))
        GetWindowRect(hwndParent, &rcArea);
    else if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0))
        SetRect(&rcArea, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (!GetWindowRect(hwnd, &rcWindow))
        return 0;
    int cx = rcWindow.right - rcWindow.left;
    int cy = rcWindow.bottom - rcWindow.top;
    int x = rcArea.left + ((rcArea.right - rcArea.left) - cx) / 2;
    int y = rcArea.top + ((rcArea.bottom - rcArea.top) - cy) / 2;
    /* Keep the caption on the screen when the window is bigger. */
    if (x < rcArea.left)
        x = rcArea.left;
    if (y < rcArea.top)
        y = rcArea.top;
    return SetWindowPos(hwnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
}

int GetPositionInWindow(HWND hwnd, HWND hwndParent, int *pnRect)
{
    RECT rc;
    pnRect[0] = pnRect[1] = pnRect[2] = pnRect[3] = 0;
    if (hwnd == NULL || !GetWindowRect(hwnd, &rc))
        return 0;
    MapWindowPoints(NULL, hwndParent, reinterpret_cast<POINT *>(&rc), 2);
    pnRect[0] = rc.left;
    pnRect[1] = rc.top;
    pnRect[2] = rc.right;
    pnRect[3] = rc.bottom;
    return 1;
}

WINPLACE HideWin(HWND hwndDialog, int nId)
{
    WINPLACE place = {0, 0, 0, 0};
    int anRect[4];
    HWND hwnd = GetDlgItem(hwndDialog, nId);
    if (hwnd == NULL)
        return place;
    GetPositionInWindow(hwnd, hwndDialog, anRect);
    place.x = anRect[0];
    place.y = anRect[1];
    place.cx = anRect[2] - anRect[0];
    place.cy = anRect[3] - anRect[1];
    ShowWindow(hwnd, SW_HIDE);
    return place;
}

int myEnableWindow(HWND hwnd, int bEnable)
{
    if (hwnd == NULL)
        return -1;
    /* EnableWindow answers whether the window was disabled before. */
    return EnableWindow(hwnd, bEnable ? TRUE : FALSE) ? 0 : 1;
}

HWND myGetDlgItem(HWND hwndDialog, int nId)
{
    return GetDlgItem(hwndDialog, nId);
}

int SetReversedInEdit(HWND hwndDialog, int nId)
{
    HWND hwndEdit = GetDlgItem(hwndDialog, nId);
    if (hwndEdit == NULL)
        return 0;
    SetFocus(hwndEdit);
    SendMessageA(hwndEdit, EM_SETSEL, 0, -1);
    return 1;
}

int myPlaceStringInEdit(HWND hwndDialog, int nId, const char *pszText)
{
    HWND hwndEdit = GetDlgItem(hwndDialog, nId);
    if (hwndEdit == NULL)
        return 0;
    SetWindowTextA(hwndEdit, pszText);
    int cch = GetWindowTextLengthA(hwndEdit);
    SendMessageA(hwndEdit, EM_SETSEL, (WPARAM)cch, (LPARAM)cch);
    return 1;
}
