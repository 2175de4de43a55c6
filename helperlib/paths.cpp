/*
 * paths.cpp: files and folders on disk, and the path forms the file
 * system gives.  Scans step over double-byte characters.
 */
#include "basekit.h"

#include <string.h>

int IsFileDirExist(const char *pszPath)
{
    if (pszPath == NULL || *pszPath == '\0')
        return 0;
    return GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES;
}

int IsDirectoryAttribute(const char *pszPath)
{
    if (pszPath == NULL || *pszPath == '\0')
        return 0;
    DWORD dwAttributes = GetFileAttributesA(pszPath);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES)
        return 0;
    return (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 4 : 1;
}

int GetReformed95PathNameFromOS(char *pszPath, int nFlags, int nReserved)
{
    (void)nFlags;
    (void)nReserved;
    char szFull[MAX_PATH * 2];
    char szLong[MAX_PATH * 2];
    if (pszPath == NULL || *pszPath == '\0')
        return 0;
    DWORD cchFull = GetFullPathNameA(pszPath, sizeof szFull, szFull, NULL);
    if (cchFull == 0 || cchFull >= sizeof szFull)
        return 0;
    DWORD cchLong = GetLongPathNameA(szFull, szLong, sizeof szLong);
    if (cchLong == 0 || cchLong >= sizeof szLong)
        return 0;
    /* Never longer than the text it replaces: the caller's buffer may be
     * exactly that big, and other paths may follow it. */
    if ((int)cchLong > lstrlenA(pszPath))
        return 0;
    memcpy(pszPath, szLong, cchLong + 1);
    return 1;
}

int makedir(const char *pszPath)
{
    if (pszPath == NULL || *pszPath == '\0')
        return -1;
    if (IsDirectoryAttribute(pszPath) == 4)
        return 0;
    return CreateDirectoryA(pszPath, NULL) ? 0 : -1;
}

int MakeDirTree(const char *pszPath)
{
    char szPath[BK_PATH_SIZE];
    if (pszPath == NULL || *pszPath == '\0' || lstrlenA(pszPath) >= (int)sizeof szPath)
        return -1;
    lstrcpynA(szPath, pszPath, sizeof szPath);
    if (IsDirectoryAttribute(szPath) == 4)
        return 0;

    /* Create each missing level from the top down.  The character before
     * a separator is tracked as a character: the byte before it may be the
     * second byte of a double-byte one, and that can be 0x5C. */
    const char *pBefore = NULL;
    for (char *p = szPath; *p != '\0'; pBefore = p, p = (char *)NextCharOf(p)) {
        if (!IsPathSeparator(p) || pBefore == NULL || *pBefore == ':' || IsPathSeparator(pBefore))
            continue;
        char ch = *p;
        *p = '\0';
        if (IsDirectoryAttribute(szPath) != 4)
            CreateDirectoryA(szPath, NULL);
        *p = ch;
    }
    return makedir(szPath);
}

int myGetcwd(char *pszBuffer, int cbBuffer)
{
    if (pszBuffer == NULL || cbBuffer <= 0)
        return -1;
    DWORD cch = GetCurrentDirectoryA((DWORD)cbBuffer, pszBuffer);
    if (cch == 0 || cch >= (DWORD)cbBuffer) {
        pszBuffer[0] = '\0';
        return -1;
    }
    return (int)cch;
}

int ChgDir(const char *pszPath, int nFlags)
{
    (void)nFlags;
    if (pszPath == NULL || *pszPath == '\0')
        return -1;
    return SetCurrentDirectoryA(pszPath) ? 0 : -1;
}

char *j_lstristr(const char *pszText, const char *pszFind)
{
    int cchFind = lstrlenA(pszFind);
    if (pszText == NULL || cchFind == 0)
        return NULL;
    for (const char *p = pszText; *p != '\0'; p = NextCharOf(p)) {
        if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, p,
                           (int)strnlen(p, (size_t)cchFind), pszFind, cchFind) == CSTR_EQUAL)
            return (char *)p;
    }
    return NULL;
}
