/*
 * bitmaps.cpp: a bitmap resource scaled to a frame, and drawn centred in
 * it.
 */
#include "basekit.h"

HBITMAP ShrinkBitmap(HINSTANCE hInstance, HWND hwnd, int nFlags, int cx, int cy, int nId)
{
    (void)nFlags;
    if (cx <= 0 || cy <= 0)
        return NULL;
    HBITMAP hSource = static_cast<HBITMAP>(
        LoadImageA(hInstance, MAKEINTRESOURCEA(nId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (hSource == NULL)
        return NULL;
    BITMAP bm;
    GetObjectA(hSource, sizeof bm, &bm);

    /* Keep the picture's proportions; never enlarge it. */
    int cxTarget = bm.bmWidth;
    int cyTarget = bm.bmHeight;
    if (cxTarget > cx || cyTarget > cy) {
        if ((long long)bm.bmWidth * cy > (long long)bm.bmHeight * cx) {
            cxTarget = cx;
            cyTarget = (int)((long long)bm.bmHeight * cx / bm.bmWidth);
        } else {
            cyTarget = cy;
            cxTarget = (int)((long long)bm.bmWidth * cy / bm.bmHeight);
        }
    }
    if (cxTarget < 1)
        cxTarget = 1;
    if (cyTarget < 1)
        cyTarget = 1;

    HDC hdcWindow = GetDC(hwnd);
    HDC hdcSource = CreateCompatibleDC(hdcWindow);
    HDC hdcTarget = CreateCompatibleDC(hdcWindow);
    HBITMAP hTarget = CreateCompatibleBitmap(hdcWindow, cxTarget, cyTarget);
    if (hTarget != NULL) {
        HGDIOBJ hOldSource = SelectObject(hdcSource, hSource);
        HGDIOBJ hOldTarget = SelectObject(hdcTarget, hTarget);
        SetStretchBltMode(hdcTarget, HALFTONE);
        SetBrushOrgEx(hdcTarget, 0, 0, NULL);
        StretchBlt(hdcTarget, 0, 0, cxTarget, cyTarget, hdcSource, 0, 0, bm.bmWidth, bm.bmHeight,
                   SRCCOPY);
        SelectObject(hdcSource, hOldSource);
        SelectObject(hdcTarget, hOldTarget);
    }
    DeleteDC(hdcSource);
    DeleteDC(hdcTarget);
    ReleaseDC(hwnd, hdcWindow);
    DeleteObject(hSource);
    return hTarget;
}

int MoveBmpAtCenter(HWND hwndDialog, HDC hdc, HBITMAP *phBitmap, int nIdFrame, int nFlags)
{
    (void)nFlags;
    int anRect[4];
    if (phBitmap == NULL || *phBitmap == NULL ||
        !GetPositionInWindow(GetDlgItem(hwndDialog, nIdFrame), hwndDialog, anRect))
        return 0;
    BITMAP bm;
    if (GetObjectA(*phBitmap, sizeof bm, &bm) == 0)
        return 0;
    /* Client coordinates: GetPositionInWindow measures from the client
     * area's origin. */
    int x = anRect[0] + ((anRect[2] - anRect[0]) - bm.bmWidth) / 2;
    int y = anRect[1] + ((anRect[3] - anRect[1]) - bm.bmHeight) / 2;
    HDC hdcMemory = CreateCompatibleDC(hdc);
    HGDIOBJ hOld = SelectObject(hdcMemory, *phBitmap);
    BitBlt(hdc, x, y, bm.bmWidth, bm.bmHeight, hdcMemory, 0, 0, SRCCOPY);
    SelectObject(hdcMemory, hOld);
    DeleteDC(hdcMemory);
    return 1;
}
