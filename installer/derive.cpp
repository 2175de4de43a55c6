/*
 * derive.cpp: the folder values that follow from the compiler's root
 * folder, and the parts of a recorded value.  Text only, but for the
 * record mode, which gives each value the file system's form and makes
 * the second library folder.
 */
#include "derive.h"

#include <string.h>

const char *const gapszSubfolders[] = {"Bin", "Include", "Lib", "Lib\\PSDK", NULL};

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

char *CutAtSemicolon(char *psz)
{
    for (char *p = psz; *p != '\0'; p = (char *)NextCharOf(p)) {
        if (*p == ';') {
            *p = '\0';
            return p;
        }
    }
    return NULL;
}
