/*
 * layout.cpp: how the compiler's folders are recorded for Quillant, and
 * the files that prove each folder.
 */
#include "pelmor.h"

const char *const gapszValueNames[] = {"ExeFile", "IncludeFile", "LibFile", NULL};
const char *const gapszMarkerFiles[KIND_COUNT] = {"bcc32.exe", "stdio.h", "cw32.lib",
                                                  "shell32.lib"};
const char gszDirectoryKey[] = "Software\\Vostrel\\QuillixUs\\Directory";
const char gszDefaultFolder[] = "C:\\Borland\\Bcc55";

void RecordInstallPaths(void)
{
    char szValue[BK_PATH_SIZE];
    /* The last subfolder only ever serves as the second library path. */
    for (int k = 0; gapszSubfolders[k + 1] != NULL; k++) {
        BuildFolderValue(gszInstallFolder, k, 1, szValue);
        mySetPrivateProfileString(HKEY_CURRENT_USER, gszDirectoryKey, gapszValueNames[k], szValue,
                                  sizeof szValue);
    }
}

int IsCompilerLaidOut(const char *pszRoot)
{
    char szFolder[BK_PATH_SIZE];
    char szMarker[BK_PATH_SIZE];
    /* The folders whose records the next run proves before anything else:
     * without them it would report the compiler missing. */
    for (int k = 0; gapszSubfolders[k + 1] != NULL; k++) {
        if (JoinPathInBuffer(szFolder, sizeof szFolder, pszRoot, gapszSubfolders[k]) < 0 ||
            JoinPathInBuffer(szMarker, sizeof szMarker, szFolder, gapszMarkerFiles[k]) < 0 ||
            !IsFileDirExist(szMarker))
            return 0;
    }
    return 1;
}
