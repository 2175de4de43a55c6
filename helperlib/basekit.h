/*
 * basekit.h: the general Windows operations that Pelmor and Typebind
 * import: paths, registry, dialogs, message boxes, child programs,
 * cursors and bitmaps.  All strings are narrow (ANSI) and NUL-ended;
 * paths are edited in place in the caller's buffer.
 */
#ifndef BASEKIT_H
#define BASEKIT_H

#include <windows.h>

#include "textkit.h"

/* ---- files and folders (paths.cpp; more in textkit.h) ---- */

int IsFileDirExist(const char *pszPath);
/* Creates the folder and every missing folder above it; 0 or -1. */
int MakeDirTree(const char *pszPath);
int myGetcwd(char *pszBuffer, int cbBuffer);
int ChgDir(const char *pszPath, int nFlags);
/* Case-insensitive search that steps over double-byte characters. */
char *j_lstristr(const char *pszText, const char *pszFind);

/* ---- checks that tell the user themselves (checks.cpp) ---- */

int IsBadDirName(HWND hwndOwner, const char *pszFolder, int nReserve);
int IsAlertMakedir(HWND hwndOwner, const char *pszFolder);
int IsMakeDirDoneWithIsBadDriveAndWithMessage(HWND hwndOwner, const char *pszFolder,
                                              int nFlags, UINT idCaption);
int IsFileDirExistWithMessage(HWND hwndOwner, const char *pszPath, UINT idCaption, int nFlags);
/* 1 when the path names a file on a disk, 0 (after telling the user) for
 * a folder, a device or nothing. */
int IsProgramFileWithMessage(HWND hwndOwner, const char *pszPath, UINT idCaption);
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

/* ---- command line memory (memtag.cpp) ---- */

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
