/*
 * state.cpp: the installer's shared state, alive for the whole run, and
 * the release of what the helper library holds at exit.
 */
#include "pelmor.h"

HINSTANCE ghInstance;
char gszInstallFolder[BK_PATH_SIZE];
char gszPreviousFolder[BK_PATH_SIZE];
const char gszArchiveName[] = "kitpack.exe";

/* Gives back what the helper library holds, area by area, in the order
 * the library expects. */
void ReleaseHelperLibrary(void)
{
    FreeInternetAccessMessage();
    FreeArchiverHandle();
    ReleaseAllocMemoryForFileOpen();
    FreePSAPILibrary();
    FreeDosErrorMesHandle();
    FreeGlobalHandleInDrawItem();
    FreeTgtDriveMessage();
    ReleaseOutputFileMemoryHandle();
    FreeVersionProcMemory();
    ClearFile();
    ClearDir();
    FreeDriveMemoryHandle();
    FreeMemoryForCopyExcludedString();
    GlobalFree_ghSAVEPATH();
    FreeExcuteExeFile();
    FreeEditor();
    ReleaseTempForRegistry();
    ClearShortcutFile();
    FreeFoundNetworkDriveMemory();
    FreeDesktopMenuHandle();
    FreeDllForResourceFunctions();
    FreeSetFormatForRichTextContentsPointer();
    DeleteFontSelected(-1);
    Delete_rgbColorBrushAndPen();
    FreeFindStringMemory();
}
