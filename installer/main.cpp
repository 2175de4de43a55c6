/*
 * main.cpp: the installer's control flow, from start-up through the
 * pages and the installation step to the shutdown that every road takes.
 */
#include "pelmor.h"
#include "resource.h"

static const char gszMutexName[] = "BVostrel Soft for Windows";

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR pszCmdLine, int nCmdShow)
{
    (void)hPrevInstance;
    (void)pszCmdLine;
    (void)nCmdShow;
    char szStartFolder[BK_PATH_SIZE];

    /* The mutex tells other programs that setup is running; a second
     * installer is not stopped by it. */
    HANDLE hMutex = CreateMutexA(NULL, TRUE, gszMutexName);
    myGetcwd(szStartFolder, sizeof szStartFolder);
    GetWindowsVersion();
    SetRegistrySettingForAdmin(1);
    ghInstance = hInstance;
    SetArrowCursor(0);
    SetHourGlassCursor(0);
    HCURSOR hSavedCursor = PutHourGlassCursor();
    WaitForSingleObjectForWinExec(-1);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    if (FindPreviousInstallation(NULL) &&
        DialogBoxParamA(ghInstance, "OpenTitle", NULL, OpenTitleDlgProc, 0) == IDOK &&
        DialogBoxParamA(ghInstance, "OpenLicence", NULL, OpenLicenceDlgProc, 0) == IDYES)
        InstallCompiler(szStartFolder);

    ChgDir(szStartFolder, 0);
    SetCursor(hSavedCursor);
    ReleaseHelperLibrary();
    PostQuitMessage(0);
    if (hMutex != NULL) {
        ReleaseMutex(hMutex);
        CloseHandle(hMutex);
    }
    return 1;
}
