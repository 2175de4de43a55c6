/*
 * winseam.h: the few Win32 names that the text operations use.  On
 * Windows they are the system's; the native build of the text operations
 * (the fuzzing harness) supplies its own.
 */
#ifndef WINSEAM_H
#define WINSEAM_H

#ifdef _WIN32
#include <windows.h>
#else
typedef unsigned char BYTE;
typedef int BOOL;
BOOL IsDBCSLeadByte(BYTE bTest);
int lstrlenA(const char *psz);
char *lstrcpynA(char *pszDst, const char *pszSrc, int cchMax);
#endif

#endif /* WINSEAM_H */
