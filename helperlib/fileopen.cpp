/*
 * fileopen.cpp: the dialog in which the user picks a folder.
 */
#include "basekit.h"

#include <shlobj.h>

static char *gpszChosenFolder;

static const char *const gapszFileOpenTitles[] = {
    "Select a file:",
    "Select a folder:",
    "Select the folder where the compiler is to be installed:",
    NULL,
};

const char *GetTitleForFileOpen(int nKind)
{
    for (int i = 0; gapszFileOpenTitles[i] != NULL; i++)
        if (i == nKind)
            return gapszFileOpenTitles[i];
    return gapszFileOpenTitles[1];
}

const char *GetDlgCurrentDir(void)
{
    return gpszChosenFolder != NULL ? gpszChosenFolder : "";
}

int ReleaseAllocMemoryForFileOpen(void)
{
    if (gpszChosenFolder != NULL)
        HeapFree(GetProcessHeap(), 0, gpszChosenFolder);
    gpszChosenFolder = NULL;
    return 0;
}

/* Opens the dialog on the folder given, or on its nearest existing
 * parent when that folder is not made yet. */
static int CALLBACK BrowseCallbackProc(HWND hwnd, UINT uMessage, LPARAM lParam, LPARAM lpData)
{
    (void)lParam;
    if (uMessage == BFFM_INITIALIZED && lpData != 0) {
        char szStart[BK_PATH_SIZE];
        lstrcpynA(szStart, reinterpret_cast<const char *>(lpData), sizeof szStart);
        while (szStart[0] != '\0' && IsDirectoryAttribute(szStart) != 4)
            if (!GetUpperDirectory(szStart))
                szStart[0] = '\0';
        if (szStart[0] != '\0')
            SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(szStart));
    }
    return 0;
}

int my_wmFileOpen(HWND hwndOwner, const char *pszTitle, int nFlags, const char *pszStart,
                  int nIdEdit, int nReserved)
{
    (void)nFlags;
    (void)nIdEdit;
    (void)nReserved;
    char szDisplay[MAX_PATH];
    char szChosen[MAX_PATH];
    ReleaseAllocMemoryForFileOpen();

    BROWSEINFOA bi;
    ZeroMemory(&bi, sizeof bi);
    bi.hwndOwner = hwndOwner;
    bi.pszDisplayName = szDisplay;
    bi.lpszTitle = pszTitle;
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    bi.lpfn = BrowseCallbackProc;
    bi.lParam = reinterpret_cast<LPARAM>(pszStart);

    /* The shell's dialog needs COM on the thread; the thread is left as
     * it was found: an apartment this call did not open stays open. */
    HRESULT hrCom = CoInitialize(NULL);
    LPITEMIDLIST pidl = SHBrowseForFolderA(&bi);
    if (SUCCEEDED(hrCom))
        CoUninitialize();
    if (pidl == NULL)
        return 0;
    BOOL bPath = SHGetPathFromIDListA(pidl, szChosen);
    /* Shell memory goes back through the shell's allocator, so that no
     * OLE library is needed. */
    IMalloc *pMalloc = NULL;
    if (SUCCEEDED(SHGetMalloc(&pMalloc)) && pMalloc != NULL) {
        pMalloc->Free(pidl);
        pMalloc->Release();
    }
    if (!bPath || szChosen[0] == '\0')
        return -1;
    int cb = lstrlenA(szChosen) + 1;
    gpszChosenFolder = static_cast<char *>(HeapAlloc(GetProcessHeap(), 0, (SIZE_T)cb));
    if (gpszChosenFolder == NULL)
        return -1;
    lstrcpynA(gpszChosenFolder, szChosen, cb);
    return 1;
}
