/*
 * basekit.h: the general Windows operations that Pelmor and Typebind
 * import: paths, registry, dialogs, message boxes, child programs,
 * cursors and bitmaps.  All strings are narrow (ANSI) and NUL-ended;
 * paths are edited in place in the caller's buffer.
 */
#ifndef BASEKIT_H
#define BASEKIT_H

#include <windows.h>

/* Size of every path buffer of the installer, the NUL included. */
#define BK_PATH_SIZE 520

/* ---- paths (paths.cpp) ---- */

/* Joins pszFolder and pszName into pszDst, or back into pszFolder when
 * pszDst is null.  The destination holds BK_PATH_SIZE bytes.  Returns the
 * joined length, or -1 when it would not fit: then pszFolder is left as it
 * was and a non-null pszDst is emptied, so no cut path is ever left. */
int myGetFullPathName(char *pszDst, char *pszFolder, const char *pszName);
/* Same join into a buffer of cbDst bytes. */
int JoinPathInBuffer(char *pszDst, int cbDst, const char *pszFolder, const char *pszName);
/* Cuts the last component; "C:\Bin" becomes "C:\".  1 when cut, else 0. */
int GetUpperDirectory(char *pszPath);
int IsFileDirExist(const char *pszPath);
/* 4 for an existing folder, 1 for an existing file, 0 when nothing is there. */
int IsDirectoryAttribute(const char *pszPath);
/* Rewrites the path in place into its full, long form as the file system
 * has it, but only when that form is no longer than the path it replaces,
 * so the caller's buffer and any text behind the path stay intact.
 * Returns 1 when the path was rewritten, 0 when it was left. */
int GetReformed95PathNameFromOS(char *pszPath, int nFlags, int nReserved);
/* Creates the folder; the folder above it must exist.  0 when the folder
 * is there afterwards, else -1. */
int makedir(const char *pszPath);
/* Creates the folder and every missing folder above it; 0 or -1. */
int MakeDirTree(const char *pszPath);
int myGetcwd(char *pszBuffer, int cbBuffer);
int ChgDir(const char *pszPath, int nFlags);
/* Case-insensitive search that steps over double-byte characters. */
char *j_lstristr(const char *pszText, const char *pszFind);
/* Shortens a path for display to at most BK_SHOWN_PATH characters by
 * putting a NUL into it; *pchSaved gets the byte that was replaced.
 * Returns the position changed, or -1 when nothing was changed. */
#define BK_SHOWN_PATH 200
int ExtractPath(char *pszPath, char *pchSaved);
/* Undoes ExtractPath on the same text. */
void RecoverPath(int nPos, char chSaved);
/* Helpers for double-byte code pages: the address of the next character,
 * and the last character of a text (its lead byte for a double-byte one). */
const char *NextCharOf(const char *psz);
const char *LastCharOf(const char *psz);

/* ---- checks that tell the user themselves (checks.cpp) ---- */

int IsBadDirName(HWND hwndOwner, const char *pszFolder, int nReserve);
int IsAlertMakedir(HWND hwndOwner, const char *pszFolder);
int IsMakeDirDoneWithIsBadDriveAndWithMessage(HWND hwndOwner, const char *pszFolder,
                                              int nFlags, UINT idCaption);
int IsFileDirExistWithMessage(HWND hwndOwner, const char *pszPath, UINT idCaption, int nFlags);
/* The caption that the checks use: string idCaption of the program, or
 * the program's own name when it has no such string. */
void GetHelperCaption(UINT idCaption, char *pszCaption, int cbCaption);

/* ---- registry (registry.cpp, regstr.cpp) ---- */

int myFindPrivateProfileString(HKEY hkRoot, const char *pszKey, const char *pszName,
                               const char *pszDefault, char *pszBuffer, int cbBuffer);
/* 0 when written, -1 when not. */
int mySetPrivateProfileString(HKEY hkRoot, const char *pszKey, const char *pszName,
                              const char *pszData, int cbData);
/* Tests the value pszName of key pszKey (pszSubkey, when not empty, is a
 * further key below it).  nMatch 0: 1 when the value equals pszExpected.
 * nMatch 1: pszExpected is a program path; 1 when the value names that
 * program, quoted or not, alone or followed by " \"%1\"" or ",N".
 * 0 when the key or value is absent or does not match; -2 when, for
 * nMatch 1, the value is there but names another program or has another
 * form. */
int myIsStrHereInRegistry(HKEY hkRoot, const char *pszKey, const char *pszSubkey,
                          const char *pszName, int nValues, const char *pszExpected,
                          int nMatch);
/* Creates the key when needed and stores the string; 0 or -1. */
int mySetStrInRegistry(HKEY hkRoot, const char *pszKey, const char *pszSubkey,
                       const char *pszName, const char *pszData);
int SetRegistrySettingForAdmin(int nAdmin);
int ReleaseTempForRegistry(void);

/* ---- child programs (execute.cpp) ---- */

