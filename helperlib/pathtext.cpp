/*
 * pathtext.cpp: joining and cutting the text of paths.  Every scan steps
 * over double-byte characters of the ANSI code page, whose second byte
 * may be a backslash (0x5C).
 */
#include "textkit.h"

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

int IsPathSeparator(const char *p)
{
    return p != NULL && (*p == '\\' || *p == '/');
}

int JoinPathInBuffer(char *pszDst, int cbDst, const char *pszFolder, const char *pszName)
{
    int cchFolder = lstrlenA(pszFolder);
    int cchName = lstrlenA(pszName);
    int bSeparator = cchFolder > 0 && cchName > 0 && !IsPathSeparator(LastCharOf(pszFolder));
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
    if (IsPathSeparator(pLast) && pLast != pszPath && !(pLast == pszPath + 2 && pszPath[1] == ':'))
        pszPath[pLast - pszPath] = '\0';

    char *pCut = NULL;
    for (char *p = pszPath; *p != '\0'; p = (char *)NextCharOf(p))
        if (IsPathSeparator(p))
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
