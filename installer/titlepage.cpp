/*
 * titlepage.cpp: the title page, on which the user chooses the root
 * folder and sees the folders that will be recorded below it.
 */
#include "pelmor.h"
#include "resource.h"

#include "../helperlib/msgkit.h"

HBITMAP ghTitleBitmap;
int gbUpdatingFolders;
/* Set while OK is being checked: a click queued behind it would
 * otherwise be checked again from inside the check's message boxes. */
static int gbCheckingFolder;

static const char gszSkipText[] = "&Skip";

/* Field of each derived value, in the order of the values. */
static const int ganDerivedFields[] = {IDC_EXE_FOLDER, IDC_INCLUDE_FOLDER, IDC_LIBRARY_FOLDER, 0};

void SetInitialFolder(HWND hwndPage)
{
    if (gszPreviousFolder[0] != '\0') {
        lstrcpynA(gszInstallFolder, gszPreviousFolder, sizeof gszInstallFolder);
    } else {
        char szWindows[BK_PATH_SIZE];
        lstrcpynA(gszInstallFolder, gszDefaultFolder, sizeof gszInstallFolder);
        /* Windows's own drive; the default's C stays when it cannot be read. */
        UINT cch = GetWindowsDirectoryA(szWindows, sizeof szWindows);
        if (cch > 0 && cch < sizeof szWindows && IsCharAlphaA(szWindows[0]))
            gszInstallFolder[0] = szWindows[0];
    }
    SetDlgItemTextA(hwndPage, IDC_FOLDER, gszInstallFolder);
    SetReversedInEdit(hwndPage, IDC_FOLDER);
}

void ShowDerivedFolders(HWND hwndPage)
{
    char szRoot[BK_PATH_SIZE];
    char szValue[BK_PATH_SIZE];
    GetDlgItemTextA(hwndPage, IDC_FOLDER, szRoot, sizeof szRoot);
    gbUpdatingFolders = 1;
    for (int k = 0; ganDerivedFields[k] != 0; k++) {
        BuildFolderValue(szRoot, k, 0, szValue);
        SetDlgItemTextA(hwndPage, ganDerivedFields[k], szValue);
    }
    gbUpdatingFolders = 0;
}

void SetSkipButtons(HWND hwndPage)
{
    myEnableWindow(GetDlgItem(hwndPage, IDC_SKIP_HERE), 0);
    SetDlgItemTextA(hwndPage, IDC_SKIP, gszSkipText);
}

void LoadTitleBitmap(HWND hwndPage)
{
    int anRect[4];
    HWND hwndFrame = myGetDlgItem(hwndPage, IDC_PICTURE);
    GetPositionInWindow(hwndFrame, hwndPage, anRect);
    ghTitleBitmap = ShrinkBitmap(ghInstance, hwndPage, 0, anRect[2] - anRect[0],
                                 anRect[3] - anRect[1], IDB_TITLE);
}

void PaintTitleBitmap(HWND hwndPage)
{
    if (ghTitleBitmap == NULL || hwndPage == NULL)
        return;
    HDC hdc = GetDC(hwndPage);
    MoveBmpAtCenter(hwndPage, hdc, &ghTitleBitmap, IDC_PICTURE, 0);
    ReleaseDC(hwndPage, hdc);
}

void DeleteTitleBitmap(void)
{
    if (ghTitleBitmap != NULL)
        DeleteObject(ghTitleBitmap);
    ghTitleBitmap = NULL;
}

void EnableFolderControls(HWND hwndPage, int bEnable)
{
    myEnableWindow(GetDlgItem(hwndPage, IDOK), bEnable);
    myEnableWindow(GetDlgItem(hwndPage, IDC_FOLDER), bEnable);
    myEnableWindow(GetDlgItem(hwndPage, IDC_BROWSE), bEnable);
}

void BrowseInstallFolder(HWND hwndPage)
{
    const char *pszTitle = GetTitleForFileOpen(2);
    int nResult = my_wmFileOpen(hwndPage, pszTitle, 0, gszInstallFolder, IDC_FOLDER, 0);
    if (nResult != 0 && nResult != -1) {
        lstrcpynA(gszInstallFolder, GetDlgCurrentDir(), sizeof gszInstallFolder);
        myPlaceStringInEdit(hwndPage, IDC_FOLDER, gszInstallFolder);
    }
    ReleaseAllocMemoryForFileOpen();
}

int CheckInstallFolder(HWND hwndPage)
{
    int nResult;
    GetDlgItemTextA(hwndPage, IDC_FOLDER, gszInstallFolder, sizeof gszInstallFolder);
    /* Reserve room for the compiler's folders and files below the root. */
    if (IsBadDirName(hwndPage, gszInstallFolder, 1)) {
        nResult = 0;
    } else if ((nResult = myMessageBoxForLoadString(ghInstance, hwndPage, IDS_READY, IDS_CAPTION,
                                                    MB_OKCANCEL | MB_ICONWARNING)) == IDCANCEL) {
        nResult = 0;
    } else if (IsFileDirExist(gszInstallFolder)) {
        /* kept */
    } else if (IsAlertMakedir(hwndPage, gszInstallFolder)) {
        nResult = 0;
    } else if (IsDirectoryAttribute(gszInstallFolder) != 4) {
        myMessageBoxForLoadString(ghInstance, hwndPage, IDS_TITLE_FOLDER_FAILED, IDS_CAPTION,
                                  MB_ICONWARNING);
        nResult = 0;
    }
    EnableFolderControls(hwndPage, 0);
    return nResult;
}

INT_PTR CALLBACK OpenTitleDlgProc(HWND hwndPage, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (uMessage) {
    case WM_INITDIALOG:
        cwCenter(NULL, hwndPage);
        LoadTitleBitmap(hwndPage);
        PaintTitleBitmap(hwndPage);
        gbUpdatingFolders = 1;
        SetInitialFolder(hwndPage);
        ShowDerivedFolders(hwndPage);
        SetSkipButtons(hwndPage);
        gbUpdatingFolders = 0;
        return FALSE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            PaintTitleBitmap(hwndPage);
        return FALSE;
    case WM_PAINT:
        PaintTitleBitmap(hwndPage);
        return FALSE;
    case WM_CLOSE:
        PostMessageA(hwndPage, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            if (gbCheckingFolder)
                break;
            gbCheckingFolder = 1;
            if (CheckInstallFolder(hwndPage)) {
                DeleteTitleBitmap();
                EndDialog(hwndPage, IDOK);
            } else {
                EnableFolderControls(hwndPage, 1);
            }
            gbCheckingFolder = 0;
            break;
        case IDCANCEL:
        case IDC_SKIP:
            DeleteTitleBitmap();
            EndDialog(hwndPage, IDCANCEL);
            break;
        case IDC_FOLDER:
            if (!gbUpdatingFolders && (HIWORD(wParam) == EN_CHANGE || HIWORD(wParam) == EN_UPDATE))
                ShowDerivedFolders(hwndPage);
            break;
        case IDC_BROWSE:
            BrowseInstallFolder(hwndPage);
            break;
        }
        return FALSE;
    }
    return FALSE;
}