/* The record that a run returns by value. */
typedef struct tagWINEXECRESULT {
    DWORD dwStarted;    /* 1 when the program was started */
    DWORD dwLastError;  /* GetLastError() when it was not */
    DWORD dwWaited;     /* 1 when the run was waited for */
    DWORD dwWaitResult; /* WaitForSingleObject's answer */
    DWORD dwExitCode;   /* the program's exit code, when waited for */
    DWORD dwProcessId;
    DWORD dwReserved;
} WINEXECRESULT;

int WaitForSingleObjectForWinExec(int nMilliseconds);
/* Prepares the next run: the program name is resolved against the current
 * folder only when the run starts. */
int SetExcuteExeFileAndOptionsWith95Quotation(int nFlags, const char *pszProgram,
                                              const char *pszOptions, DWORD *pdwProgram,
                                              DWORD *pdwOptions);
WINEXECRESULT myExecuteExeFile(int nFlags, int bWait, int nShow, DWORD *pdwProgram,
                               DWORD *pdwOptions, int nReserved);
int IsWinExecOnError(WINEXECRESULT result);
int FreeExcuteExeFile(void);
/* 1 while a prepared run is held. */
int IsExcuteExeFilePrepared(void);

/* ---- quoting and command line (quoting.cpp, memtag.cpp) ---- */

int Is95QuotationMarkThere(const char *pszText, int nFlags);
int Remove95Quotation(char *pszText);
/* Encloses the text in quotation marks when it holds a blank and is not
 * quoted yet; the buffer must have room for two more bytes. */
int Add95QuotationForAnySpaceIfNotThere(char *pszText);
/* nWhere > 0: non-zero when the character at position nWhere of pszFrom
 * (counted in characters, double-byte ones as one) is ch, so 1 asks for a
 * drive colon and 2 for the backslash behind it.  nWhere <= 0: the number
 * of times ch occurs in pszFrom.  pszText bounds the scan: pszFrom must lie
 * inside it. */
int IsCharacterFound(const char *pszText, const char *pszFrom, int ch, int nWhere);

typedef struct tagMEMORYTAG {
    DWORD dwKind;
    LPSTR pszText;
    DWORD cbText;
} MEMORYTAG;

int GetMemoryTag(int nKind, MEMORYTAG *pTag, const char *pszCommandLine);
int FreeMemoryTag(MEMORYTAG *pTag);
char *GetStringPointerBySize(HGLOBAL *phMemory, int nFlags, int cbSize, int nFill);
int FreeStringPointer(HGLOBAL hMemory, char *pszPointer);
int FreeAllAllocateMemoryInDll(void);

/* ---- cursors and state (cursor.cpp) ---- */

int SetArrowCursor(int nFlags);
int SetHourGlassCursor(int nFlags);
HCURSOR PutHourGlassCursor(void);
HCURSOR PutArrowCursor(void);
int GetWindowsVersion(void);
int GetLanguage(void);

/* ---- dialogs (dialogs.cpp) ---- */

typedef struct tagWINPLACE {
    int x, y, cx, cy;
} WINPLACE;

int cwCenter(HWND hwndParent, HWND hwnd);
WINPLACE HideWin(HWND hwndDialog, int nId);
int myEnableWindow(HWND hwnd, int bEnable);
HWND myGetDlgItem(HWND hwndDialog, int nId);
/* Fills an array of four ints: left, top, right, bottom of hwnd in hwndParent. */
int GetPositionInWindow(HWND hwnd, HWND hwndParent, int *pnRect);
int SetReversedInEdit(HWND hwndDialog, int nId);
int myPlaceStringInEdit(HWND hwndDialog, int nId, const char *pszText);

/* ---- folder dialog (fileopen.cpp) ---- */

const char *GetTitleForFileOpen(int nKind);
int my_wmFileOpen(HWND hwndOwner, const char *pszTitle, int nFlags, const char *pszStart,
                  int nIdEdit, int nReserved);
const char *GetDlgCurrentDir(void);
int ReleaseAllocMemoryForFileOpen(void);

/* ---- bitmaps (bitmaps.cpp) ---- */

HBITMAP ShrinkBitmap(HINSTANCE hInstance, HWND hwnd, int nFlags, int cx, int cy, int nId);
int MoveBmpAtCenter(HWND hwndDialog, HDC hdc, HBITMAP *phBitmap, int nIdFrame, int nFlags);

/* ---- release operations of the other areas (release.cpp) ---- */

int FreeInternetAccessMessage(void);
int FreeArchiverHandle(void);
int FreePSAPILibrary(void);
int FreeDosErrorMesHandle(void);
int FreeGlobalHandleInDrawItem(void);
int FreeTgtDriveMessage(void);
int ReleaseOutputFileMemoryHandle(void);
int FreeVersionProcMemory(void);
int ClearFile(void);
int ClearDir(void);
int FreeDriveMemoryHandle(void);
int FreeMemoryForCopyExcludedString(void);
int GlobalFree_ghSAVEPATH(void);
int FreeEditor(void);
int ClearShortcutFile(void);
int FreeFoundNetworkDriveMemory(void);
int FreeDesktopMenuHandle(void);
int FreeDllForResourceFunctions(void);
int FreeSetFormatForRichTextContentsPointer(void);
int DeleteFontSelected(int nFont);
int Delete_rgbColorBrushAndPen(void);
int FreeFindStringMemory(void);

#endif /* BASEKIT_H */
