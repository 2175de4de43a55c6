/*
 * checks.cpp: folder and file checks that tell the user of a failure
 * themselves, so that their callers add no message of their own.
 */
#include "basekit.h"

#include <string.h>

/* Deepest path that the checks let a caller build below a folder: room
 * for this many characters per unit of nReserve. */
#define BK_RESERVE_UNIT 24

void GetHelperCaption(UINT idCaption, char *pszCaption, int cbCaption)
{
    HINSTANCE hInstance = GetModuleHandleA(NULL);
    if (idCaption != 0 && LoadStringA(hInstance, idCaption, pszCaption, cbCaption) > 0)
        return;
    char szModule[MAX_PATH];
    DWORD cch = GetModuleFileNameA(hInstance, szModule, sizeof szModule);
    if (cch == 0 || cch >= sizeof szModule) {
        lstrcpynA(pszCaption, "Warning", cbCaption);
        return;
    }
    const char *pName = szModule;
    for (const char *p = szModule; *p != '\0'; p = NextCharOf(p))
        if (*p == '\\' || *p == '/')
            pName = p + 1;
    lstrcpynA(pszCaption, pName, cbCaption);
    char *pDot = strrchr(pszCaption, '.');
    if (pDot != NULL && pDot != pszCaption)
        *pDot = '\0';
}

static int ShowCheckMessage(HWND hwndOwner, UINT idCaption, UINT uStyle, const char *pszFormat,
                            const char *pszPath)
{
    char szCaption[256];
    char szText[1024 + 16];
    GetHelperCaption(idCaption, szCaption, sizeof szCaption);
    /* wsprintfA writes at most 1024 bytes. */
    wsprintfA(szText, pszFormat, pszPath);
    HCURSOR hCursor = SetCursor(LoadCursor(NULL, IDC_ARROW));
    int nAnswer = MessageBoxA(hwndOwner, szText, szCaption, uStyle);
    SetCursor(hCursor);
    return nAnswer;
}

static int IsDriveThere(const char *pszFolder)
{
    char szRoot[4];
    if (pszFolder[0] == '\\' && pszFolder[1] == '\\')
        return 1; /* a network path: the share is tried when it is used */
    if (pszFolder[0] == '\0' || pszFolder[1] != ':')
        return 0;
    szRoot[0] = pszFolder[0];
    szRoot[1] = ':';
    szRoot[2] = '\\';
    szRoot[3] = '\0';
    UINT uType = GetDriveTypeA(szRoot);
    return uType != DRIVE_NO_ROOT_DIR && uType != DRIVE_UNKNOWN;
}

