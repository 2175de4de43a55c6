/*
 * guidrive.cpp: finding and driving the windows of another process.
 */
#include "guidrive.h"

#include <stdio.h>
#include <vector>

const char gszBoxCaption[] = "Borland C++ 5.51 free version";
const char gszTitleCaption[] = "Borland C++ ver.5.51 Installer";
const char gszLicenceCaption[] = "Borland C++ ver.5.51 LICENSE STATEMENT";

/* The agreement page's statement box. */
static const int ID_LICENCE_BOX = 1001;

static const DWORD POLL_MS = 20;
/* Generous: on the 32-bit bench's emulated machine a program busy with
 * its first window answers seconds late. */
static const UINT SEND_TIMEOUT_MS = 10000;

bool StartProgram(const char *pszExe, const char *pszArgs, const char *pszFolder,
                  DrivenProgram *pProgram)
{
    std::string strCommand = std::string("\"") + pszExe + "\"";
    if (pszArgs != NULL && *pszArgs != '\0')
        strCommand += std::string(" ") + pszArgs;
    std::vector<char> command(strCommand.begin(), strCommand.end());
    command.push_back('\0');

    STARTUPINFOA si;
    PROCESS_INFORMATION pi;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    if (!CreateProcessA(pszExe, command.data(), NULL, NULL, FALSE, 0, NULL, pszFolder, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    pProgram->hProcess = pi.hProcess;
    pProgram->dwProcessId = pi.dwProcessId;
    return true;
}

long WaitProgramExit(DrivenProgram *pProgram, DWORD dwTimeoutMs)
{
    if (pProgram->hProcess == NULL)
        return -1;
    if (WaitForSingleObject(pProgram->hProcess, dwTimeoutMs) != WAIT_OBJECT_0) {
        EndProgram(pProgram);
        return -1;
    }
    DWORD dwCode = 0;
    GetExitCodeProcess(pProgram->hProcess, &dwCode);
    CloseHandle(pProgram->hProcess);
    pProgram->hProcess = NULL;
    return (long)dwCode;
}

void EndProgram(DrivenProgram *pProgram)
{
    if (pProgram->hProcess == NULL)
        return;
    TerminateProcess(pProgram->hProcess, 99);
    WaitForSingleObject(pProgram->hProcess, 5000);
    CloseHandle(pProgram->hProcess);
    pProgram->hProcess = NULL;
}

struct FindDialog {
    DWORD dwProcessId;
    const char *pszCaption;
    HWND hwndFound;
};

static BOOL CALLBACK FindDialogProc(HWND hwnd, LPARAM lParam)
{
    FindDialog *pFind = reinterpret_cast<FindDialog *>(lParam);
    DWORD dwProcessId = 0;
    char szClass[64];
    GetWindowThreadProcessId(hwnd, &dwProcessId);
    if (dwProcessId != pFind->dwProcessId || !IsWindowVisible(hwnd))
        return TRUE;
    if (GetClassNameA(hwnd, szClass, sizeof szClass) == 0 || lstrcmpA(szClass, "#32770") != 0)
        return TRUE;
    if (pFind->pszCaption != NULL && WindowTextOf(hwnd) != pFind->pszCaption)
        return TRUE;
    pFind->hwndFound = hwnd;
    return FALSE;
}

HWND FindDialogNow(DWORD dwProcessId, const char *pszCaption)
{
    FindDialog find = {dwProcessId, pszCaption, NULL};
    EnumWindows(FindDialogProc, reinterpret_cast<LPARAM>(&find));
    return find.hwndFound;
}

HWND WaitForDialog(DWORD dwProcessId, const char *pszCaption, DWORD dwTimeoutMs)
{
    DWORD dwStart = GetTickCount();
    for (;;) {
        HWND hwndFound = FindDialogNow(dwProcessId, pszCaption);
        if (hwndFound != NULL) {
            /* Answered only from the dialog's message loop, once its
             * WM_INITDIALOG is done: a slow machine shows it before. */
            DWORD_PTR dwIgnored = 0;
            SendMessageTimeoutA(hwndFound, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS, &dwIgnored);
            return hwndFound;
        }
        if (GetTickCount() - dwStart >= dwTimeoutMs)
            return NULL;
        Sleep(POLL_MS);
    }
}

bool NoDialogWithin(DWORD dwProcessId, const char *pszCaption, DWORD dwMs)
{
    return WaitForDialog(dwProcessId, pszCaption, dwMs) == NULL;
}

std::string WindowTextOf(HWND hwnd)
{
    DWORD_PTR dwLength = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS,
                             &dwLength))
        return std::string();
    std::vector<char> text(dwLength + 2, '\0');
    DWORD_PTR dwCopied = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS, &dwCopied))
        return std::string();
    return std::string(text.data());
}

std::string ControlText(HWND hwndDialog, int nId)
{
    HWND hwnd = GetDlgItem(hwndDialog, nId);
    return hwnd != NULL ? WindowTextOf(hwnd) : std::string("<no control>");
}

bool IsControlEnabled(HWND hwndDialog, int nId)
{
    HWND hwnd = GetDlgItem(hwndDialog, nId);
    return hwnd != NULL && IsWindowEnabled(hwnd);
}

bool IsControlVisible(HWND hwndDialog, int nId)
{
    HWND hwnd = GetDlgItem(hwndDialog, nId);
    return hwnd != NULL && IsWindowVisible(hwnd);
}

void SetControlText(HWND hwndDialog, int nId, const char *pszText)
{
    DWORD_PTR dwResult = 0;
    SendMessageTimeoutA(GetDlgItem(hwndDialog, nId), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(pszText), SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS,
                        &dwResult);
}

