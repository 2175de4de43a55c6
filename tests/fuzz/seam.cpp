/*
 * seam.cpp: the Win32 names of winseam.h for the native build, with the
 * ANSI code page chosen by the harness, and traps for the file system,
 * which text-only callers must never reach.
 */
#include "seam.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int gnSeamCodePage;

BOOL IsDBCSLeadByte(BYTE bTest)
{
    /* Code page 932 (Shift JIS): its second bytes run from 0x40 to 0xFC,
     * so one of them is the backslash. */
    if (gnSeamCodePage == 932)
        return (bTest >= 0x81 && bTest <= 0x9F) || (bTest >= 0xE0 && bTest <= 0xFC);
    return 0;
}

int lstrlenA(const char *psz)
{
    return psz != NULL ? (int)strlen(psz) : 0;
}

char *lstrcpynA(char *pszDst, const char *pszSrc, int cchMax)
{
    if (cchMax <= 0)
        return pszDst;
    int i = 0;
    for (; i < cchMax - 1 && pszSrc[i] != '\0'; i++)
        pszDst[i] = pszSrc[i];
    pszDst[i] = '\0';
    return pszDst;
}

static void Trap(const char *pszName, const char *pszPath)
{
    fprintf(stderr, "text-only code reached the file system: %s(\"%s\")\n", pszName, pszPath);
    abort();
}

int IsDirectoryAttribute(const char *pszPath)
{
    Trap("IsDirectoryAttribute", pszPath);
    return 0;
}

int GetReformed95PathNameFromOS(char *pszPath, int, int)
{
    Trap("GetReformed95PathNameFromOS", pszPath);
    return 0;
}

int makedir(const char *pszPath)
{
    Trap("makedir", pszPath);
    return -1;
}
