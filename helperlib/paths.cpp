/*
 * paths.cpp: joining, cutting and testing paths.  Every scan steps over
 * double-byte characters of the ANSI code page, whose second byte may be
 * a backslash (0x5C).
 */
#include "basekit.h"

#include <string.h>

const char *NextCharOf(const char *psz)
{
    if (*psz == '\0')
        return psz;
    if (IsDBCSLeadByte((BYTE)*psz) && psz[1] != '\0')
        return psz + 2;
    return psz + 1;
}

const char *LastCharOf(const char *psz)
{
    const char *pLast = NULL;
    for (const char *p = psz; *p != '\0'; p = NextCharOf(p))
        pLast = p;
    return pLast;
}

static int IsSeparator(const char *p)
{
    return p != NULL && (*p == '\\' || *p == '/');
}

int JoinPathInBuffer(char *pszDst, int cbDst, const char *pszFolder, const char *pszName)
{
    int cchFolder = lstrlenA(pszFolder);
    int cchName = lstrlenA(pszName);
    int bSeparator = cchFolder > 0 && cchName > 0 && !IsSeparator(LastCharOf(pszFolder));
    int cchTotal = cchFolder + bSeparator + cchName;

    if (cchTotal + 1 > cbDst)
        return -1;
    /* The folder may be the destination itself. */
    if (pszDst != pszFolder)
        memmove(pszDst, pszFolder, (size_t)cchFolder);
    if (bSeparator)
        pszDst[cchFolder] = '\\';
    memmove(pszDst + cchFolder + bSeparator, pszName, (size_t)cchName);
    pszDst[cchTotal] = '\0';
    return cchTotal;
}

int myGetFullPathName(char *pszDst, char *pszFolder, const char *pszName)
{
    if (pszDst == NULL)
        return JoinPathInBuffer(pszFolder, BK_PATH_SIZE, pszFolder, pszName);
    int nResult = JoinPathInBuffer(pszDst, BK_PATH_SIZE, pszFolder, pszName);
    if (nResult < 0)
        pszDst[0] = '\0';
    return nResult;
}

int GetUpperDirectory(char *pszPath)
{
    /* A trailing separator does not make a component of its own. */
    const char *pLast = LastCharOf(pszPath);
    if (IsSeparator(pLast) && pLast != pszPath && !(pLast == pszPath + 2 && pszPath[1] == ':'))
        pszPath[pLast - pszPath] = '\0';

    char *pCut = NULL;
    for (char *p = pszPath; *p != '\0'; p = (char *)NextCharOf(p))
        if (IsSeparator(p))
            pCut = p;
    if (pCut == NULL)
        return 0;
    /* Keep the backslash of a drive root: the parent of C:\Bin is C:\. */
    if (pCut == pszPath + 2 && pszPath[1] == ':')
        pCut++;
    else if (pCut == pszPath)
        pCut++;
    if (*pCut == '\0')
        return 0;
    *pCut = '\0';
    return 1;
}

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

    /* Create each missing level from the top down. */
    for (char *p = szPath; *p != '\0'; p = (char *)NextCharOf(p)) {
        if (!IsSeparator(p) || p == szPath || p[-1] == ':' || IsSeparator(p - 1))
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

static char *gpExtractedAt;

int ExtractPath(char *pszPath, char *pchSaved)
{
    /* Cut after BK_SHOWN_PATH characters, never inside a double-byte one. */
    int nChars = 0;
    for (char *p = pszPath; *p != '\0'; p = (char *)NextCharOf(p)) {
        if (nChars++ == BK_SHOWN_PATH) {
            *pchSaved = *p;
            *p = '\0';
            gpExtractedAt = p;
            return (int)(p - pszPath);
        }
    }
    return -1;
}

void RecoverPath(int nPos, char chSaved)
{
    if (nPos < 0 || gpExtractedAt == NULL)
        return;
    *gpExtractedAt = chSaved;
    gpExtractedAt = NULL;
}