void PressButton(HWND hwndDialog, int nId)
{
    PostMessageA(hwndDialog, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hwndDialog, nId)));
}

BoxSeen AnswerMessageBox(DWORD dwProcessId, const char *pszCaption, int nButton,
                         DWORD dwTimeoutMs)
{
    BoxSeen seen;
    HWND hwndBox = WaitForDialog(dwProcessId, pszCaption, dwTimeoutMs);
    if (hwndBox == NULL)
        return seen;
    seen.bFound = true;
    /* WaitForDialog has waited for the box's own message loop, so it is
     * filled in; its caption is read without asking its thread. */
    char szCaption[256] = "";
    GetWindowTextA(hwndBox, szCaption, sizeof szCaption);
    seen.strCaption = szCaption;
    seen.strText = ControlText(hwndBox, 0xFFFF);
    static const struct { int nId; unsigned uBit; } aButtons[] = {
        {IDOK, BOX_HAS_OK}, {IDCANCEL, BOX_HAS_CANCEL}, {IDYES, BOX_HAS_YES}, {IDNO, BOX_HAS_NO}};
    for (const auto &button : aButtons)
        if (GetDlgItem(hwndBox, button.nId) != NULL && IsControlVisible(hwndBox, button.nId))
            seen.uButtons |= button.uBit;
    PressButton(hwndBox, nButton);
    WaitWindowGone(hwndBox, 5000);
    return seen;
}

bool WaitWindowGone(HWND hwnd, DWORD dwTimeoutMs)
{
    DWORD dwStart = GetTickCount();
    while (IsWindow(hwnd) && IsWindowVisible(hwnd)) {
        if (GetTickCount() - dwStart >= dwTimeoutMs)
            return false;
        Sleep(POLL_MS);
    }
    return true;
}

HWND WaitForLicencePage(DWORD dwProcessId, DWORD dwTimeoutMs)
{
    return WaitForDialog(dwProcessId, gszLicenceCaption, dwTimeoutMs);
}

void ScrollLicenceToEnd(HWND hwndPage)
{
    DWORD_PTR dwResult = 0;
    SendMessageTimeoutA(GetDlgItem(hwndPage, ID_LICENCE_BOX), EM_LINESCROLL, 0, 100000,
                        SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS, &dwResult);
}

void TypeKey(HWND hwndWindow, WORD wVirtualKey, bool bShift)
{
    SetForegroundWindow(hwndWindow);
    INPUT aInput[4];
    int n = 0;
    ZeroMemory(aInput, sizeof aInput);
    if (bShift) {
        aInput[n].type = INPUT_KEYBOARD;
        aInput[n++].ki.wVk = VK_SHIFT;
    }
    aInput[n].type = INPUT_KEYBOARD;
    aInput[n++].ki.wVk = wVirtualKey;
    aInput[n].type = INPUT_KEYBOARD;
    aInput[n].ki.wVk = wVirtualKey;
    aInput[n++].ki.dwFlags = KEYEVENTF_KEYUP;
    if (bShift) {
        aInput[n].type = INPUT_KEYBOARD;
        aInput[n].ki.wVk = VK_SHIFT;
        aInput[n++].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput((UINT)n, aInput, sizeof(INPUT));
}

HWND FocusOf(HWND hwndWindow)
{
    GUITHREADINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwndWindow, NULL), &info))
        return NULL;
    return info.hwndFocus;
}

bool SaveWindowShot(HWND hwnd, const char *pszPath)
{
    RECT rc;
    if (!GetWindowRect(hwnd, &rc))
        return false;
    int cx = rc.right - rc.left;
    int cy = rc.bottom - rc.top;
    if (cx <= 0 || cy <= 0)
        return false;
    /* Let the window finish painting first. */
    DWORD_PTR dwResult = 0;
    SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS, &dwResult);
    Sleep(300);

    HDC hdcScreen = GetDC(NULL);
    HDC hdcMemory = CreateCompatibleDC(hdcScreen);
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof bmi);
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    void *pBits = NULL;
    HBITMAP hBitmap = CreateDIBSection(hdcScreen, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    bool bSaved = false;
    if (hBitmap != NULL) {
        HGDIOBJ hOld = SelectObject(hdcMemory, hBitmap);
        BitBlt(hdcMemory, 0, 0, cx, cy, hdcScreen, rc.left, rc.top, SRCCOPY);
        SelectObject(hdcMemory, hOld);
        DWORD cbRow = (DWORD)((cx * 3 + 3) & ~3);
        DWORD cbPixels = cbRow * (DWORD)cy;
        BITMAPFILEHEADER bfh;
        ZeroMemory(&bfh, sizeof bfh);
        bfh.bfType = 0x4D42;
        bfh.bfOffBits = sizeof bfh + sizeof bmi.bmiHeader;
        bfh.bfSize = bfh.bfOffBits + cbPixels;
        FILE *pFile = fopen(pszPath, "wb");
        if (pFile != NULL) {
            bSaved = fwrite(&bfh, sizeof bfh, 1, pFile) == 1 &&
                     fwrite(&bmi.bmiHeader, sizeof bmi.bmiHeader, 1, pFile) == 1 &&
                     fwrite(pBits, 1, cbPixels, pFile) == cbPixels;
            fclose(pFile);
        }
        DeleteObject(hBitmap);
    }
    DeleteDC(hdcMemory);
    ReleaseDC(NULL, hdcScreen);
    return bSaved;
}
