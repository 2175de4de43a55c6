/*
 * typebind.h: the file-type registrar's operations.
 */
#ifndef TYPEBIND_H
#define TYPEBIND_H

#include <windows.h>

#include "argument.h"

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
