/*
 * install.cpp: the installation step: the archive is copied into the
 * install folder, run there, and the compiler folders are recorded.
 */
#include "pelmor.h"
#include "resource.h"

#include "../helperlib/msgkit.h"

static void ShowStepMessage(UINT idMessage)
{
    PutArrowCursor();
    myMessageBoxForLoadString(ghInstance, NULL, idMessage, IDS_CAPTION, MB_ICONWARNING);
}

/* 1 when both names reach the same file, whatever their spelling. */
static int IsSameFile(const char *pszFirst, const char *pszSecond)
{
    BY_HANDLE_FILE_INFORMATION aInfo[2];
    const char *apszNames[2] = {pszFirst, pszSecond};
    for (int i = 0; i < 2; i++) {
        HANDLE hFile = CreateFileA(apszNames[i], 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
            return 0;
        BOOL bRead = GetFileInformationByHandle(hFile, &aInfo[i]);
        CloseHandle(hFile);
        if (!bRead)
            return 0;
    }
    return aInfo[0].dwVolumeSerialNumber == aInfo[1].dwVolumeSerialNumber &&
           aInfo[0].nFileIndexHigh == aInfo[1].nFileIndexHigh &&
           aInfo[0].nFileIndexLow == aInfo[1].nFileIndexLow;
}

/* A copy left read-only (by an earlier attempt, or copied from a
 * read-only archive) cannot be deleted until it is made writable. */
static void DeleteArchiveCopy(const char *pszPath)
{
    SetFileAttributesA(pszPath, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(pszPath);
}

/* Returns 1 when the archive ran and the folders were recorded, else 0. */
int InstallCompiler(const char *pszStartFolder)
{
    char szWorkPath[BK_PATH_SIZE];
    DWORD dwProgram;
    DWORD dwOptions;

    PutHourGlassCursor();
    lstrcpynA(szWorkPath, gszInstallFolder, sizeof szWorkPath);
    if (!IsFileDirExist(szWorkPath) &&
        IsMakeDirDoneWithIsBadDriveAndWithMessage(NULL, szWorkPath, 0, IDS_CAPTION) == -1)
        return 0;
    if (IsDirectoryAttribute(szWorkPath) != 4) {
        ShowStepMessage(IDS_FOLDER_FAILED);
        return 0;
    }
    if (myGetFullPathName(NULL, szWorkPath, gszArchiveName) < 0) {
        /* No room for the archive's name behind the folder. */
        ShowStepMessage(IDS_COPY_FAILED);
        return 0;
    }
    ChgDir(pszStartFolder, 0);

    /* Installing into the start folder itself: the archive is already
     * where it runs, and it must be neither replaced nor deleted. */
    int bInPlace = IsSameFile(gszArchiveName, szWorkPath);
    if (!bInPlace) {
        if (IsFileDirExist(szWorkPath))
            DeleteArchiveCopy(szWorkPath);
        if (!CopyFileA(gszArchiveName, szWorkPath, FALSE)) {
            ShowStepMessage(IDS_COPY_FAILED);
            return 0;
        }
    }

    dwProgram = 0;
    dwOptions = 0;
    SetExcuteExeFileAndOptionsWith95Quotation(0, gszArchiveName, 0, &dwProgram, &dwOptions);
    ChgDir(gszInstallFolder, 0);
    WINEXECRESULT result = myExecuteExeFile(0, 1, 0, &dwProgram, &dwOptions, 0);
    int bInstalled = 0;
    /* An archive that ends well but leaves no compiler has failed too:
     * its records would name folders that are not there. */
    if (IsWinExecOnError(result) || !IsCompilerLaidOut(gszInstallFolder)) {
        ShowStepMessage(IDS_EXPAND_FAILED);
    } else {
        RecordInstallPaths();
        bInstalled = 1;
    }
    if (!bInPlace)
        DeleteArchiveCopy(szWorkPath);
    return bInstalled;
}
