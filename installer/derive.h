/*
 * derive.h: the installer's folder layout below the root folder, as text.
 * No windows.h here: these operations also build natively for fuzzing.
 */
#ifndef DERIVE_H
#define DERIVE_H

#include "../helperlib/textkit.h"

/* Folder kinds of the install layout. */
#define KIND_EXECUTABLE 0
#define KIND_INCLUDE 1
#define KIND_LIBRARY 2
#define KIND_WINDOWS_LIBRARY 3
#define KIND_COUNT 4

extern const char *const gapszSubfolders[];
/* Value k of the layout for the root folder into pszBuffer (BK_PATH_SIZE
 * bytes): the folder below the root; for the library, followed by ';' and
 * the Windows library folder.  fRecord 0 only builds the text (the title
 * page's preview); fRecord 1 also gives it the file system's form and
 * creates the Windows library folder.  An empty value when it would not
 * fit. */
void BuildFolderValue(const char *pszRoot, int k, int fRecord, char *pszBuffer);
void AppendSecondLibraryPath(char *pszBuffer, int nLength, const char *pszRelative, int fCreate);
/* Ends the text at its first ';' and returns where it was, or NULL. */
char *CutAtSemicolon(char *psz);

#endif /* DERIVE_H */
