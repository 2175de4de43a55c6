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

int ShortenForMessage(char *pszPath, char *pSaved)
{
    int cb = lstrlenA(pszPath);
    if (cb < BK_SHOWN_PATH)
        return -1;
    /* Room for the start, "..." and the end in BK_SHOWN_PATH - 1 bytes,
     * half each; both cut between characters. */
    int cbRoom = BK_SHOWN_PATH - 1 - 3;
    int cbHead = 0;
    for (const char *p = pszPath; *p != '\0'; p = NextCharOf(p)) {
        int cbNext = (int)(NextCharOf(p) - pszPath);
        if (cbNext > cbRoom / 2)
            break;
        cbHead = cbNext;
    }
    int cbTailRoom = cbRoom - cbHead;
    int nTail = cb;
    for (const char *p = pszPath; *p != '\0'; p = NextCharOf(p)) {
        if (cb - (int)(p - pszPath) <= cbTailRoom) {
            nTail = (int)(p - pszPath);
            break;
        }
    }
    int cbTail = cb - nTail;
    /* The bytes that the shortening overwrites, kept to undo it: "...",
     * the end and its NUL, all inside the text, which is longer. */
    int cbChanged = 3 + cbTail + 1;
    memcpy(pSaved, pszPath + cbHead, (size_t)cbChanged);
    memmove(pszPath + cbHead + 3, pszPath + nTail, (size_t)cbTail + 1);
    memcpy(pszPath + cbHead, "...", 3);
    return cbHead;
}

static char *gpExtractedAt;
static char gachExtractSaved[BK_SHOWN_PATH];

int ExtractPath(char *pszPath, char *pchSaved)
{
    int nPos = ShortenForMessage(pszPath, gachExtractSaved);
    if (nPos < 0)
        return -1;
    *pchSaved = gachExtractSaved[0];
    gpExtractedAt = pszPath + nPos;
    return nPos;
}

void RecoverPath(int nPos, char chSaved)
{
    if (nPos < 0 || gpExtractedAt == NULL)
        return;
    gachExtractSaved[0] = chSaved;
    /* "..." and the end were written from here on; the saved bytes end
     * with the NUL that ended the shortened text. */
    int cbChanged = lstrlenA(gpExtractedAt) + 1;
    memcpy(gpExtractedAt, gachExtractSaved, (size_t)cbChanged);
    gpExtractedAt = NULL;
}
