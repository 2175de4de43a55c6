/*
 * detect.cpp: finding the compiler folders that an earlier run recorded,
 * each proven by its marker file.
 */
#include "pelmor.h"
#include "resource.h"

#include "../helperlib/msgkit.h"

char gszMessage[1040];

static const char gszNotFound[] = "N/A";

/* 1 when the last component of the path, a trailing separator aside, is
 * pszName, letter case ignored. */
static int IsLastComponent(const char *pszPath, const char *pszName)
{
    const char *pStart = pszPath;
    const char *pEnd = pszPath;
    for (const char *p = pszPath; *p != '\0'; p = NextCharOf(p)) {
        if (IsPathSeparator(p)) {
            if (p[1] != '\0')
                pStart = p + 1;
        } else {
            pEnd = NextCharOf(p);
        }
    }
    int cch = (int)(pEnd - pStart);
    return cch > 0 && cch == lstrlenA(pszName) &&
           CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, pStart, cch, pszName, cch) == CSTR_EQUAL;
}

const char *GetMarkerFile(int nKind, const char *pszFolder, int *pSlot)
{
    if (nKind != KIND_LIBRARY && nKind != KIND_WINDOWS_LIBRARY) {
        *pSlot = nKind;
        return gapszMarkerFiles[nKind];
    }
    if (j_lstristr(pszFolder, "\\Lib") == NULL)
        return NULL;
    /* The folder's own name tells the two apart: \PSDK elsewhere in the
     * path, as in C:\PSDK\bcc\Lib, is part of the root. */
    if (IsLastComponent(pszFolder, "PSDK")) {
        *pSlot = KIND_WINDOWS_LIBRARY;
        return gapszMarkerFiles[KIND_WINDOWS_LIBRARY];
    }
    *pSlot = KIND_LIBRARY;
    return gapszMarkerFiles[KIND_LIBRARY];
}

static void SetPreviousFolderAbove(const char *pszFolder)
{
    lstrcpynA(gszPreviousFolder, pszFolder, sizeof gszPreviousFolder);
    GetUpperDirectory(gszPreviousFolder);
}

/* 1 when the folder exists and holds the marker file of its kind. */
static int IsFolderProven(char *pszPath, int nKind, int *pSlot)
{
    char szScratch[BK_PATH_SIZE];
    if (!IsFileDirExist(pszPath))
        return 0;
    GetReformed95PathNameFromOS(pszPath, 24, 0);
    const char *pszMarker = GetMarkerFile(nKind, pszPath, pSlot);
    if (pszMarker == NULL)
        return 0;
    if (myGetFullPathName(szScratch, pszPath, pszMarker) < 0)
        return 0;
    return IsFileDirExist(szScratch) != 0;
}

static void ShowFolderMissing(HWND hwndOwner, char *pszText, const char *pszLastPath)
{
    char chSaved = 0;
    MyLoadString(0, ghInstance, IDS_PREVIOUS_MISSING, IDS_CAPTION);
    int nPos = ExtractPath(pszText, &chSaved);
    wsprintfA(gszMessage, GetLoadStrMessage(), pszText);
    RecoverPath(nPos, chSaved);
    PutArrowCursor();
    MessageBoxA(hwndOwner, gszMessage, GetLoadStrTitle(), MB_ICONWARNING);
    if (*pszLastPath != '\0')
        SetPreviousFolderAbove(pszLastPath);
}

int FindPreviousInstallation(HWND hwndOwner)
{
    char aszValues[KIND_COUNT - 1][BK_PATH_SIZE];
    const char *apszSlots[KIND_COUNT] = {NULL, NULL, NULL, NULL};
    const char *pszFirstFound = NULL;

    gszPreviousFolder[0] = '\0';
    for (int k = 0; gapszValueNames[k] != NULL; k++) {
        myFindPrivateProfileString(HKEY_CURRENT_USER, gszDirectoryKey, gapszValueNames[k], "",
                                   aszValues[k], BK_PATH_SIZE);
        if (aszValues[k][0] == '\0')
            continue;

        int nKind = k;
        char *pszPath = aszValues[k];
        char *pszLastPath = pszPath;
        for (;;) {
            int nSlot = nKind;
            pszLastPath = pszPath;
            char *pSeparator = CutAtSemicolon(pszPath);
            if (IsFolderProven(pszPath, nKind, &nSlot)) {
                if (pszFirstFound == NULL)
                    pszFirstFound = pszPath;
                apszSlots[nSlot] = pszPath;
                /* The library value names the Windows Library folder
                 * behind the Library folder. */
                if (nKind != KIND_LIBRARY || pSeparator == NULL || pSeparator[1] == '\0')
                    break;
                nKind = KIND_WINDOWS_LIBRARY;
            }
            if (pSeparator == NULL)
                break;
            pszPath = pSeparator + 1;
        }
        if (apszSlots[k] == NULL) {
            ShowFolderMissing(hwndOwner, aszValues[k], pszLastPath);
            return 1;
        }
    }

    if (pszFirstFound == NULL)
        return 1;

    /* Four long folders would push the question out of the message:
     * each is shown shortened, its start and end kept. */
    char aszShown[KIND_COUNT][BK_PATH_SIZE];
    char achSaved[BK_SHOWN_PATH];
    for (int i = 0; i < KIND_COUNT; i++) {
        lstrcpynA(aszShown[i], apszSlots[i] != NULL ? apszSlots[i] : gszNotFound, BK_PATH_SIZE);
        ShortenForMessage(aszShown[i], achSaved);
    }
    MyLoadString(0, ghInstance, IDS_INSTALL_AGAIN, IDS_CAPTION);
    wsprintfA(gszMessage, GetLoadStrMessage(), aszShown[0], aszShown[1], aszShown[2],
              aszShown[3]);
    PutArrowCursor();
    int nAnswer = MessageBoxA(hwndOwner, gszMessage, GetLoadStrTitle(), MB_YESNO | MB_ICONWARNING);
    SetPreviousFolderAbove(pszFirstFound);
    return nAnswer == IDYES;
}
