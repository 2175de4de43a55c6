/*
 * guidrive.h: driving another program's dialogs and message boxes from a
 * test, as a user would, with every wait bounded.
 */
#ifndef GUIDRIVE_H
#define GUIDRIVE_H

#include <windows.h>

#include <string>

struct DrivenProgram {
    HANDLE hProcess = NULL;
    DWORD dwProcessId = 0;
};

/* What a message box showed when it was answered. */
struct BoxSeen {
    bool bFound = false;
    std::string strCaption;
    std::string strText;
    unsigned uButtons = 0; /* BOX_HAS_* of the buttons it had */
};
enum { BOX_HAS_OK = 1, BOX_HAS_CANCEL = 2, BOX_HAS_YES = 4, BOX_HAS_NO = 8 };

/* The caption that every message box of the installer has, and those of
 * its two pages. */
extern const char gszBoxCaption[];
extern const char gszTitleCaption[];
extern const char gszLicenceCaption[];

/* Starts exe with the command-line arguments in pszArgs (may be null)
 * and pszFolder as current folder (null: the test's own). */
bool StartProgram(const char *pszExe, const char *pszArgs, const char *pszFolder,
                  DrivenProgram *pProgram);
/* Waits for the program to end; its exit code, or -1 after the time-out,
 * when the program is ended by force. */
long WaitProgramExit(DrivenProgram *pProgram, DWORD dwTimeoutMs);
/* Ends a program that is still running and closes its handle. */
void EndProgram(DrivenProgram *pProgram);

/* A visible top-level dialog of process dwProcessId whose caption is
 * pszCaption (any caption when null), as the windows are now. */
HWND FindDialogNow(DWORD dwProcessId, const char *pszCaption);
/* The same, waited for up to dwTimeoutMs. */
HWND WaitForDialog(DWORD dwProcessId, const char *pszCaption, DWORD dwTimeoutMs);
/* True when no such dialog appears within dwMs. */
bool NoDialogWithin(DWORD dwProcessId, const char *pszCaption, DWORD dwMs);

std::string WindowTextOf(HWND hwnd);
std::string ControlText(HWND hwndDialog, int nId);
bool IsControlEnabled(HWND hwndDialog, int nId);
bool IsControlVisible(HWND hwndDialog, int nId);
void SetControlText(HWND hwndDialog, int nId, const char *pszText);
/* Presses a button by its id, as a click does. */
void PressButton(HWND hwndDialog, int nId);
/* Waits for a message box with this caption, reads it, and answers it
 * with button nButton (IDOK, IDCANCEL, IDYES, IDNO). */
BoxSeen AnswerMessageBox(DWORD dwProcessId, const char *pszCaption, int nButton,
                         DWORD dwTimeoutMs);
/* Waits until the window is gone. */
bool WaitWindowGone(HWND hwnd, DWORD dwTimeoutMs);
/* The installer's agreement page, once it has opened. */
HWND WaitForLicencePage(DWORD dwProcessId, DWORD dwTimeoutMs);
/* Scrolls the agreement page's statement box to its end. */
void ScrollLicenceToEnd(HWND hwndPage);

/* Brings the window to the front and types one key (with Shift held
 * when bShift) as keyboard input, as a user does. */
void TypeKey(HWND hwndWindow, WORD wVirtualKey, bool bShift);
/* The window that has the keyboard focus in the thread of hwndWindow. */
HWND FocusOf(HWND hwndWindow);

/* Saves what the window shows as a 24-bit BMP file. */
bool SaveWindowShot(HWND hwnd, const char *pszPath);

#endif /* GUIDRIVE_H */
