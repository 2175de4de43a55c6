/*
 * onedialog.cpp: the least a program can do to show a dialog: one
 * dialog from its resources.  The benchmark's floor for Pelmor.exe's
 * start-up.
 */
#include <windows.h>

static INT_PTR CALLBACK OneDialogProc(HWND hwnd, UINT uMessage, WPARAM wParam, LPARAM)
{
    if (uMessage == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
    }
    return uMessage == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    return (int)DialogBoxParamA(hInstance, MAKEINTRESOURCEA(1), NULL, OneDialogProc, 0);
}
