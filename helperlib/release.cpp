/*
 * release.cpp: release operations of the areas for which this layer
 * holds nothing.  The programs call them at exit all the same, so that
 * an area that comes to hold something is released in its place in the
 * sequence.
 */
#include "basekit.h"

int FreeInternetAccessMessage(void) { return 0; }
int FreeArchiverHandle(void) { return 0; }
int FreePSAPILibrary(void) { return 0; }
int FreeDosErrorMesHandle(void) { return 0; }
int FreeGlobalHandleInDrawItem(void) { return 0; }
int FreeTgtDriveMessage(void) { return 0; }
int ReleaseOutputFileMemoryHandle(void) { return 0; }
int FreeVersionProcMemory(void) { return 0; }
int ClearFile(void) { return 0; }
int ClearDir(void) { return 0; }
int FreeDriveMemoryHandle(void) { return 0; }
int FreeMemoryForCopyExcludedString(void) { return 0; }
int GlobalFree_ghSAVEPATH(void) { return 0; }
int FreeEditor(void) { return 0; }
int ClearShortcutFile(void) { return 0; }
int FreeFoundNetworkDriveMemory(void) { return 0; }
int FreeDesktopMenuHandle(void) { return 0; }
int FreeDllForResourceFunctions(void) { return 0; }
int FreeSetFormatForRichTextContentsPointer(void) { return 0; }
int DeleteFontSelected(int nFont) { (void)nFont; return 0; }
int Delete_rgbColorBrushAndPen(void) { return 0; }
int FreeFindStringMemory(void) { return 0; }
