/*
 * pelmor.h: shared state and operations of the installer.
 */
#ifndef PELMOR_H
#define PELMOR_H

#include <windows.h>

#include "../helperlib/basekit.h"
#include "derive.h"

/* main.cpp */
extern HINSTANCE ghInstance;
extern char gszInstallFolder[BK_PATH_SIZE];
extern char gszPreviousFolder[BK_PATH_SIZE];
extern const char gszArchiveName[];
void ReleaseHelperLibrary(void);

/* install.cpp */
int InstallCompiler(const char *pszStartFolder);

/* layout.cpp */
extern const char *const gapszValueNames[];
extern const char *const gapszMarkerFiles[];
extern const char gszDirectoryKey[];
extern const char gszDefaultFolder[];
void RecordInstallPaths(void);
/* 1 when the archive left the compiler's folders, each with its marker
 * file, below the root. */
int IsCompilerLaidOut(const char *pszRoot);

/* detect.cpp */
extern char gszMessage[1040];
int FindPreviousInstallation(HWND hwndOwner);
const char *GetMarkerFile(int nKind, const char *pszFolder, int *pSlot);

/* titlepage.cpp */
extern HBITMAP ghTitleBitmap;
extern int gbUpdatingFolders;
void SetInitialFolder(HWND hwndPage);
void ShowDerivedFolders(HWND hwndPage);
void SetSkipButtons(HWND hwndPage);
void LoadTitleBitmap(HWND hwndPage);
void PaintTitleBitmap(HWND hwndPage);
void DeleteTitleBitmap(void);
void EnableFolderControls(HWND hwndPage, int bEnable);
void BrowseInstallFolder(HWND hwndPage);
int CheckInstallFolder(HWND hwndPage);
INT_PTR CALLBACK OpenTitleDlgProc(HWND hwndPage, UINT uMessage, WPARAM wParam, LPARAM lParam);

/* licencepage.cpp, licence.cpp */
extern int gnMaxTopLine;
extern const char gszLicenceStatement[];
INT_PTR CALLBACK OpenLicenceDlgProc(HWND hwndPage, UINT uMessage, WPARAM wParam, LPARAM lParam);
int IsLicenceReadToEnd(HWND hwndPage);

#endif /* PELMOR_H */
