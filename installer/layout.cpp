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
