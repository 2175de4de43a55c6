/*
 * typebind.h: the file-type registrar's operations.
 */
#ifndef TYPEBIND_H
#define TYPEBIND_H

#include <windows.h>

/* Size of the path buffer, the NUL included. */
#define TB_PATH_SIZE 260
/* Longest executable path that still fits the buffer once quoted and
 * followed by the open command's suffix. */
#define TB_MAX_PATH_CHARS 252

/* Result codes of RegisterFileTypes. */
#define TB_NO_EXECUTABLE (-1)
#define TB_DESCRIPTIONS_ADDED (-2)
#define TB_WRITE_FAILED (-3)
#define TB_ALL_PRESENT 0
#define TB_ENTRIES_ADDED 1

/* register.cpp */
extern int gnEntriesWritten;
int RegisterFileTypes(char *pszPath, int nMode);
const char *GetFileTypeExtension(int nSlot);
void ReformPathName(char *pszPath);

#endif /* TYPEBIND_H */