static int IsAbsoluteFolder(const char *pszFolder)
{
    unsigned char ch = (unsigned char)pszFolder[0];
    int bDrive = ((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z')) && pszFolder[1] == ':' &&
                 pszFolder[2] == '\\';
    int bNetwork = pszFolder[0] == '\\' && pszFolder[1] == '\\' && pszFolder[2] != '\0' &&
                   pszFolder[2] != '\\';
    return bDrive || bNetwork;
}

/* Besides what Windows refuses: ';', which separates the folders of a
 * recorded value, so a folder named with it would be read back as two. */
static int HasBadCharacter(const char *pszFolder)
{
    for (const char *p = pszFolder; *p != '\0'; p = NextCharOf(p)) {
        unsigned char ch = (unsigned char)*p;
        if (ch < 0x20 || strchr("<>\"|?*/;", ch) != NULL)
            return 1;
        if (ch == ':' && p != pszFolder + 1)
            return 1;
    }
    /* Windows drops trailing blanks and dots, so the folder made would
     * not be the folder named. */
    const char *pLast = LastCharOf(pszFolder);
    return pLast != NULL && (*pLast == ' ' || *pLast == '.');
}

int IsBadDirName(HWND hwndOwner, const char *pszFolder, int nReserve)
{
    const UINT uStyle = MB_OK | MB_ICONWARNING;
    if (pszFolder == NULL || *pszFolder == '\0') {
        ShowCheckMessage(hwndOwner, 2, uStyle, "Please enter the name of a folder.%s", "");
        return 1;
    }
    if (!IsAbsoluteFolder(pszFolder)) {
        ShowCheckMessage(hwndOwner, 2, uStyle,
                         "[%s] is not a full folder name.\n"
                         "Please enter a folder with its drive, such as C:\\Borland\\Bcc55.",
                         pszFolder);
        return 1;
    }
    if (HasBadCharacter(pszFolder)) {
        ShowCheckMessage(hwndOwner, 2, uStyle,
                         "[%s] cannot be a folder name.\n"
                         "A folder name cannot contain any of  < > \" | ? * / ;  or end with "
                         "a blank or a dot.",
                         pszFolder);
        return 1;
    }
    if (lstrlenA(pszFolder) + (nReserve > 0 ? nReserve : 0) * BK_RESERVE_UNIT >= MAX_PATH) {
        ShowCheckMessage(hwndOwner, 2, uStyle,
                         "The folder name is too long.\n"
                         "Please choose a folder whose name is shorter.%s",
                         "");
        return 1;
    }
    if (!IsDriveThere(pszFolder)) {
        ShowCheckMessage(hwndOwner, 2, uStyle, "The drive of [%s] is not found.", pszFolder);
        return 1;
    }
    return 0;
}

int IsAlertMakedir(HWND hwndOwner, const char *pszFolder)
{
    if (ShowCheckMessage(hwndOwner, 2, MB_YESNO | MB_ICONWARNING,
                         "The folder [%s] does not exist.\nDo you want to create it?",
                         pszFolder) != IDYES)
        return 1;
    if (MakeDirTree(pszFolder) != 0) {
        ShowCheckMessage(hwndOwner, 2, MB_OK | MB_ICONWARNING,
                         "The folder [%s] could not be created.", pszFolder);
        return -1;
    }
    return 0;
}

int IsMakeDirDoneWithIsBadDriveAndWithMessage(HWND hwndOwner, const char *pszFolder,
                                              int nFlags, UINT idCaption)
{
    (void)nFlags;
    if (!IsDriveThere(pszFolder)) {
        ShowCheckMessage(hwndOwner, idCaption, MB_OK | MB_ICONWARNING,
                         "The drive of [%s] is not found.", pszFolder);
        return -1;
    }
    if (MakeDirTree(pszFolder) != 0) {
        ShowCheckMessage(hwndOwner, idCaption, MB_OK | MB_ICONWARNING,
                         "The folder [%s] could not be created.", pszFolder);
        return -1;
    }
    return 1;
}

int IsFileDirExistWithMessage(HWND hwndOwner, const char *pszPath, UINT idCaption, int nFlags)
{
    (void)nFlags;
    if (IsFileDirExist(pszPath))
        return 1;
    ShowCheckMessage(hwndOwner, idCaption, MB_OK | MB_ICONWARNING, "[%s] is not found.",
                     pszPath != NULL ? pszPath : "");
    return 0;
}

int IsProgramFileWithMessage(HWND hwndOwner, const char *pszPath, UINT idCaption)
{
    int bFile = 0;
    if (pszPath != NULL && IsDirectoryAttribute(pszPath) == 1) {
        /* Device names (CON, NUL, COM1, ...) pass the attribute test in
         * any folder; only opening them tells. */
        HANDLE hFile = CreateFileA(pszPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile != INVALID_HANDLE_VALUE) {
            bFile = GetFileType(hFile) == FILE_TYPE_DISK;
            CloseHandle(hFile);
        }
    }
    if (bFile)
        return 1;
    ShowCheckMessage(hwndOwner, idCaption, MB_OK | MB_ICONWARNING, "[%s] is not a program file.",
                     pszPath != NULL ? pszPath : "");
    return 0;
}
