/*
 * execute.cpp: child programs, prepared by name and run from the current
 * folder.
 */
#include "basekit.h"

static DWORD gdwWinExecWait = INFINITE;
/* The prepared run: program name and options as given. */
static char *gpszExecProgram;
static char *gpszExecOptions;

static char *CopyToHeap(const char *psz)
{
    int cb = lstrlenA(psz) + 1;
    char *pCopy = (char *)HeapAlloc(GetProcessHeap(), 0, (SIZE_T)cb);
    if (pCopy != NULL)
        lstrcpynA(pCopy, psz, cb);
    return pCopy;
}

int WaitForSingleObjectForWinExec(int nMilliseconds)
{
    DWORD dwPrevious = gdwWinExecWait;
    gdwWinExecWait = nMilliseconds < 0 ? INFINITE : (DWORD)nMilliseconds;
    return (int)dwPrevious;
}

int FreeExcuteExeFile(void)
{
    if (gpszExecProgram != NULL)
        HeapFree(GetProcessHeap(), 0, gpszExecProgram);
    if (gpszExecOptions != NULL)
        HeapFree(GetProcessHeap(), 0, gpszExecOptions);
    gpszExecProgram = NULL;
    gpszExecOptions = NULL;
    return 0;
}

int IsExcuteExeFilePrepared(void)
{
    return gpszExecProgram != NULL;
}

int SetExcuteExeFileAndOptionsWith95Quotation(int nFlags, const char *pszProgram,
                                              const char *pszOptions, DWORD *pdwProgram,
                                              DWORD *pdwOptions)
{
    (void)nFlags;
    FreeExcuteExeFile();
    if (pszProgram == NULL || *pszProgram == '\0')
        return -1;
    gpszExecProgram = CopyToHeap(pszProgram);
    gpszExecOptions = CopyToHeap(pszOptions != NULL ? pszOptions : "");
    if (gpszExecProgram == NULL || gpszExecOptions == NULL) {
        FreeExcuteExeFile();
        return -1;
    }
    if (pdwProgram != NULL)
        *pdwProgram = 1;
    if (pdwOptions != NULL)
        *pdwOptions = *gpszExecOptions != '\0';
    return 0;
}

WINEXECRESULT myExecuteExeFile(int nFlags, int bWait, int nShow, DWORD *pdwProgram,
                               DWORD *pdwOptions, int nReserved)
{
    (void)nFlags;
    (void)nShow;
    (void)pdwOptions;
    (void)nReserved;
    WINEXECRESULT result = {0, 0, 0, 0, 0, 0, 0};
    char szProgram[MAX_PATH * 2];
    char szCommand[MAX_PATH * 4];

    if (gpszExecProgram == NULL || pdwProgram == NULL || *pdwProgram == 0) {
        result.dwLastError = ERROR_INVALID_PARAMETER;
        return result;
    }
    /* A bare name means the program in the current folder.  CreateProcess
     * would look in the installer's own folder first and find the
     * original there instead of the copy. */
    DWORD cch = GetFullPathNameA(gpszExecProgram, sizeof szProgram, szProgram, NULL);
    if (cch == 0 || cch >= sizeof szProgram ||
        lstrlenA(szProgram) + lstrlenA(gpszExecOptions) + 4 >= (int)sizeof szCommand) {
        result.dwLastError = ERROR_FILENAME_EXCED_RANGE;
        return result;
    }
    wsprintfA(szCommand, *gpszExecOptions != '\0' ? "\"%s\" %s" : "\"%s\"", szProgram,
              gpszExecOptions);

    STARTUPINFOA si;
    PROCESS_INFORMATION pi;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    if (!CreateProcessA(szProgram, szCommand, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        result.dwLastError = GetLastError();
        return result;
    }
    result.dwStarted = 1;
    result.dwProcessId = pi.dwProcessId;
    if (bWait) {
        result.dwWaited = 1;
        result.dwWaitResult = WaitForSingleObject(pi.hProcess, gdwWinExecWait);
        DWORD dwExitCode = STILL_ACTIVE;
        if (GetExitCodeProcess(pi.hProcess, &dwExitCode))
            result.dwExitCode = dwExitCode;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

int IsWinExecOnError(WINEXECRESULT result)
{
    if (!result.dwStarted)
        return 1;
    if (!result.dwWaited)
        return 0;
    return result.dwWaitResult != WAIT_OBJECT_0 || result.dwExitCode != 0;
}
