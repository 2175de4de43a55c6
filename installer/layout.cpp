/*
 * layout.cpp: where the compiler's folders lie below the root folder, and
 * how they are recorded for Quillant.
 */
#include "pelmor.h"

#include <string.h>

const char *const gapszSubfolders[] = {"Bin", "Include", "Lib", "Lib\\PSDK", NULL};
const char *const gapszValueNames[] = {"ExeFile", "IncludeFile", "LibFile", NULL};
const char *const gapszMarkerFiles[KIND_COUNT] = {"bcc32.exe", "stdio.h", "cw32.lib",
                                                  "shell32.lib"};
const char gszDirectoryKey[] = "Software\\Vostrel\\QuillixUs\\Directory";
const char gszDefaultFolder[] = "C:\\Borland\\Bcc55";

void AppendSecondLibraryPath(char *pszBuffer, int nLength, const char *pszRelative, int fCreate)
{
    char *pszCopy = pszBuffer + nLength + 1;
    int cbLeft = BK_PATH_SIZE - (nLength + 1);

    /* The second path is built behind the first one's NUL; a value that
     * would not fit the buffer is refused whole, never stored cut. */
    if (cbLeft <= nLength) {
        pszBuffer[0] = '\0';
        return;
    }
    memcpy(pszCopy, pszBuffer, (size_t)nLength + 1);
    GetUpperDirectory(pszCopy);
    if (JoinPathInBuffer(pszCopy, cbLeft, pszCopy, pszRelative) < 0) {
        pszBuffer[0] = '\0';
        return;
    }
    if (fCreate && IsDirectoryAttribute(pszCopy) != 4)
        makedir(pszCopy);
    pszBuffer[nLength] = ';';
}

void BuildFolderValue(const char *pszRoot, int k, int fRecord, char *pszBuffer)
{
    char szRoot[BK_PATH_SIZE];
    lstrcpynA(szRoot, pszRoot, sizeof szRoot);
    if (myGetFullPathName(pszBuffer, szRoot, gapszSubfolders[k]) < 0)
        return;
    if (fRecord)
        GetReformed95PathNameFromOS(pszBuffer, 24, 0);
    if (k == KIND_LIBRARY)
        AppendSecondLibraryPath(pszBuffer, lstrlenA(pszBuffer), gapszSubfolders[KIND_WINDOWS_LIBRARY],
                                fRecord);
}

void RecordInstallPaths(void)
{
    char szValue[BK_PATH_SIZE];
    /* The last subfolder only ever serves as the second library path. */
    for (int k = 0; gapszSubfolders[k + 1] != NULL; k++) {
        BuildFolderValue(gszInstallFolder, k, 1, szValue);
        mySetPrivateProfileString(HKEY_CURRENT_USER, gszDirectoryKey, gapszValueNames[k], szValue,
                                  sizeof szValue);
    }
}
